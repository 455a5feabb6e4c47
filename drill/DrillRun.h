#pragma once
// The drill itself: every keystroke judged against the next character of the text, the
// score, the clock from the first correct key, the lid scoreboard, the rate readout, and
// the end of the drill.
#include <cstdint>
#include <functional>

#include "game/DrillJudge.h"
#include "game/Event.h"
#include "game/KeyLog.h"
#include "game/Options.h"
#include "game/PlayState.h"
#include "game/Screens.h"
#include "drill/DrillTexts.h"
#include "drill/KeyCaps.h"
#include "drill/MissStats.h"
#include "drill/RankTables.h"
#include "platform/Platform.h"
#include "ui/MainControls.h"
#include "ui/Timer.h"

namespace drill {

class DrillRun {
 public:
  DrillRun(game::PlayState& state, game::Screens& screens, ui::MainControls& c, plat::Platform& platform,
           const game::Options& options, ui::Timer& F1T1, ui::Timer& F8T1, KeyCaps& keyCaps, MissStats& missStats,
           RankTables& rankTables, DrillTexts& texts);

  // A key in the drill: judged, counted, shown, and heard where the player has switched the
  // key sound or the miss sound on.
  void DrillKey(uint8_t ch);
  void StartDrill();
  void EndDrill();
  // Every 100 ms while the drill clock runs: the time left, the lid and the rate.
  void F1T1Timer();
  // A weak-key practice: played as an untimed drill, but its figures stand and end on the
  // results screen without a table (RankTables).
  void SetPractice(bool on) { rankTables_.SetPractice(on); }
  bool Practice() const { return rankTables_.Practice(); }
  void RefreshDrillScreen();

  // The log of every judged key, for the history (none: nothing is logged).
  void SetKeyLog(game::KeyLog* log) { keyLog_ = log; }
  // The drill has ended: told once per drill, when the key or tick that ended it has been
  // counted (the Esc that ends a drill is a miss), with the figures the results show.
  game::Event<> Ended;

 private:
  // The character the player types next: the text at TextPos, or its start at the end.
  uint8_t NextChar() const;
  // The text byte at i; 0 past its end.
  uint8_t TextAt(int i) const;
  // The time index within 0..3 and, for the tables and checkpoint bests, whether the
  // drill has a top-10 table (a drill mode with a timed setting).
  int Duration() const;
  bool HasRankTable() const;
  // The switches and the practice the keys are judged with.
  game::DrillRules Rules() const;
  // A key judged by the drill's rules (game::StartKey, FinishKey), and what it shows.
  void JudgeKey(uint8_t ch);
  // A tick of the drill clock (game::ClockTick), and what it shows.
  void ClockTick();
  // Tells Ended of an end that came about since the last call.
  void AnnounceEnd();
  void LidCheckpoint();
  void EternalLid();
  void ShowMarks(uint8_t next);
  void ShowRateAndLidTitle();

  game::PlayState& s_;
  game::Screens& screens_;
  ui::MainControls& C;
  plat::Platform& platform_;
  const game::Options& options_;
  ui::Timer& F1T1_;
  ui::Timer& F8T1_;
  KeyCaps& keyCaps_;
  MissStats& missStats_;
  RankTables& rankTables_;
  DrillTexts& texts_;
  game::KeyLog* keyLog_ = nullptr;
  bool ended_ = false;      // EndDrill ran during the key or tick being handled
  bool announced_ = false;  // the end of this drill has been told
};

}  // namespace drill
