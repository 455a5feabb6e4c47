#pragma once
// Results and the 21 top-10 tables: the one-second drill-end splash, the placement of a
// finished drill, the name entry for a top-10 place, the results screen with class letters
// and rates, and leaving it (missed keys first with CHKMODE, then the judgement with
// LICENCE, else the title).
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "game/Event.h"
#include "game/PlayState.h"
#include "game/Screens.h"
#include "drill/MissStats.h"
#include "ui/MainControls.h"
#include "ui/Timer.h"

namespace drill {

class RankTables {
 public:
  RankTables(game::PlayState& state, game::Screens& screens, ui::MainControls& c, ui::Timer& F8T1,
             MissStats& missStats);

  // The first rank whose score is below `score` (0..9), 10 when none is.
  int RankPosition(int score, int mode, int durationIndex) const;
  // The score of rank r, 0 outside 0..9.
  int RankScore(int r, int mode, int durationIndex) const;
  // The class letter of an entry by its misses: * S A B C D E F.
  static char ClassLetter(int miss);
  // "5.200" with a leading blank: keys per second × 1000 as five digits, a point after the
  // second, a leading '0' made a blank.
  static std::string RateText(int rateTimes1000);

  void ShowRankTable(int t);
  void PlaceResult();
  // The one-second splash is over: the result is placed and shown.
  void F8T1Timer();
  // Key-down of the name entry: Enter takes the name. F7P1Click does the same.
  void ConfirmName(uint16_t key);
  void F7P1Click();  // the name entry's button: the name taken as typed
  void InsertResult();
  void ShiftRankEntries(int t, int r);
  // Space released on the results screen, or a click on "PRESS SPACE KEY".
  void LeaveResults();

  // The same name entry for a table kept elsewhere (the romaji drills'): place 1..10 is
  // shown, and the name typed (CP932, padded to ten bytes) goes to `taken`, which shows the
  // screen to come back to; no drill table changes.
  void AskName(int place, std::function<void(const std::string& name)> taken);

  // A weak-key practice (set when it starts) is played as an untimed drill, but its figures
  // stand: its results show them over the time it took, with no table, and lead to the
  // title, never to a judgement.
  void SetPractice(bool on);
  bool Practice() const { return practice_; }
  // The practice has ended after `tenths` of play (a second end changes nothing).
  void PracticeEnded(int tenths);
  // The practice is over: the title shows, PracticeOver is told.
  void FinishPractice();
  game::Event<> PracticeOver;
  // A finished drill has been placed: its rank 0..9 in its table, 10 for none.
  game::Event<int> Placed;

  // Set by the window: the judgement screen opens (ResetJudgement, JudgeCertification,
  // LmPanel shown) and the keyboard focus moves.
  std::function<void()> OpenJudgement;
  std::function<void(ui::Control*)> SetFocus;

 private:
  // Takes the typed name into the table; Enter also writes the padded name back.
  void TakeName(bool writeBack);
  int RateOf(int64_t good, int64_t miss) const;
  // The caption of row label r of table t: class letter, rank and the entry.
  std::string RowText(int t, int r) const;
  std::array<ui::Label*, 10> Rows() const;
  void ShowPracticeResult();
  // The name entry shown for place `place` (1..10), its field empty and focused.
  void OpenNameEntry(int place);

  game::PlayState& s_;
  game::Screens& screens_;
  ui::MainControls& C;
  ui::Timer& F8T1_;
  MissStats& missStats_;
  bool practice_ = false;
  int practiceTenths_ = -1;                            // the practice's time of play, once it has ended
  std::function<void(const std::string&)> nameTaken_;  // a name asked for by AskName
};

}  // namespace drill
