#pragma once
// The configuration file dojokai.cfg (section DOJOKAI, eight keys, and KEYBOARD where the
// player has said which keyboard they have). Its options live in the check boxes, the radio
// buttons and the folder field of the settings screen: read into them once at start,
// written from them when the settings screen closes.
#include <optional>
#include <string>

#include "game/PlayState.h"
#include "platform/KeyCodes.h"
#include "platform/Platform.h"
#include "records/PlayerFolders.h"
#include "ui/MainControls.h"

namespace records {

class ConfigFile {
 public:
  ConfigFile(game::PlayState& state, ui::MainControls& c, plat::Platform& platform);

  // The configuration file the game writes: named like the program with ".cfg", in the
  // player's settings folder.
  std::string ConfigPath() const;
  // The file it reads: that one, or while it does not exist yet, the one beside the
  // program (an installation's defaults).
  std::string ReadPath() const;
  // The folders of the player's files, chosen once per run.
  const PlayerFolders& Folders() const;
  // The program's folder, ends in '/'.
  std::string ProgramFolder() const;
  // The data folder as the configuration holds it, byte for byte, while the folder field
  // shows it unchanged; the field's text once the player has edited it.
  std::string FolderBytes() const;
  void ResolveConfig();
  void ReadConfig();
  void WriteConfig();

  // The folder field is usable only while CheckBox1 asks for a folder of one's own.
  void SetFolderFieldEnabled(bool enabled);
  // The keyboard as the file said it at start (KEYBOARD=jis or us); nullopt for 自動, the
  // choice of a file without the key.
  std::optional<plat::KeyMap> KeyboardSetting() const { return keyboardRead_; }

 private:
  game::PlayState& s_;
  ui::MainControls& C;
  plat::Platform& platform_;
  mutable std::optional<PlayerFolders> folders_;
  std::string folderRead_, folderShown_;
  std::optional<plat::KeyMap> keyboardRead_;
  bool writeFailureShown_ = false;
};

}  // namespace records
