#include "drill/DrillRun.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

#include "game/Digits.h"
#include "game/Modes.h"
#include "platform/JisLayout.h"
#include "platform/Keyboard.h"

namespace drill {

namespace {

// Per time index 0..3: the full length in tenths and the spacing of the lid checkpoints.
constexpr std::array<int, 4> kFullLength = {300, 600, 1200, 9999};
constexpr std::array<int, 4> kCheckpointScale = {1, 2, 4, 1};

// The drill's kana go by the character a key types without the kana lock. A key's own
// character gives its kana, and Shift changes that only where Shift types no character of its
// own but the capital or nothing (ｦ, ｨ, ｯ); a shifted character gives the key's shifted kana
// where that differs from the plain one (# ｧ, < ､), else none (!, ", |).
struct KanaTable {
  std::array<uint8_t, 256> plain{}, shifted{};
};

// Where the drill reads a character otherwise: the '=' of Shift+ほ is ｰ, and the ro key
// reaches the drill as the '_' of its key-down (its backslash is the yen key's).
struct KanaException {
  char key;
  uint8_t kana;
};
constexpr KanaException kKanaExceptions[] = {{'=', plat::KanaByte("ｰ")}, {'_', plat::KanaByte("ﾛ")}};

// Indexed by the (lower-cased) key character; 0 where the key types no kana.
constexpr KanaTable BuildKanaTable() {
  KanaTable t;
  for (const plat::JisKey& k : plat::kJisKeys) {
    if (k.vk == plat::vk::Space) continue;  // the space is judged as it is
    const bool shiftTypesOwnCharacter = k.shifted != 0 && !k.ShiftGivesCapital();
    if (t.plain[k.plain] == 0) {  // a character two keys type is the first key's
      t.plain[k.plain] = k.kana;
      t.shifted[k.plain] = shiftTypesOwnCharacter ? k.kana : k.kanaShifted;
    }
    if (shiftTypesOwnCharacter && k.kanaShifted != k.kana) t.plain[k.shifted] = t.shifted[k.shifted] = k.kanaShifted;
  }
  for (const KanaException& e : kKanaExceptions) {
    const auto i = static_cast<uint8_t>(e.key);
    t.plain[i] = t.shifted[i] = e.kana;
  }
  return t;
}

constexpr KanaTable kKanaTable = BuildKanaTable();

uint8_t FoldCase(uint8_t c) { return c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c + ('a' - 'A')) : c; }

int SaturatedAdd(int v) { return v < std::numeric_limits<int>::max() ? v + 1 : v; }

// 16 points a hit, 16 off a miss, kept within what the tables store.
int ScoreOf(int good, int miss) {
  return static_cast<int>(std::clamp<int64_t>(16 * (static_cast<int64_t>(good) - miss), 0, 65535));
}

// Keys per second × 1000 as "D.DDD" behind a blank or as "DD.DDD".
std::string RateDigits(int rate) {
  std::string digits = "00000";
  game::FormatDigits5(digits, 0, std::min(rate, 65535));
  std::string text = digits.substr(0, 2) + "." + digits.substr(2);
  if (text[0] == '0') text[0] = ' ';
  return text;
}

}  // namespace

DrillRun::DrillRun(game::PlayState& state, game::Screens& screens, ui::MainControls& c, plat::Platform& platform, ui::Timer& F1T1,
                   ui::Timer& F8T1, KeyCaps& keyCaps, MissStats& missStats, RankTables& rankTables,
                   DrillTexts& texts)
    : s_(state), screens_(screens), C(c), platform_(platform), F1T1_(F1T1), F8T1_(F8T1), keyCaps_(keyCaps),
      missStats_(missStats), rankTables_(rankTables), texts_(texts) {}

uint8_t DrillRun::MapKanaKey(uint8_t ch, bool shift) {
  if (ch == ' ' || (ch >= 0xA1 && ch <= 0xDF)) return ch;
  const uint8_t key = FoldCase(ch);
  return shift ? kKanaTable.shifted[key] : kKanaTable.plain[key];
}

uint8_t DrillRun::TextAt(int i) const { return i < 0 ? 0 : s_.DrillText.At(static_cast<size_t>(i)); }

