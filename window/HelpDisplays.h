#pragma once
// The brief help over the title (F1, "説明") and the manual in the help viewer (F10).
#include "game/PlayState.h"
#include "platform/Platform.h"
#include "ui/MainControls.h"

namespace window {

class HelpDisplays {
 public:
  HelpDisplays(game::PlayState& state, ui::MainControls& c, plat::Platform& platform)
      : s_(state), C(c), platform_(platform) {}

  // Shows or hides the 21 pointer labels beside the title's elements.
  void ToggleBriefHelp();
  // Opens the manual named like the program with ".hlp" at its contents.
  void OpenHelpFile();

 private:
  game::PlayState& s_;
  ui::MainControls& C;
  plat::Platform& platform_;
  ui::Color label51Colour_ = ui::clr::White;
};

}  // namespace window
