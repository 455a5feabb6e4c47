// Placeholder judge until the real one lands: every key completes one character.
#include "game/RomajiJudge.h"

namespace game::romaji {

const Table& Table::Shipped() {
  static const Table table;
  return table;
}
Table Table::Parse(std::string_view) { return {}; }
bool Table::Typable(std::u32string_view) const { return true; }

struct Judge::Impl {
  std::u32string reading;
  std::string typed;
  int done = 0;
};

Judge::Judge(const Table&) : impl_(std::make_unique<Impl>()) {}
Judge::~Judge() = default;
void Judge::SetStyle(GuideStyle) {}
void Judge::SetFinalNAllowed(bool) {}
bool Judge::Start(std::u32string_view reading) {
  *impl_ = Impl{std::u32string(reading), {}, 0};
  return true;
}
KeyResult Judge::Key(char ch) {
  if (Complete()) return {};
  impl_->typed += ch;
  ++impl_->done;
  return {true, impl_->done, Complete()};
}
std::u32string_view Judge::Reading() const { return impl_->reading; }
std::string_view Judge::Typed() const { return impl_->typed; }
std::string Judge::Guide() const { return std::string(impl_->reading.size() - impl_->done, 'a'); }
char Judge::NextKey() const { return Complete() ? '\0' : 'a'; }
int Judge::KanaDone() const { return impl_->done; }
int Judge::KanaCount() const { return static_cast<int>(impl_->reading.size()); }
bool Judge::Complete() const { return KanaDone() >= KanaCount(); }
int Judge::CurrentKana() const { return KanaDone(); }
int Judge::FewestKeys() const { return KanaCount(); }

}  // namespace game::romaji