uint8_t DrillRun::NextChar() const {
  const uint8_t c = TextAt(s_.TextPos);
  return c != 0 ? c : TextAt(0);
}

int DrillRun::Duration() const { return std::clamp(s_.DurationIndex, 0, game::kUntimed); }

bool DrillRun::HasRankTable() const {
  return s_.Mode >= 0 && s_.Mode < game::kLessonMode && s_.DurationIndex >= 0 && s_.DurationIndex < game::kUntimed;
}

void DrillRun::DrillKey(uint8_t ch) {
  JudgeKey(ch);
  AnnounceEnd();
}

// The clock's second end of a drill ended by Esc keeps its screen effects, but tells nothing.
void DrillRun::AnnounceEnd() {
  if (std::exchange(ended_, false) && !std::exchange(announced_, true)) Ended.Tell();
}

void DrillRun::DiscardUntimedResult() {
  if (s_.DurationIndex >= game::kUntimed && !Practice()) s_.Score = s_.Good = s_.Miss = 0;
}

void DrillRun::JudgeKey(uint8_t ch) {
  uint8_t target = TextAt(s_.TextPos);
  s_.TypedChar = ch;
  // The ro key arrives twice: the '_' of its key-down, then its own '\'. Only the first counts.
  if (s_.PrevRawChar == '_' && ch == '\\') {
    s_.PrevRawChar = 0;
    return;
  }
  s_.PrevRawChar = ch;
  // Kana go by the place of the key that typed the character, as on a JIS keyboard.
  if (game::IsKanaMode(s_.Mode) && s_.TypedChar < 0xA1)
    s_.TypedChar = MapKanaKey(platform_.Keys().KanaKeyChar(ch), platform_.ShiftDown());
  if (s_.SwitchB) {
    target = FoldCase(target);
    s_.TypedChar = FoldCase(s_.TypedChar);
  }
  // The terminator of the text is no character to type: a key without kana (0) must not
  // match it, or an empty text would start the clock.
  const bool match = target != 0 && s_.TypedChar == target;
  if (match) {
    F1T1_.SetEnabled(true);
    if (!s_.DrillRunning) {
      s_.DrillStartClock = static_cast<int32_t>(platform_.CalendarSeconds());
      s_.DrillRunning = 1;
      s_.DrillStartTick = s_.RateWindowStart = static_cast<int32_t>(platform_.TickCount() / 100);
      s_.RateWindowKeys = 0;
    }
  }
  if (ch == plat::ch::Escape) {
    s_.TimeLeft = 0;
    DiscardUntimedResult();
    EndDrill();
    if (HasRankTable()) rankTables_.ShowRankTable(game::TableIndex(s_.Mode, s_.DurationIndex));
  }
  // Wrong keys before the first hit are not judged.
  if (!match && !F1T1_.Enabled()) return;
  if (target == 0) {
    s_.TextPos = 0;
    target = TextAt(0);
    if (s_.SwitchB) target = FoldCase(target);
  }
  const bool hit = target != 0 && s_.TypedChar == target;
  // The Esc that ends the drill is no attempt at the key.
  if (keyLog_ && ch != plat::ch::Escape) keyLog_->Judge(target, s_.TypedChar, hit, platform_.TickCount());
  HitOrMiss(hit, target);
  s_.DatRecord.AddTotalKeys();
  if (hit) {
    s_.DatRecord.AddTodayGood();
    s_.GoodSinceStart = std::min(s_.GoodSinceStart + 1, 65535);
  }
  s_.Score = std::clamp(s_.Score, 0, 65535);
  if (hit) keyCaps_.ClearKeyCapColours();
  RefreshDrillScreen();
}

