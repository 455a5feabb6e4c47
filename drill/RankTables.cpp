#include "drill/RankTables.h"

#include <QLineEdit>
#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "game/Digits.h"
#include "game/Modes.h"
#include "platform/Cp932.h"
#include "platform/Keyboard.h"
#include "ui/Color.h"

namespace drill {

namespace {

using game::DatRecord;
using game::TRankEntry;

constexpr int kTables = DatRecord::kRankTables;
constexpr int kRanks = DatRecord::kRanksPerTable;
constexpr size_t kNameBytes = DatRecord::kNameSize;

// Class letters by misses: none, 1..3, then one letter for every four more; F from 24.
constexpr std::array<char, 8> kClassLetters = {'*', 'S', 'A', 'B', 'C', 'D', 'E', 'F'};

// The time suffix of the results title per time setting of the table.
constexpr std::array<const char*, 3> kTableTimes = {"( 30s)", "( 60s)", "(120s)"};

bool HasTable(int mode, int durationIndex) {
  return mode >= 0 && mode < DatRecord::kModes && durationIndex >= 0 && durationIndex < DatRecord::kTimedDurations;
}

std::string Digits5(int64_t value) {
  std::string text = "XXXXX";
  game::FormatDigits5(text, 0, value);
  return text;
}

}  // namespace

RankTables::RankTables(game::PlayState& state, game::Screens& screens, ui::MainControls& c, ui::Timer& F8T1,
                       MissStats& missStats)
    : s_(state), screens_(screens), C(c), F8T1_(F8T1), missStats_(missStats) {}

int RankTables::RankPosition(int score, int mode, int durationIndex) const {
  // The untimed setting has no table: nothing to place.
  if (!HasTable(mode, durationIndex)) return kRanks;
  const int t = game::TableIndex(mode, durationIndex);
  for (int r = 0; r < kRanks; ++r)
    if (s_.DatRecord.RankEntry(t, r).Score < score) return r;
  return kRanks;
}

int RankTables::RankScore(int r, int mode, int durationIndex) const {
  if (r < 0 || r >= kRanks || !HasTable(mode, durationIndex)) return 0;
  return s_.DatRecord.RankEntry(game::TableIndex(mode, durationIndex), r).Score;
}

char RankTables::ClassLetter(int miss) {
  if (miss <= 0) return kClassLetters[0];
  return kClassLetters[static_cast<size_t>(std::min(miss / 4 + 1, 7))];
}

std::string RankTables::RateText(int rateTimes1000) {
  std::string digits = Digits5(rateTimes1000);
  std::string text = digits.substr(0, 2) + "." + digits.substr(2);
  if (text[0] == '0') text[0] = ' ';
  return text;
}

// Keys per second × 1000 over the seconds of the current time setting (30 for untimed).
int RankTables::RateOf(int64_t good, int64_t miss) const {
  const int di = s_.DurationIndex;
  const int64_t seconds =
      di >= 0 && di < DatRecord::kTimedDurations ? game::kDurationSeconds[static_cast<size_t>(di)] : 30;
  return static_cast<int>(std::clamp<int64_t>((good + miss) * 1000 / seconds, 0, 65535));
}

std::string RankTables::RowText(int t, int r) const {
  const TRankEntry e = s_.DatRecord.RankEntry(t, r);
  std::string text(reinterpret_cast<const char*>(e.Name.data()), e.Name.size());
  text += "  " + Digits5(e.Score) + "   " + Digits5(e.Good) + "   " + Digits5(e.Miss) + "  " +
          RateText(RateOf(e.Good, e.Miss));
  char head[32];
  std::snprintf(head, sizeof head, "%3c    %2d  ", ClassLetter(e.Miss), r + 1);
  return head + text;
}

std::array<ui::Label*, 10> RankTables::Rows() const {
  return {C.c_no1, C.c_no2, C.c_no3, C.c_no4, C.c_no5, C.c_no6, C.c_no7, C.c_no8, C.c_no9, C.c_no10};
}

void RankTables::ShowRankTable(int t) {
  // A table is always shown as the list; the pictures of a Space pressed during the idle
  // score show must not carry over into the next results.
  C.F4P2->Show();
  C.F4I1->Hide();
  C.F4I2->Hide();
  C.F4P3->Hide();
  s_.MissStatsShown = 0;
  C.F4L15->Show();  // a practice's results have no table head

  if (t >= 0 && t < kTables) {
    const auto rows = Rows();
    for (int r = 0; r < kRanks; ++r) rows[static_cast<size_t>(r)]->SetCaptionBytes(RowText(t, r));
    C.F4L14->SetCaptionBytes(std::string(game::kModeNames[static_cast<size_t>(t / 3)]) +
                             kTableTimes[static_cast<size_t>(t % 3)]);
  }
  C.F4L37->SetCaption(Digits5(s_.Score) + "   " + Digits5(s_.Good) + "   " + Digits5(s_.Miss));
  C.F4L26->SetCaption("shot " + RateText(RateOf(s_.Good, s_.Miss)) + " key/s");
  const bool played = s_.Score != 0 || s_.Good != 0;
  C.F4L36->SetVisible(played);
  C.F4L37->SetVisible(played);
  C.F4L26->SetVisible(played);
}

void RankTables::F8T1Timer() {
  F8T1_.SetEnabled(false);
  screens_.Hide(game::Screen::Splash);
  PlaceResult();
  if (practice_)
    ShowPracticeResult();
  else if (s_.DurationIndex >= 0 && s_.DurationIndex <= 2)
    ShowRankTable(game::TableIndex(s_.Mode, s_.DurationIndex));
  Placed.Tell(s_.PendingRank);
}

void RankTables::SetPractice(bool on) {
  practice_ = on;
  practiceTenths_ = -1;
}

void RankTables::PracticeEnded(int tenths) {
  if (practiceTenths_ < 0) practiceTenths_ = std::max(tenths, 0);
}

void RankTables::FinishPractice() {
  if (!practice_) return;
  SetPractice(false);
  PracticeOver.Tell();
}

// The practice's own figures where the table would be: its title, no rows, and the rate
// over the time it took.
void RankTables::ShowPracticeResult() {
  ShowRankTable(-1);
  C.F4L14->SetCaption("苦手キー練習");
  C.F4L15->Hide();
  for (ui::Label* row : Rows()) row->SetCaption("");
  const int64_t keys = int64_t{s_.Good} + s_.Miss;
  const int64_t rate = practiceTenths_ > 0 ? keys * 10000 / practiceTenths_ : 0;
  C.F4L26->SetCaption("shot " + RateText(static_cast<int>(std::clamp<int64_t>(rate, 0, 65535))) + " key/s");
}

void RankTables::PlaceResult() {
  const int r = RankPosition(s_.Score, s_.Mode, s_.DurationIndex);
  s_.PendingRank = r;
  const auto rows = Rows();
  for (ui::Label* row : rows) row->SetFontColor(ui::clr::White);
  if (r < kRanks) {
    rows[static_cast<size_t>(r)]->SetFontColor(ui::clr::Lime);
    OpenNameEntry(r + 1);
  } else {
    screens_.Show(game::Screen::Results);
  }
  missStats_.DrawMissStats();
}

void RankTables::OpenNameEntry(int place) {
  // The field shows the name as typed: lime on black, without a frame.
  if (auto* edit = qobject_cast<QLineEdit*>(C.F7M1->Widget())) edit->setFrame(false);
  C.F7M1->SetText("");
  C.F7L6->SetCaption(std::to_string(place));
  screens_.Show(game::Screen::NameEntry);
  if (SetFocus) SetFocus(C.F7M1);
}

void RankTables::AskName(int place, std::function<void(const std::string& name)> taken) {
  nameTaken_ = std::move(taken);
  OpenNameEntry(place);
}

void RankTables::ConfirmName(uint16_t key) {
  // Every other key only edits the field: the name cannot be skipped.
  if (key != plat::vk::Return) return;
  TakeName(true);
}

void RankTables::F7P1Click() { TakeName(false); }

void RankTables::TakeName(bool writeBack) {
  // At most ten bytes, never half of a double-byte character, padded with blanks.
  std::string name(plat::cp932::FitBytes(C.F7M1->Text(), kNameBytes));
  name.resize(kNameBytes, ' ');
  if (writeBack) C.F7M1->SetText(name);
  if (nameTaken_) {
    const auto taken = std::exchange(nameTaken_, nullptr);
    taken(name);
    screens_.Hide(game::Screen::NameEntry);
    return;
  }
  s_.EntryName.Assign(name);
  InsertResult();
  ShowRankTable(game::TableIndex(s_.Mode, s_.DurationIndex));
  screens_.Show(game::Screen::Results);
  screens_.Hide(game::Screen::NameEntry);
}

void RankTables::InsertResult() {
  if (!HasTable(s_.Mode, s_.DurationIndex) || s_.PendingRank < 0 || s_.PendingRank >= kRanks) return;
  const int t = game::TableIndex(s_.Mode, s_.DurationIndex);
  ShiftRankEntries(t, s_.PendingRank);
  TRankEntry entry{};
  const std::string name = s_.EntryName.View();
  entry.Name.fill(' ');
  std::copy_n(name.begin(), std::min(name.size(), kNameBytes), entry.Name.begin());
  auto u16 = [](int v) { return static_cast<uint16_t>(std::clamp(v, 0, 65535)); };
  entry.Score = u16(s_.Score);
  entry.Good = u16(s_.Good);
  entry.Miss = u16(s_.Miss);
  s_.DatRecord.SetRankEntry(t, s_.PendingRank, entry);
  ShowRankTable(t);
}

void RankTables::ShiftRankEntries(int t, int r) {
  if (t < 0 || t >= kTables || r < 0) return;
  for (int i = kRanks - 1; i > r; --i) s_.DatRecord.SetRankEntry(t, i, s_.DatRecord.RankEntry(t, i - 1));
}

void RankTables::LeaveResults() {
  // With CHKMODE the first Space shows the missed keys of the mode's script.
  if (s_.SwitchC && s_.MissStatsShown == 0) {
    C.F4P2->Hide();
    (s_.Mode <= 3 ? C.F4I1 : C.F4I2)->Show();
    C.F4P3->Show();
    s_.MissStatsShown = 1;
    return;
  }
  C.F4P2->Show();
  C.F4I1->Hide();
  C.F4I2->Hide();
  C.F4P3->Hide();
  s_.MissStatsShown = 0;
  screens_.Hide(game::Screen::ModeSelect);
  screens_.Hide(game::Screen::Splash);
  if (s_.CertSwitch && s_.IdleScoreShow != 1 && !practice_ && OpenJudgement)
    OpenJudgement();
  else
    screens_.Show(game::Screen::Title);
  screens_.Hide(game::Screen::Results);
  FinishPractice();
}

}  // namespace drill
