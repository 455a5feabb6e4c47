#include "window/SettingsScreen.h"

namespace window {

void SettingsScreen::CheckBox1Click() { config_.SetFolderFieldEnabled(C.CheckBox1->Checked()); }

void SettingsScreen::OpenSettings() {
  C.CheckBox3->SetChecked(s_.MaximizeAtStart != 0);
  C.Panel11->Show();
  if (SetFocus) SetFocus(C.Button1);
  C.Panel1->Hide();
}

void SettingsScreen::Button1Click() {
  s_.MaximizeAtStart = C.CheckBox3->Checked() ? 1 : 0;
  if (!s_.CfgLocked) config_.WriteConfig();
  if (SaveRecords) SaveRecords();
  C.Panel1->Show();
  C.Panel11->Hide();
}

}  // namespace window
