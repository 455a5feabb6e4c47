#include "drill/DrillRun.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

#include "game/Digits.h"
#include "game/KeySounds.h"
#include "game/Modes.h"
#include "platform/JisLayout.h"
#include "platform/Keyboard.h"

namespace drill {

namespace {

// Per time index 0..3: the spacing of the lid checkpoints.
constexpr std::array<int, 4> kCheckpointScale = {1, 2, 4, 1};

// Keys per second × 1000 as "D.DDD" behind a blank or as "DD.DDD".
std::string RateDigits(int rate) {
  std::string digits = "00000";
  game::FormatDigits5(digits, 0, std::min(rate, 65535));
  std::string text = digits.substr(0, 2) + "." + digits.substr(2);
  if (text[0] == '0') text[0] = ' ';
  return text;
}

}  // namespace

DrillRun::DrillRun(game::PlayState& state, game::Screens& screens, ui::MainControls& c, plat::Platform& platform,
                   const game::Options& options, ui::Timer& F1T1, ui::Timer& F8T1, KeyCaps& keyCaps,
                   MissStats& missStats, RankTables& rankTables, DrillTexts& texts)
    : s_(state), screens_(screens), C(c), platform_(platform), options_(options), F1T1_(F1T1), F8T1_(F8T1),
      keyCaps_(keyCaps), missStats_(missStats), rankTables_(rankTables), texts_(texts) {}

uint8_t DrillRun::TextAt(int i) const { return i < 0 ? 0 : s_.DrillText.At(static_cast<size_t>(i)); }

uint8_t DrillRun::NextChar() const {
  const uint8_t c = TextAt(s_.TextPos);
  return c != 0 ? c : TextAt(0);
}

int DrillRun::Duration() const { return game::DurationOf(s_); }

game::DrillRules DrillRun::Rules() const { return {s_.SwitchB != 0, s_.SwitchPlus != 0, Practice()}; }

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

void DrillRun::JudgeKey(uint8_t ch) {
  // Kana go by the place of the key that typed the character, as on a JIS keyboard.
  const uint8_t typed = game::IsKanaMode(s_.Mode) && ch < 0xA1
                            ? game::MapKanaKey(platform_.Keys().KanaKeyChar(ch), platform_.ShiftDown())
                            : ch;
  const game::DrillRules rules = Rules();
  const game::KeyStart start =
      game::StartKey(s_, rules, ch, typed, static_cast<int32_t>(platform_.CalendarSeconds()), platform_.TickCount());
  if (start.skipped) return;
  if (start.startClock) F1T1_.SetEnabled(true);
  if (start.escape) {
    EndDrill();
    if (HasRankTable()) rankTables_.ShowRankTable(game::TableIndex(s_.Mode, s_.DurationIndex));
  }
  const game::KeyResult result = game::FinishKey(s_, s_.DatRecord, rules, start, F1T1_.Enabled());
  if (!result.judged) return;
  // Esc ends the drill rather than trying the key: it counts as a miss, but is no typing to hear.
  const game::KeyOutcome outcome = start.escape ? game::KeyOutcome::Ignored
                                   : result.hit ? game::KeyOutcome::Hit
                                                : game::KeyOutcome::Miss;
  if (const auto sound = game::SoundOfKey(outcome, options_.romaji)) platform_.PlaySound(*sound);
  // The Esc that ends the drill is no attempt at the key.
  if (keyLog_ && !start.escape) keyLog_->Judge(result.target, s_.TypedChar, result.hit, platform_.TickCount());
  if (result.limited) EndDrill();
  if (result.hit) keyCaps_.ClearKeyCapColours();
  RefreshDrillScreen();
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
  game::PrepareDrillWindow(s_);
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
  if (game::ClockTick(s_, Rules(), platform_.CalendarSeconds(), platform_.TickCount())) {
    F1T1_.SetEnabled(false);
    EndDrill();
  }
  LidCheckpoint();
  if (d >= game::kUntimed) EternalLid();
  RefreshDrillScreen();
}

// The split times under the lid: five rows at even steps through the drill, each with
// this drill's score and the best score reached at that point since the program started.
void DrillRun::LidCheckpoint() {
  const int d = Duration();
  const int elapsed = game::FullLengthOf(d) - s_.TimeLeft;
  const int k = s_.CheckpointIndex;
  if (k < 0 || k > 4 || elapsed <= 50 * kCheckpointScale[static_cast<size_t>(d)] * (k + 1)) return;
  // Only timed drills of a drill mode keep checkpoint bests.
  uint16_t* best =
      HasRankTable() ? &s_.CheckpointBest[static_cast<size_t>(s_.Mode)][static_cast<size_t>(d)][static_cast<size_t>(k)]
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
    const char text[] = {static_cast<char>('0' + t / 1000),    static_cast<char>('0' + t / 100 % 10),
                         static_cast<char>('0' + t / 10 % 10), '.',
                         static_cast<char>('0' + t % 10),      0};
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
    elapsed = game::FullLengthOf(d) - s_.TimeLeft;
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
  static constexpr ui::Color kRankColours[] = {ui::clr::Red,   ui::clr::Yellow, ui::clr::Aqua,  ui::clr::Lime,
                                               ui::clr::Lime,  ui::clr::Lime,   ui::clr::Green, ui::clr::Green,
                                               ui::clr::Green, ui::clr::Blue,   ui::clr::Blue};
  C.Label39->SetCaption(first + second);
  C.Label39->SetFontColor(kRankColours[std::clamp(r, 0, 10)]);
  C.F1P2->SetCaption("TIME  SCORE  HSCORE");
}

}  // namespace drill
