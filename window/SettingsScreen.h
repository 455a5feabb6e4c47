#pragma once
// The settings screen (F2, "設定"): shows the options of the configuration file and the
// state of the data file, and writes the configuration when it closes.
#include <functional>

#include "game/PlayState.h"
#include "game/Screens.h"
#include "platform/KeyCodes.h"
#include "records/ConfigFile.h"
#include "ui/MainControls.h"

namespace window {

class SettingsScreen {
 public:
  SettingsScreen(game::PlayState& state, game::Screens& screens, ui::MainControls& c, records::ConfigFile& config)
      : s_(state), screens_(screens), C(c), config_(config) {}

  void CheckBox1Click();
  // F2 or "設定": the settings screen opens with the focus on its close button.
  void OpenSettings();
  // "閉じる": takes the maximise option, writes the file unless it is read-only, and
  // returns to the title.
  void Button1Click();
  // Beside the keyboard choice: the keyboard the game goes by in this run and how it was
  // learnt, so that a player sees it when the keymap could not be read.
  void ShowKeyboard(plat::KeyboardChoice choice);

  std::function<void(ui::Control*)> SetFocus;
  // Writes the data record at once (the maximise option is one of its fields).
  std::function<void()> SaveRecords;

 private:
  game::PlayState& s_;
  game::Screens& screens_;
  ui::MainControls& C;
  records::ConfigFile& config_;
};

}  // namespace window
