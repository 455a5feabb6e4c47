#pragma once
// The mode-select screen: seven drill modes and the lesson course, four time settings,
// and the start of a drill with its text.
#include <cstdint>
#include <functional>

#include "game/PlayState.h"
#include "game/Screens.h"
#include "drill/DrillRun.h"
#include "drill/WordList.h"
#include "platform/Platform.h"
#include "platform/Random.h"
#include "ui/MainControls.h"
#include "ui/Timer.h"

namespace drill {

class ModeSelect {
 public:
  ModeSelect(game::PlayState& state, game::Screens& screens, ui::MainControls& c, plat::Platform& platform,
             plat::GameRandom& random, ui::Timer& F1T1, DrillRun& drillRun, WordList& wordList);

  // A key on the mode select: a digit starts its mode, Space turns the time, Enter repeats.
  void ModeSelectKey(uint8_t ch);
  void F6L11Click(int tag);     // a mode's line: that mode chosen
  void F6L11DblClick(int tag);  // a mode's line twice: that mode starts
  void F6P3Click();             // the mode field: the next mode
  void F6P2Click();             // the time field: the next time setting
  void SelectMode(int v);
  void ShowModeCaption(int m);
  void StartDrillFromMenu();
  void EnterLessonsFromMenu();
  void PrepareDrillText();

  // Set by the window: the lesson course starts (and its screen is laid out).
  std::function<void()> StartLessonCourse;
  // Set by the window: a romaji drill opens (0 ことば, 1 文) with the time setting shown.
  // Romaji is no mode: Enter and Tab never reach it, and the last mode stays as it was.
  std::function<void(int kind)> StartRomaji;
  void F6L22DblClick(int tag);  // a romaji drill's line twice (tag 8 or 9): it opens

 private:
  game::PlayState& s_;
  game::Screens& screens_;
  ui::MainControls& C;
  plat::Platform& platform_;
  plat::GameRandom& random_;
  ui::Timer& F1T1_;
  DrillRun& drillRun_;
  WordList& wordList_;
};

}  // namespace drill
