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
  ModeSelect(game::PlayState& state, game::Screens& screens, ui::MainControls& c, plat::Platform& platform, plat::GameRandom& random,
             ui::Timer& F1T1, DrillRun& drillRun, WordList& wordList);

  void ModeSelectKey(uint8_t ch);
  void F6L11Click(int tag);
  void F6L11DblClick(int tag);
  void F6P3Click();
  void F6P2Click();
  void SelectMode(int v);
  void ShowModeCaption(int m);
  void StartDrillFromMenu();
  void EnterLessonsFromMenu();
  void PrepareDrillText();

  // Set by the window: the lesson course starts (and its screen is laid out).
  std::function<void()> StartLessonCourse;

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
