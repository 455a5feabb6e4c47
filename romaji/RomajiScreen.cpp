#include "romaji/RomajiScreen.h"

#include <QString>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/JisLayout.h"
#include "platform/Keyboard.h"

namespace romaji {
namespace {

// Columns of the reading and the guide lines (half-width cells at 14 pixels, 448 pixels),
// and of the entry's line (at 18 pixels).
constexpr int kLineCells = 64;
constexpr int kEntryCells = 49;
// How long a wrong key stays red on the keyboard.
constexpr uint32_t kFlashMs = 250;

bool HalfWidth(char32_t c) { return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F); }

// The window of at most `width` half-width cells through which a text wider than its line is
// shown, as the drill's text window: a quarter of a line before the place `at` being typed,
// never ending short of a line while the text goes on. [first, last) of `text`.
std::pair<size_t, size_t> Window(std::u32string_view text, size_t at, int width) {
  const auto cells = [](char32_t c) { return HalfWidth(c) ? 1 : 2; };
  at = std::min(at, text.size());
  size_t first = at;
  for (int behind = 0; first > 0 && behind + cells(text[first - 1]) <= width / 4;) behind += cells(text[--first]);
  int after = 0;
  for (size_t i = first; i < text.size(); ++i) after += cells(text[i]);
  while (first > 0 && after + cells(text[first - 1]) <= width) after += cells(text[--first]);
  size_t last = first;
  for (int used = 0; last < text.size() && used + cells(text[last]) <= width; ++last) used += cells(text[last]);
  return {first, last};
}

// One line of text as two overlaid captions, seen through the window above: the whole line,
// and its first `done` characters to lie over it in their own colour. Each caption is opaque
// and as wide as its text (fixed pitch), so a key that follows the line changes only the
// second, and repaints no more than the characters it covers.
std::pair<std::string, std::string> Overlay(std::u32string_view text, size_t done) {
  const auto [first, last] = Window(text, done, kLineCells);
  const size_t doneEnd = std::clamp(done, first, last);
  return {QString::fromStdU32String(std::u32string(text.substr(first, doneEnd - first))).toStdString(),
          QString::fromStdU32String(std::u32string(text.substr(first, last - first))).toStdString()};
}

// The entry as written, through a window that moves along with the reading typed.
std::string EntryLine(const std::u32string& text, size_t kanaDone, size_t kanaCount) {
  const size_t at = kanaCount > 0 ? kanaDone * text.size() / kanaCount : 0;
  const auto [first, last] = Window(text, at, kEntryCells);
  return QString::fromStdU32String(text.substr(first, last - first)).toStdString();
}

std::u32string Latin(std::string_view text) { return {text.begin(), text.end()}; }

std::string ListFileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

RomajiScreen::RomajiScreen(game::PlayState& state, game::Screens& screens, ui::MainControls& c,
                           plat::Platform& platform, const game::Options& options, drill::RankTables& rankTables)
    : s_(state), screens_(screens), C(c), platform_(platform), options_(options), keyboard_(c),
      results_(screens, c, platform, rankTables) {}

void RomajiScreen::ApplyOptions() {
  judge_.SetStyle(static_cast<game::romaji::GuideStyle>(std::min<int>(options_.romaji.guideStyle, 2)));
  judge_.SetFinalNAllowed(options_.romaji.finalN);
  if (screens_.Shown(game::Screen::Romaji)) Refresh();
}

void RomajiScreen::SetWordsFile(const std::string& path) {
  lists_.SetWordsFile(path);
  if (phase_ != Phase::Ready || practice_ || !screens_.Shown(game::Screen::Romaji)) return;
  choices_ = lists_.Choices(kind_);
  choice_ = 0;
  UseList(lists_.Load(choices_[0], kind_));
  NextEntry();
  Refresh();
}

void RomajiScreen::Open(Kind kind, int timeSetting, game::Screen from) {
  kind_ = kind;
  practice_ = false;
  from_ = from;
  run_.Start(timeSetting);
  choices_ = lists_.Choices(kind);
  choice_ = 0;
  UseList(lists_.Load(choices_[0], kind));
  random_.Seed(static_cast<uint32_t>(platform_.CalendarSeconds()));
  entries_ = kana_ = keys_ = fewest_ = 0;
  phase_ = Phase::Ready;
  ApplyOptions();
  NextEntry();
  results_.Hide();
  keyboard_.Clear();
  C.RjP10->SetVisible(!s_.SwitchK);  // KEY OFF hides the keyboard here too
  Refresh();
  screens_.Show(game::Screen::Romaji);
  screens_.Hide(from);
}

void RomajiScreen::StartPractice(std::vector<game::romaji::Entry> entries) {
  const game::Screen from = screens_.AnyShown() ? screens_.Current() : game::Screen::Title;
  Open(Kind::Words, 3, from == game::Screen::Romaji ? game::Screen::Title : from);
  practice_ = true;
  choices_.clear();
  list_ = {};
  list_.name = "苦手かな練習";
  list_.entries = std::move(entries);
  message_.clear();
  if (list_.entries.empty()) {
    UseList(lists_.Load(lists_.ShippedPath(Kind::Words), Kind::Words));
    practice_ = true;
  }
  NextEntry();
  Refresh();
}

std::vector<game::romaji::Entry> RomajiScreen::PracticePool() const {
  std::vector<game::romaji::Entry> pool;
  std::string previous;
  for (Kind kind : {Kind::Words, Kind::Phrases}) {
    const std::string path = lists_.Choices(kind).front();
    if (path == previous) continue;  // --words chose one list for both
    previous = path;
    std::vector<game::romaji::Entry> entries = lists_.Load(path, kind).list.entries;
    pool.insert(pool.end(), std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
  }
  return pool;
}

void RomajiScreen::UseList(const RomajiLists::Loaded& loaded) {
  list_ = loaded.list;
  if (list_.name.empty()) list_.name = ListFileName(list_.path);
  message_.clear();
  // The first problem and, for a list that gave way, what the drill goes on with.
  const std::vector<std::string>& m = loaded.messages;
  if (!m.empty()) message_ = m.front();
  if (m.size() > 2) message_ += " (ほか" + std::to_string(m.size() - 2) + "件)";
  if (m.size() > 1) message_ += " " + m.back();
  entry_ = -1;
}

// ←/→ before the first key: the previous or next list.
void RomajiScreen::Choose(int step) {
  if (phase_ != Phase::Ready || practice_ || choices_.size() < 2) return;
  const auto n = static_cast<int>(choices_.size());
  choice_ = static_cast<size_t>((static_cast<int>(choice_) + step + n) % n);
  UseList(lists_.Load(choices_[choice_], kind_));
  NextEntry();
  Refresh();
}

// An entry drawn at random, not the same twice in a row when the list has more.
void RomajiScreen::NextEntry() {
  const auto n = static_cast<int>(list_.entries.size());
  if (n == 0) {
    entry_ = -1;
    judge_.Start(U"");
    return;
  }
  for (int tries = 0; tries < n + 4; ++tries) {
    int next = random_.Below(n);
    if (n > 1 && next == entry_) next = (next + 1) % n;
    entry_ = next;
    if (judge_.Start(list_.entries[static_cast<size_t>(entry_)].kana)) break;
  }
  tally_.EntryStarted(platform_.TickCount());
}

void RomajiScreen::Key(uint8_t ch) {
  if (ch == plat::ch::Escape) {
    if (phase_ == Phase::Running) {
      // As in the drills, the Esc that cuts a timed drill short is a miss; it is the only
      // way to end an untimed one, and costs nothing there.
      if (run_.Timed()) run_.Missed();
      End("esc");
    } else if (phase_ == Phase::Ready) {
      Leave(practice_ ? game::Screen::Title : from_);
    }
    return;
  }
  // Only the printable ASCII keys are typed; Enter, Tab, Backspace and the rest pass.
  if (phase_ == Phase::Results || ch < 0x20 || ch > 0x7E || entry_ < 0 || judge_.Complete()) return;
  const char key = static_cast<char>(ch);
  const char expected = judge_.NextKey();
  const int before = judge_.KanaDone();
  const int current = judge_.CurrentKana();
  const uint32_t tick = platform_.TickCount();
  const game::romaji::KeyResult r = judge_.Key(key);
  if (r.accepted)
    Accepted(r, before, tick);
  else
    Missed(expected, key, current);
  Refresh();
}

void RomajiScreen::Accepted(const game::romaji::KeyResult& r, int before, uint32_t tick) {
  if (run_.Accepted(tick)) {
    phase_ = Phase::Running;
    startedAt_ = Stamp();
    tally_.Reset(tick);
    message_.clear();
  }
  PlaySoundOf(game::KeyOutcome::Hit);
  keyboard_.Unflash();
  flashing_ = false;
  const game::romaji::Entry& e = list_.entries[static_cast<size_t>(entry_)];
  tally_.Completed(e.kana, before, r.kanaDone, tick);
  if (!r.complete) return;
  ++entries_;
  kana_ += judge_.KanaCount();
  keys_ += static_cast<int>(judge_.Typed().size());
  fewest_ += judge_.FewestKeys();
  NextEntry();
}

// A wrong key flashes on the keyboard; before the clock starts it counts nothing.
void RomajiScreen::Missed(char expected, char typed, int kana) {
  keyboard_.Flash(typed);
  flashing_ = true;
  flashUntil_ = platform_.TickCount() + kFlashMs;
  if (phase_ != Phase::Running) return;
  run_.Missed();
  tally_.Missed(list_.entries[static_cast<size_t>(entry_)].kana, kana, expected, typed);
  PlaySoundOf(game::KeyOutcome::Miss);
}

void RomajiScreen::PlaySoundOf(game::KeyOutcome outcome) {
  if (const auto sound = game::SoundOfKey(outcome, options_.romaji)) platform_.PlaySound(*sound);
}

void RomajiScreen::KeyDown(uint16_t vk) {
  if (vk == plat::vk::Left) Choose(-1);
  if (vk == plat::vk::Right) Choose(1);
}

void RomajiScreen::KeyUp(uint16_t vk) {
  if (vk == plat::vk::Space && phase_ == Phase::Results) LeaveResults();
}

void RomajiScreen::Tick() {
  const uint32_t tick = platform_.TickCount();
  if (flashing_ && static_cast<int32_t>(tick - flashUntil_) >= 0) {
    keyboard_.Unflash();
    flashing_ = false;
  }
  if (phase_ != Phase::Running) return;
  if (run_.TimeUp(tick)) {
    End("time");
    return;
  }
  ShowClockLine();
}

void RomajiScreen::End(const char* endedBy) {
  const uint32_t tick = platform_.TickCount();
  phase_ = Phase::Results;
  keyboard_.Clear();
  ShowClockLine();
  Summary summary;
  summary.list = list_.name;
  summary.kind = static_cast<int>(kind_);
  summary.timeSetting = run_.TimeSetting();
  summary.practice = practice_;
  summary.good = run_.Good();
  summary.miss = run_.Miss();
  summary.score = run_.Score();
  summary.ms = run_.ElapsedMs(tick);
  summary.entries = entries_;
  summary.kana = kana_ + judge_.KanaDone();
  summary.keys = keys_;
  summary.fewest = fewest_;
  summary.started = startedAt_;
  summary.endedBy = endedBy;
  results_.Show(summary, tally_);
}

void RomajiScreen::LeaveResults() {
  if (phase_ != Phase::Results) return;
  Leave(game::Screen::Title);
}

void RomajiScreen::Leave(game::Screen to) {
  results_.Hide();
  phase_ = Phase::Ready;
  practice_ = false;
  screens_.Show(to);
  screens_.Hide(game::Screen::Romaji);
}

std::string RomajiScreen::Stamp() {
  const plat::LocalDateTime t = platform_.Now();
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return buf;
}

// The clock as the drills show it, and the counts.
void RomajiScreen::ShowClockLine() {
  const int t = std::clamp(run_.ClockTenths(platform_.TickCount()), 0, 9999);
  char line[96];
  std::snprintf(line, sizeof line, "TIME:%03d.%d  SCORE:%05d  GOOD:%d  MISS:%d", t / 10, t % 10, run_.Score(),
                run_.Good(), run_.Miss());
  C.RjL2->SetCaption(line);
}

void RomajiScreen::Refresh() {
  std::string title = practice_ ? "苦手かな練習" : std::string(KindName(static_cast<int>(kind_)));
  title += "  " + list_.name + "  (" + TimeName(run_.TimeSetting()) + ")";
  C.RjL1->SetCaption(title);
  ShowClockLine();
  if (entry_ >= 0) {
    const game::romaji::Entry& e = list_.entries[static_cast<size_t>(entry_)];
    const std::u32string text = QString::fromStdString(e.text).toStdU32String();
    C.RjL3->SetCaption(e.text.empty() ? std::string(" ")
                                      : EntryLine(text, static_cast<size_t>(judge_.KanaDone()), e.kana.size()));
    const auto [doneKana, reading] = Overlay(judge_.Reading(), static_cast<size_t>(judge_.KanaDone()));
    C.RjL4->SetCaption(reading);
    C.RjL5->SetCaption(doneKana);
    const std::string typed(judge_.Typed());
    const auto [doneKeys, guide] = Overlay(Latin(typed + judge_.Guide()), typed.size());
    C.RjL6->SetCaption(guide);
    C.RjL7->SetCaption(doneKeys);
    // Nothing done yet: an empty caption keeps the size of a blank, which would hide the
    // first character of the line.
    C.RjL5->SetVisible(!doneKana.empty());
    C.RjL7->SetVisible(!doneKeys.empty());
  } else {
    for (ui::Label* l : {C.RjL3, C.RjL4, C.RjL5, C.RjL6, C.RjL7}) l->SetCaption("");
  }
  std::string line = message_;
  if (line.empty() && phase_ == Phase::Ready)
    line = practice_ || choices_.size() < 2 ? "最初のキーでスタート  ESC:もどる"
                                            : "←→:一覧を選ぶ  最初のキーでスタート  ESC:もどる";
  C.RjL8->SetCaption(line);
  C.RjL8->SetFontColor(message_.empty() ? ui::clr::Yellow : ui::clr::Red);
  keyboard_.MarkNext(phase_ == Phase::Results ? '\0' : judge_.NextKey());
}

RomajiScreen::View RomajiScreen::Snapshot() const {
  View v;
  v.list = list_.name;
  if (entry_ >= 0) {
    const game::romaji::Entry& e = list_.entries[static_cast<size_t>(entry_)];
    v.text = e.text;
    v.reading = e.reading;
    v.typed = std::string(judge_.Typed());
    v.guide = judge_.Guide();
    v.kanaDone = judge_.KanaDone();
  }
  v.done = entries_;
  v.good = run_.Good();
  v.miss = run_.Miss();
  return v;
}

}  // namespace romaji
