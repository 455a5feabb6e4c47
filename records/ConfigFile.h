#pragma once
// The configuration file dojokai.cfg (section DOJOKAI, eight keys). Its options live in the
// check boxes and the folder field of the settings screen: read into them once at start,
// written from them when the settings screen closes.
#include <string>

#include "game/PlayState.h"
#include "platform/Platform.h"
#include "ui/MainControls.h"

namespace records {

class ConfigFile {
 public:
  ConfigFile(game::PlayState& state, ui::MainControls& c, plat::Platform& platform);

  // The configuration file: the program's path with ".cfg".
  std::string ConfigPath() const;
  void ResolveConfig();
  void ReadConfig();
  void WriteConfig();

  // The folder field is usable only while CheckBox1 asks for a folder of one's own.
  void SetFolderFieldEnabled(bool enabled);

 private:
  game::PlayState& s_;
  ui::MainControls& C;
  plat::Platform& platform_;
};

}  // namespace records
