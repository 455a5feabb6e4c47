#pragma once
// The configuration file dojokai.cfg (section DOJOKAI, eight keys) and the settings screen
// that shows and writes it. Settings are read once at start.
#include <functional>
#include <string>

#include "app/PlayState.h"
#include "platform/Platform.h"
#include "ui/MainControls.h"

namespace records {

class Settings {
 public:
  Settings(app::PlayState& state, ui::MainControls& c, plat::Platform& platform);

  // The configuration file: the program's path with ".cfg".
  std::string ConfigPath() const;
  void ResolveConfig();
  void ReadConfig();
  void WriteConfig();
  void CheckBox1Click();
  // F2 or "設定": the settings screen opens with the focus on its close button.
  void OpenSettings();
  // "閉じる": takes the maximise option, writes the file unless it is read-only, and
  // returns to the title.
  void Button1Click();

  std::function<void(ui::Control*)> SetFocus;

 private:
  // The folder field is usable only while CheckBox1 asks for a folder of one's own.
  void SetFolderFieldEnabled(bool enabled);

  app::PlayState& s_;
  ui::MainControls& C;
  plat::Platform& platform_;
};

}  // namespace records
