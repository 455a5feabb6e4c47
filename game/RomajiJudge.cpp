#include "game/RomajiJudge.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <tuple>

#include "game/RomajiText.h"

// The text of data/romaji-table.tsv, generated at build time.
extern const char kRomajiTableText[];
extern const std::size_t kRomajiTableTextSize;

namespace game::romaji {
namespace {

constexpr char32_t kSmallTsu = U'っ';
constexpr char32_t kN = U'ん';
constexpr int kInf = 1 << 28;
// Guide costs: a spelling the style does not show costs as much as a whole reading of keys,
// so the guide takes the style's spellings first and then the fewest keys.
constexpr int kOffStyle = 1000;
// The fewest-keys guide counts keys first; ties go to the Hepburn, then the Kunrei spelling.
constexpr int kKeyWeight = 1024;

// What the first key of the next spelling must be: anything, a key that lets a single `n`
// stand for ん, or one letter (the one a doubled っ repeated). Slots 2.. are 'a'..'z'.
constexpr int kFree = 0, kAfterN = 1, kSlots = 28;
int Slot(char letter) { return 2 + (letter - 'a'); }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }
// A single n stands for ん only before a key that cannot go on with it (nn, na, nya, n').
bool AllowedAfterN(char c) { return IsLetter(c) ? std::strchr("aiueoyn", c) == nullptr : c != '\''; }
// The consonants a っ may double; nn is ん.
bool Doublable(char c) { return IsLetter(c) && std::strchr("aiueon", c) == nullptr; }

// The key of a character no table row needs: ASCII and full-width ASCII (digits, letters,
// ！？～ …) are typed as the ASCII key.
char BuiltinKey(char32_t ch) {
  if (ch >= 0x21 && ch <= 0x7E) return static_cast<char>(ch);
  if (ch >= 0xFF01 && ch <= 0xFF5E) return static_cast<char>(ch - 0xFEE0);
  return 0;
}

constexpr int kMaxStates = 48;

}  // namespace

// The judge's own types (named, as the judge's Impl holds them).
namespace internal {

enum class Kind : uint8_t { Row, SingleN };

// One way to type the characters at a position: a table row, a built-in key or a single n.
struct Unit {
  std::string_view spelling;
  uint8_t length = 1;  // characters of the reading it types
  Kind kind = Kind::Row;
  std::array<int, 3> cost{};  // by GuideStyle
};

// A live spelling: at `pos` of the reading, `prefix` of a unit typed, or (prefix empty) the
// next unit still to start under `need`.
struct State {
  int pos = 0;
  uint8_t need = kFree;
  uint8_t length = 0;
  std::array<char, 6> prefix{};
  bool operator==(const State& o) const {
    return pos == o.pos && need == o.need && length == o.length &&
           std::memcmp(prefix.data(), o.prefix.data(), length) == 0;
  }
};

}  // namespace internal
using internal::Kind;
using internal::State;
using internal::Unit;

const Table& Table::Shipped() {
  static const Table table = Parse(std::string_view(kRomajiTableText, kRomajiTableTextSize));
  return table;
}

Table Table::Parse(std::string_view text) {
  Table table;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    if (tab == 0 || tab == std::string_view::npos) continue;
    std::string_view spelling = line.substr(0, tab);
    std::string_view rest = line.substr(tab + 1);
    const size_t tab2 = rest.find('\t');
    std::string_view kanaText = rest.substr(0, tab2);
    std::string_view guide = tab2 == std::string_view::npos ? std::string_view() : rest.substr(tab2 + 1);
    Row row;
    if (!DecodeUtf8(kanaText, row.kana) || row.kana.empty() || row.kana.size() > 3) continue;
    if (spelling.size() > 5 ||
        !std::all_of(spelling.begin(), spelling.end(), [](char c) { return c > 0x20 && c < 0x7F; }))
      continue;
    for (auto& ch : row.kana) ch = ToHiragana(ch);
    for (char c : spelling) row.spelling.push_back(Lower(c));
    if (guide.find('h') != std::string_view::npos) row.prefer |= kPreferHepburn;
    if (guide.find('k') != std::string_view::npos) row.prefer |= kPreferKunrei;
    table.byKana_[row.kana].push_back(static_cast<int>(table.rows_.size()));
    table.rows_.push_back(std::move(row));
  }
  // A kana with no row marked for a style is guided by its first row.
  for (auto& [kana, rows] : table.byKana_) {
    if (kana.size() == 1 && kana[0] >= 0x3000 && kana[0] <= 0x30FF) table.kanaRow_[kana[0] - 0x3000] = true;
    for (uint8_t style : {kPreferHepburn, kPreferKunrei}) {
      const bool marked = std::any_of(rows.begin(), rows.end(), [&](int r) { return table.rows_[r].prefer & style; });
      if (!marked) table.rows_[rows.front()].prefer |= style;
    }
  }
  return table;
}

