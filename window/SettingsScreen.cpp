#include "window/SettingsScreen.h"

#include <string>

namespace window {

void SettingsScreen::CheckBox1Click() { config_.SetFolderFieldEnabled(C.CheckBox1->Checked()); }

void SettingsScreen::OpenSettings() {
  C.CheckBox3->SetChecked(s_.MaximizeAtStart != 0);
  screens_.Show(game::Screen::Settings);
  if (SetFocus) SetFocus(C.Button1);
  screens_.Hide(game::Screen::Title);
}

void SettingsScreen::Button1Click() {
  s_.MaximizeAtStart = C.CheckBox3->Checked() ? 1 : 0;
  if (!s_.CfgLocked) config_.WriteConfig();
  if (SaveRecords) SaveRecords();
  screens_.Show(game::Screen::Title);
  screens_.Hide(game::Screen::Settings);
}

void SettingsScreen::ShowKeyboard(plat::KeyboardChoice choice) {
  const std::string map = choice.map == plat::KeyMap::Jis ? "JIS" : "US";
  switch (choice.source) {
    case plat::KeyMapSource::CommandLine:
      C.Label52->SetCaption("--keyboard: " + map);
      C.Label52->SetHint("起動時の --keyboard で決めています");
      break;
    case plat::KeyMapSource::Setting:
      C.Label52->SetCaption("設定: " + map);
      C.Label52->SetHint("この設定で決めています");
      break;
    case plat::KeyMapSource::Detected:
      C.Label52->SetCaption("検出: " + map);
      C.Label52->SetHint("キー配列から判定しました");
      break;
    case plat::KeyMapSource::Undetected:
      C.Label52->SetCaption("検出不可: " + map);
      C.Label52->SetHint("キー配列を読めないため JIS キーボードとして扱っています");
      break;
  }
  C.Label52->SetFontColor(choice.source == plat::KeyMapSource::Undetected ? ui::clr::Red : ui::clr::WindowText);
}

}  // namespace window
