#include "records/Settings.h"

#include "platform/Files.h"

namespace records {

Settings::Settings(app::PlayState& state, ui::MainControls& c, plat::Platform& platform)
    : s_(state), C(c), platform_(platform) {}
std::string Settings::ConfigPath() const { return plat::ChangeExtension(platform_.ProgramPath(), ".cfg"); }
void Settings::ResolveConfig() {}
void Settings::ReadConfig() {}
void Settings::WriteConfig() {}
void Settings::CheckBox1Click() {}

void Settings::OpenSettings() {
  C.CheckBox3->SetChecked(s_.MaximizeAtStart != 0);
  C.Panel11->Show();
  if (SetFocus) SetFocus(C.Button1);
  C.Panel1->Hide();
}

void Settings::Button1Click() {
  s_.MaximizeAtStart = C.CheckBox3->Checked() ? 1 : 0;
  if (!s_.CfgLocked) WriteConfig();
  C.Panel1->Show();
  C.Panel11->Hide();
}

}  // namespace records