const std::vector<int>* Table::Find(const std::u32string& kana) const {
  auto it = byKana_.find(kana);
  return it == byKana_.end() ? nullptr : &it->second;
}

bool Table::Typable(std::u32string_view reading) const {
  std::u32string one(1, U' ');
  for (char32_t ch : reading) {
    ch = ToHiragana(ch);
    if (BuiltinKey(ch)) continue;
    if (ch >= 0x3000 && ch <= 0x30FF) {
      if (kanaRow_[ch - 0x3000]) continue;
      return false;
    }
    one[0] = ch;
    if (!Find(one)) return false;
  }
  return true;
}

struct Judge::Impl {
  const Table* table = nullptr;
  GuideStyle style = GuideStyle::Hepburn;
  bool finalN = false;

  std::u32string reading;  // as hiragana
  std::string builtin;     // the key of each character typed by its own key, else 0
  std::vector<Unit> units;
  std::vector<int> unitBegin;  // units of position i: [unitBegin[i], unitBegin[i + 1])
  // Cheapest completion from (position, slot) in the guide's style, and its first step:
  // a unit index, or -1 - letter for a doubled っ.
  std::vector<int> best;
  std::vector<int> choice;
  int fewest = 0;

  std::array<State, kMaxStates> states{}, next{};
  int stateCount = 0;
  std::string typed;
  std::string guide;  // the guide's spelling from where the guide started; guideAt is typed of it
  size_t guideAt = 0;

  int N() const { return static_cast<int>(reading.size()); }
  int& Best(int pos, int slot) { return best[pos * kSlots + slot]; }
  int BestAt(int pos, int slot) const { return best[pos * kSlots + slot]; }

  // Where a unit leaves the judge: the position after it and what the next key must be.
  static std::pair<int, int> Follow(const Unit& u, int pos) {
    return {pos + u.length, u.kind == Kind::SingleN ? kAfterN : kFree};
  }
  // A single n at the very end stays alive whatever the setting says: the setting decides
  // only whether it completes the reading, and may change mid-entry.
  bool Viable(const Unit& u, int pos) const {
    auto [to, need] = Follow(u, pos);
    if (u.kind == Kind::SingleN && to == N()) return true;
    return BestAt(to, need) < kInf;
  }

  void BuildUnits();
  void Solve(GuideStyle by);
  int CompletionCost(const State& s, int* unit) const;
  void Replan();
  void AppendPath(int pos, int slot);
  bool Add(std::array<State, kMaxStates>& to, int& count, const State& s) const;
};

void Judge::Impl::BuildUnits() {
  const int n = N();
  units.clear();
  unitBegin.assign(n + 1, 0);
  builtin.assign(n, '\0');
  for (int i = 0; i < n; ++i) builtin[i] = BuiltinKey(reading[i]);
  std::u32string key;
  for (int i = 0; i < n; ++i) {
    unitBegin[i] = static_cast<int>(units.size());
    for (int len = 1; len <= 3 && i + len <= n; ++len) {
      key.assign(reading, i, len);
      const auto* rows = table->Find(key);
      if (!rows) continue;
      for (int r : *rows) {
        const auto& row = table->Rows()[r];
        const int keys = static_cast<int>(row.spelling.size());
        const bool h = row.prefer & Table::kPreferHepburn, k = row.prefer & Table::kPreferKunrei;
        units.push_back(
            {row.spelling,
             static_cast<uint8_t>(len),
             Kind::Row,
             {(h ? 0 : kOffStyle) + keys, (k ? 0 : kOffStyle) + keys, keys * kKeyWeight + (h ? 0 : 2) + (k ? 0 : 1)}});
      }
    }
    if (builtin[i]) units.push_back({std::string_view(&builtin[i], 1), 1, Kind::Row, {1, 1, kKeyWeight}});
    if (reading[i] == kN) units.push_back({"n", 1, Kind::SingleN, {1, 1, kKeyWeight}});
  }
  unitBegin[n] = static_cast<int>(units.size());
}