void DrillRun::HitOrMiss(bool hit, uint8_t target) {
  if (hit) {
    s_.Good = SaturatedAdd(s_.Good);
    s_.Score = ScoreOf(s_.Good, s_.Miss);
    s_.DatRecord.AddGoodKeys();
    s_.TextPos += 1;
    s_.LookaheadPos += 1;
    s_.LastHitChar = s_.TypedChar;
    auto& cells = s_.DrillWindow.bytes;
    std::copy(cells.begin() + 1, cells.begin() + 11, cells.begin());
    uint8_t c = TextAt(s_.LookaheadPos);
    if (c == 0) {
      s_.LookaheadPos = 0;
      c = TextAt(0);
    }
    cells[10] = c;
    cells[11] = 0;
  } else {
    s_.Miss = SaturatedAdd(s_.Miss);
    missStats_.CountMiss(target);
    s_.DatRecord.AddMissKeys();
    s_.Score = ScoreOf(s_.Good, s_.Miss);
    // The MISS limiter: the ninth miss ends the drill.
    if (s_.SwitchPlus && s_.Miss >= 9) {
      s_.TimeLeft = 0;
      DiscardUntimedResult();
      EndDrill();
    }
  }
  s_.RateWindowKeys = SaturatedAdd(s_.RateWindowKeys);
}

void DrillRun::StartDrill() {
  announced_ = false;
  if (keyLog_) keyLog_->Reset();
  s_.DrillMissCounts.fill(0);
  missStats_.DrawMissStats();
  s_.DrillRunning = 0;
  s_.Score = s_.Good = s_.Miss = 0;
  s_.TypedChar = 0;
  texts_.PrepareRandomTexts();
  // Five blanks, then the text from its start; a text shorter than the window repeats in
  // it as it does while typing.
  auto& cells = s_.DrillWindow.bytes;
  cells.fill(0);
  std::fill(cells.begin(), cells.begin() + 5, ' ');
  int look = 0;
  for (size_t cell = 5; cell <= 10; ++cell) {
    if (cell > 5 && TextAt(++look) == 0) look = 0;
    cells[cell] = TextAt(look);
  }
  s_.TextPos = 0;
  s_.LookaheadPos = look;
  keyCaps_.ClearKeyCapColours();
  keyCaps_.ResetKeyCapFonts();
  s_.LastHitChar = 0;
  if (game::IsKanaMode(s_.Mode))
    keyCaps_.ShowKanaCaps();
  else
    keyCaps_.ShowLatinCaps();
  C.F1P1->SetVisible(s_.SwitchK);
  for (ui::Label* row : {C.F1L16, C.F1L17, C.F1L18, C.F1L19, C.F1L20}) {
    row->SetCaption("");
    row->SetFontColor(ui::clr::White);
  }
  C.F1L23->SetVisible(s_.SwitchT);
  s_.CheckpointIndex = 0;
  s_.RateWindowKeys = 0;
  RefreshDrillScreen();
}

void DrillRun::EndDrill() {
  ended_ = true;
  if (Practice()) rankTables_.PracticeEnded(static_cast<int>(platform_.TickCount() / 100) - s_.DrillStartTick);
  if (s_.Good > 0) {
    // Also a second call (the clock running out after Esc) restarts the one-second wait.
    screens_.Show(game::Screen::Splash);
    F8T1_.SetInterval(1000);
    F8T1_.SetEnabled(false);
    F8T1_.SetEnabled(true);
    screens_.Hide(game::Screen::Drill);
    return;
  }
  // Without a hit the drill screen goes at once; once it is gone a second call leaves the
  // screen the player has moved on to.
  if (!screens_.Shown(game::Screen::Drill)) return;
  if (s_.DurationIndex < game::kUntimed)
    screens_.Show(game::Screen::Results);
  else
    screens_.Show(game::Screen::Title);
  screens_.Hide(game::Screen::Drill);
  if (Practice()) rankTables_.FinishPractice();
}

void DrillRun::F1T1Timer() {
  ClockTick();
  AnnounceEnd();
}

