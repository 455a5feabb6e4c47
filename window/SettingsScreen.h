#pragma once
// The settings screen (F2, "設定"): shows the options of the configuration file, which every
// change of a box changes at once, and the state of the data file; writes the
// configuration when it closes.
#include <functional>
#include <string>

#include "game/Options.h"
#include "game/PlayState.h"
#include "game/Screens.h"
#include "platform/KeyCodes.h"
#include "records/ConfigFile.h"
#include "records/DataFile.h"
#include "ui/MainControls.h"

namespace window {

class SettingsScreen {
 public:
  SettingsScreen(game::PlayState& state, game::Screens& screens, ui::MainControls& c, game::Options& options,
                 records::ConfigFile& config)
      : s_(state), screens_(screens), C(c), options_(options), config_(config) {}

  // The options as read at start into the boxes and the folder field; the boxes are usable
  // only while the configuration file can be written.
  void ShowOptions();
  // A box of the options was clicked (or set): the options follow it.
  void OptionClicked(ui::Control& box);
  // F2 or "設定": the settings screen opens on its first page with the focus on its close
  // button.
  void OpenSettings();
  // "ローマ字設定" and "戻る": the second page (the romaji settings and the sounds) over the
  // first, and back. Both pages are one screen: closing either writes the file.
  void ShowRomajiPage(bool shown);
  // "閉じる": takes the maximise option, writes the file unless it is read-only, and
  // returns to the title.
  void Button1Click();
  // Beside the keyboard choice: the keyboard the game goes by in this run and how it was
  // learnt, so that a player sees it when the keymap could not be read.
  void ShowKeyboard(plat::KeyboardChoice choice);
  // The data file's path and state, and the title's sign that nothing is being saved.
  void ShowDataFile(const records::DataFileStatus& status);

  std::function<void(ui::Control*)> SetFocus;
  // Writes the data record at once (the maximise option is one of its fields).
  std::function<void()> SaveRecords;

 private:
  void SetFolderFieldEnabled(bool enabled);
  void ShowRomajiOptions(bool editable);
  // The data folder as the configuration holds it, byte for byte, while the field shows it
  // unchanged; the field's text once the player has edited it.
  std::string FolderBytes() const;

  game::PlayState& s_;
  game::Screens& screens_;
  ui::MainControls& C;
  game::Options& options_;
  records::ConfigFile& config_;
  std::string folderRead_, folderShown_;
};

}  // namespace window