void Judge::Impl::Solve(GuideStyle by) {
  const int n = N();
  const auto s = static_cast<size_t>(by);
  best.assign((n + 1) * kSlots, kInf);
  choice.assign((n + 1) * kSlots, 0);
  Best(n, kFree) = 0;
  if (finalN) Best(n, kAfterN) = 0;
  for (int i = n - 1; i >= 0; --i) {
    auto offer = [&](char first, int cost, int pick) {
      first = Lower(first);
      auto take = [&](int slot) {
        if (cost < Best(i, slot)) Best(i, slot) = cost, choice[i * kSlots + slot] = pick;
      };
      take(kFree);
      if (AllowedAfterN(first)) take(kAfterN);
      if (IsLetter(first)) take(Slot(first));
    };
    for (int u = unitBegin[i]; u < unitBegin[i + 1]; ++u) {
      auto [to, need] = Follow(units[u], i);
      const int rest = BestAt(to, need);
      if (rest < kInf) offer(units[u].spelling[0], units[u].cost[s] + rest, u);
    }
    if (reading[i] == kSmallTsu) {
      for (char c = 'a'; c <= 'z'; ++c) {
        const int rest = BestAt(i + 1, Slot(c));
        if (Doublable(c) && rest < kInf) offer(c, (by == GuideStyle::Fewest ? kKeyWeight : 1) + rest, -1 - c);
      }
    }
  }
}

// The cost of the cheapest completion from a live state, and the unit it goes on with.
int Judge::Impl::CompletionCost(const State& s, int* unit) const {
  *unit = -1;
  if (s.length == 0) return BestAt(s.pos, s.need);
  int cheapest = kInf;
  for (int u = unitBegin[s.pos]; u < unitBegin[s.pos + 1]; ++u) {
    const Unit& un = units[u];
    if (un.spelling.size() <= s.length || !Viable(un, s.pos)) continue;
    bool match = true;
    for (int k = 0; k < s.length && match; ++k) match = Lower(un.spelling[k]) == s.prefix[k];
    if (!match) continue;
    auto [to, need] = Follow(un, s.pos);
    const int rest = BestAt(to, need);
    if (rest >= kInf) continue;
    const int cost = un.cost[static_cast<size_t>(style)] + rest;
    if (cost < cheapest) cheapest = cost, *unit = u;
  }
  return cheapest;
}

void Judge::Impl::AppendPath(int pos, int slot) {
  while (pos < N()) {
    const int pick = choice[pos * kSlots + slot];
    if (BestAt(pos, slot) >= kInf) return;
    if (pick >= 0) {
      const Unit& u = units[pick];
      guide.append(u.spelling);
      std::tie(pos, slot) = Follow(u, pos);
    } else {
      const char c = static_cast<char>(-1 - pick);
      guide.push_back(c);
      pos += 1;
      slot = Slot(c);
    }
  }
}

// The guide starts again from the live spelling that is cheapest to finish in the style.
void Judge::Impl::Replan() {
  guide.clear();
  guideAt = 0;
  int bestCost = kInf, bestState = -1, bestUnit = -1;
  for (int i = 0; i < stateCount; ++i) {
    int unit = -1;
    const int cost = CompletionCost(states[i], &unit);
    if (cost < bestCost) bestCost = cost, bestState = i, bestUnit = unit;
  }
  if (bestState < 0) return;
  const State& s = states[bestState];
  if (s.length == 0) {
    AppendPath(s.pos, s.need);
    return;
  }
  const Unit& u = units[bestUnit];
  guide.append(u.spelling.substr(s.length));
  auto [to, need] = Follow(u, s.pos);
  AppendPath(to, need);
}

bool Judge::Impl::Add(std::array<State, kMaxStates>& to, int& count, const State& s) const {
  for (int i = 0; i < count; ++i)
    if (to[i] == s) return true;
  if (count == kMaxStates) return false;
  to[count++] = s;
  return true;
}

Judge::Judge(const Table& table) : impl_(std::make_unique<Impl>()) { impl_->table = &table; }
Judge::~Judge() = default;

void Judge::SetStyle(GuideStyle style) {
  if (impl_->style == style) return;
  impl_->style = style;
  impl_->Solve(style);
  if (!Complete()) impl_->Replan();
}