void DrillRun::ClockTick() {
  const int d = Duration();
  const int full = kFullLength[static_cast<size_t>(d)];
  // The untimed clock follows the wall clock, so the drift check never corrects it.
  if (d >= game::kUntimed) s_.DrillStartClock = static_cast<int32_t>(platform_.CalendarSeconds());
  // Every sixth tick the clock is held against the wall clock.
  if (s_.DriftCheckTicks < 5) {
    ++s_.DriftCheckTicks;
  } else {
    s_.DriftCheckTicks = 0;
    const int64_t counted = (full - s_.TimeLeft) / 10;
    const int64_t wall = platform_.CalendarSeconds() - s_.DrillStartClock;
    if (counted < wall) {
      const int64_t lag = wall - counted;
      if (lag == 1)
        s_.TimeLeft -= 5;
      else if (lag > 5)
        s_.TimeLeft = static_cast<int>(std::max<int64_t>(s_.TimeLeft - (10 * lag - 10), -1));
    }
  }
  s_.TimeLeft -= 1;
  if (s_.TimeLeft < 0) {
    s_.TimeLeft = 1;
    F1T1_.SetEnabled(false);
    DiscardUntimedResult();
    EndDrill();
    s_.DrillRunning = 0;
  }
  // The rate window keeps a decaying count of the last ten seconds or so.
  const auto t = static_cast<int32_t>(platform_.TickCount() / 100);
  if (t < s_.RateWindowStart) {
    s_.RateWindowStart = t;  // the tick count wrapped
  } else if (t - s_.RateWindowStart > 100) {
    s_.RateWindowStart = t - 10;
    s_.RateWindowKeys /= 10;
  }
  LidCheckpoint();
  if (d >= game::kUntimed) EternalLid();
  RefreshDrillScreen();
}

// The split times under the lid: five rows at even steps through the drill, each with
// this drill's score and the best score reached at that point since the program started.
void DrillRun::LidCheckpoint() {
  const int d = Duration();
  const int elapsed = kFullLength[static_cast<size_t>(d)] - s_.TimeLeft;
  const int k = s_.CheckpointIndex;
  if (k < 0 || k > 4 || elapsed <= 50 * kCheckpointScale[static_cast<size_t>(d)] * (k + 1)) return;
  // Only timed drills of a drill mode keep checkpoint bests.
  uint16_t* best = HasRankTable() ? &s_.CheckpointBest[static_cast<size_t>(s_.Mode)]
                                                      [static_cast<size_t>(d)][static_cast<size_t>(k)]
                                  : nullptr;
  std::string text = "XXXs  XXXXX  XXXXX";
  game::FormatDigits3(text, 0, elapsed / 10);
  game::FormatDigits5(text, 6, s_.Score);
  game::FormatDigits5(text, 13, best ? *best : 0);
  ui::Label* rows[] = {C.F1L16, C.F1L17, C.F1L18, C.F1L19, C.F1L20};
  ui::Label* row = rows[k];
  row->SetCaption(text);
  if (best && *best < s_.Score) {
    if (*best != 0) row->SetFontColor(ui::clr::Lime);
    *best = static_cast<uint16_t>(s_.Score);
  }
  s_.CheckpointIndex = k + 1;
}

// The untimed drill's lid: the current line on top and, every 30 seconds, a line pushed
// into the history below it.
void DrillRun::EternalLid() {
  int h = static_cast<int>(platform_.TickCount() / 100) - s_.DrillStartTick;
  if (h < 0) {
    s_.DrillStartTick = static_cast<int>(platform_.TickCount() / 100);
    h = 0;
  }
  if (h < 50) s_.EternalRowPeriod = 0;
  char line[96];
  std::snprintf(line, sizeof line, "%4d  %5d  %8s (%lldk/m)", h / 10, static_cast<int>(s_.DatRecord.TodayGood()),
                C.F1L23->Caption().c_str(), static_cast<long long>(s_.KeyRate) * 60 / 1000);
  const ui::Color colour = C.F1L21->FontColor();
  if (h / 300 != s_.EternalRowPeriod) {
    const std::pair<ui::Label*, ui::Label*> pushes[] = {{C.F1L20, C.F1L19}, {C.F1L19, C.F1L18}, {C.F1L18, C.F1L17}};
    for (const auto& [to, from] : pushes) {
      to->SetCaption(from->Caption());
      to->SetFontColor(from->FontColor());
    }
    C.F1L17->SetCaption(line);
    C.F1L17->SetFontColor(colour);
    s_.EternalRowPeriod = h / 300;
  }
  if (h != s_.EternalLastSecond) {
    C.F1L16->SetCaption(line);
    C.F1L16->SetFontColor(colour);
    s_.EternalLastSecond = h;
  }
}

