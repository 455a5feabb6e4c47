#pragma once
// The configuration file dojokai.cfg (section DOJOKAI, eight keys, and KEYBOARD where the
// player has said which keyboard they have; section ROMAJI once a romaji setting has left its
// default): read into the options once at start, written from them when the settings screen
// closes.
#include <optional>
#include <string>

#include "game/Options.h"
#include "game/PlayState.h"
#include "platform/Platform.h"
#include "records/PlayerFolders.h"

namespace records {

class ConfigFile {
 public:
  ConfigFile(game::PlayState& state, game::Options& options, plat::Platform& platform);

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
  // Reads the options (anything the file lacks keeps its value) and whether the file can
  // be written (CfgLocked).
  void ResolveConfig();
  // Writes the options; says so once a run when it cannot.
  void WriteConfig();

  // The keyboard as the file said it at start (KEYBOARD=jis or us); nullopt for 自動.
  std::optional<plat::KeyMap> KeyboardSetting() const { return keyboardRead_; }

 private:
  void ReadConfig();

  game::PlayState& s_;
  game::Options& options_;
  plat::Platform& platform_;
  mutable std::optional<PlayerFolders> folders_;
  std::optional<plat::KeyMap> keyboardRead_;
  bool writeFailureShown_ = false;
};

}  // namespace records