void Judge::SetFinalNAllowed(bool allowed) {
  Impl& m = *impl_;
  if (m.finalN == allowed) return;
  m.finalN = allowed;
  m.Solve(GuideStyle::Fewest);
  m.fewest = m.BestAt(0, kFree) / kKeyWeight;
  m.Solve(m.style);
  if (Complete()) {
    m.guide.clear(), m.guideAt = 0;
  } else {
    m.Replan();
  }
}

bool Judge::Start(std::u32string_view reading) {
  Impl& m = *impl_;
  m.reading.assign(reading);
  for (auto& ch : m.reading) ch = ToHiragana(ch);
  const bool typable = m.table->Typable(m.reading);
  if (!typable) m.reading.clear();
  m.BuildUnits();
  m.Solve(GuideStyle::Fewest);
  m.fewest = m.BestAt(0, kFree) / kKeyWeight;
  m.Solve(m.style);
  const size_t room = 5 * m.reading.size() + 8;
  m.typed.clear();
  m.typed.reserve(room);
  m.guide.reserve(room);
  m.stateCount = 0;
  m.states[m.stateCount++] = State{};
  m.Replan();
  return typable;
}

KeyResult Judge::Key(char ch) {
  Impl& m = *impl_;
  if (Complete()) return {false, KanaDone(), true};
  const char key = Lower(ch);
  int count = 0;
  for (int i = 0; i < m.stateCount; ++i) {
    const State& s = m.states[i];
    if (s.pos >= m.N()) continue;
    if (s.length == 0) {
      if (s.need == kAfterN && !AllowedAfterN(key)) continue;
      if (s.need >= 2 && key != 'a' + (s.need - 2)) continue;
      if (m.reading[s.pos] == kSmallTsu && Doublable(key) && m.BestAt(s.pos + 1, Slot(key)) < kInf)
        m.Add(m.next, count, State{s.pos + 1, static_cast<uint8_t>(Slot(key)), 0, {}});
    }
    for (int u = m.unitBegin[s.pos]; u < m.unitBegin[s.pos + 1]; ++u) {
      const Unit& un = m.units[u];
      if (un.spelling.size() <= s.length || Lower(un.spelling[s.length]) != key || !m.Viable(un, s.pos)) continue;
      bool match = true;
      for (int k = 0; k < s.length && match; ++k) match = Lower(un.spelling[k]) == s.prefix[k];
      if (!match) continue;
      if (un.spelling.size() == s.length + 1u) {
        auto [to, need] = Impl::Follow(un, s.pos);
        m.Add(m.next, count, State{to, static_cast<uint8_t>(need), 0, {}});
      } else {
        State longer{s.pos, kFree, static_cast<uint8_t>(s.length + 1), s.prefix};
        longer.prefix[s.length] = key;
        m.Add(m.next, count, longer);
      }
    }
  }
  if (count == 0) return {false, KanaDone(), false};
  std::swap(m.states, m.next);
  m.stateCount = count;
  m.typed.push_back(ch);
  if (Complete()) {
    m.guide.clear(), m.guideAt = 0;
  } else if (m.guideAt < m.guide.size() && Lower(m.guide[m.guideAt]) == key) {
    ++m.guideAt;  // the player follows the guide: it stays as it is
  } else {
    m.Replan();
  }
  return {true, KanaDone(), Complete()};
}

std::u32string_view Judge::Reading() const { return impl_->reading; }
std::string_view Judge::Typed() const { return impl_->typed; }
std::string Judge::Guide() const { return impl_->guide.substr(impl_->guideAt); }
char Judge::NextKey() const { return impl_->guideAt < impl_->guide.size() ? impl_->guide[impl_->guideAt] : '\0'; }

int Judge::KanaDone() const {
  if (Complete()) return KanaCount();
  int done = KanaCount();
  for (int i = 0; i < impl_->stateCount; ++i) done = std::min(done, impl_->states[i].pos);
  return done;
}

int Judge::KanaCount() const { return impl_->N(); }

bool Judge::Complete() const {
  const Impl& m = *impl_;
  for (int i = 0; i < m.stateCount; ++i) {
    const State& s = m.states[i];
    if (s.pos == m.N() && s.length == 0 && (s.need == kFree || (s.need == kAfterN && m.finalN))) return true;
  }
  return false;
}

int Judge::CurrentKana() const { return KanaDone(); }
int Judge::FewestKeys() const { return impl_->fewest; }

}  // namespace game::romaji