void DrillRun::RefreshDrillScreen() {
  if (s_.RefreshBusy) return;
  s_.RefreshBusy = 1;
  // The untimed clock never runs out.
  if (s_.DurationIndex >= game::kUntimed && s_.TimeLeft >= 1000) s_.TimeLeft = 9999;
  if (s_.TimeLeft != s_.ShownTimeLeft) {
    const int t = std::clamp(s_.TimeLeft, 0, 9999);
    const char text[] = {static_cast<char>('0' + t / 1000), static_cast<char>('0' + t / 100 % 10),
                         static_cast<char>('0' + t / 10 % 10), '.', static_cast<char>('0' + t % 10), 0};
    C.F1L2->SetCaption(text);
    s_.ShownTimeLeft = s_.TimeLeft;
  }
  std::string score = "00000";
  game::FormatDigits5(score, 0, s_.Score);
  C.F1L4->SetCaption(score);
  C.F1L6->SetCaption(std::to_string(s_.Good));
  C.F1L8->SetCaption(std::to_string(s_.Miss));
  C.F1L9->SetCaptionBytes(s_.DrillWindow.View());
  const uint8_t next = NextChar();
  std::string typed = "     ";
  if (next != 0) typed += static_cast<char>(next);
  C.F1L15->SetCaptionBytes(typed);
  ShowMarks(next);
  ShowRateAndLidTitle();
  s_.RefreshBusy = 0;
}

void DrillRun::ShowMarks(uint8_t next) {
  if (s_.SwitchR) {
    if (s_.LastHitChar != next) keyCaps_.UnmarkKeyReverse(s_.LastHitChar);
    keyCaps_.MarkKeyReverse(next);
  } else {
    if (s_.LastHitChar != next) keyCaps_.UnmarkKey(s_.LastHitChar);
    keyCaps_.MarkKey(next);
  }
}

void DrillRun::ShowRateAndLidTitle() {
  const int d = Duration();
  int64_t count, elapsed;
  if (d < game::kUntimed) {
    count = static_cast<int64_t>(s_.Good) + s_.Miss;
    elapsed = kFullLength[static_cast<size_t>(d)] - s_.TimeLeft;
  } else {
    count = s_.RateWindowKeys;
    elapsed = static_cast<int64_t>(platform_.TickCount() / 100) - s_.RateWindowStart;
  }
  if (elapsed <= 0) elapsed = 1;
  s_.KeyRate = static_cast<int>(std::min<int64_t>(count * 10000 / elapsed, std::numeric_limits<int>::max()));
  C.F1L23->SetCaption(RateDigits(s_.KeyRate) + " k/s");
  C.F1L23->SetVisible(s_.SwitchT);

  if (d >= game::kUntimed || !HasRankTable()) {
    C.Label39->SetCaption(">>>  ETERNAL  <<<");
    C.Label39->SetFontColor(ui::clr::Yellow);
    C.F1P2->SetCaption("TIME  TODAY  TYPE/S");
    return;
  }
  const int r = rankTables_.RankPosition(s_.Score, s_.Mode, d);
  std::string first = "*****", second;
  if (r < 10) {
    char place[16];
    std::snprintf(place, sizeof place, "No.%2d", r + 1);
    first = place;
  }
  if (r == 0)
    first += " ### TOP ###";
  else
    second = "(next->" + std::to_string(rankTables_.RankScore(r - 1, s_.Mode, d)) + ")";
  static constexpr ui::Color kRankColours[] = {ui::clr::Red,   ui::clr::Yellow, ui::clr::Aqua, ui::clr::Lime,
                                               ui::clr::Lime,  ui::clr::Lime,   ui::clr::Green, ui::clr::Green,
                                               ui::clr::Green, ui::clr::Blue,   ui::clr::Blue};
  C.Label39->SetCaption(first + second);
  C.Label39->SetFontColor(kRankColours[std::clamp(r, 0, 10)]);
  C.F1P2->SetCaption("TIME  SCORE  HSCORE");
}

}  // namespace drill
