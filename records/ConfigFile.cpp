#include "records/ConfigFile.h"

#include <utility>
#include <vector>

#include "platform/Files.h"
#include "platform/Ini.h"

namespace records {
namespace {

constexpr char kSection[] = "DOJOKAI";
constexpr char kVersionKey[] = "DOJCFGVERSION";
constexpr char kVersion[] = "301";
constexpr char kFolderKey[] = "DOJDATPATH";

// The six flags of the file, in the order they are written after the version and folder.
struct FlagKey {
  const char* key;
  ui::CheckBox* ui::MainControls::*box;
};
constexpr FlagKey kFlags[] = {
    {"DOJDATPATHON", &ui::MainControls::CheckBox1}, {"RESETSW", &ui::MainControls::CheckBox2},
    {"DOJDATNOTRW", &ui::MainControls::CheckBox4},  {"STARTZKEY", &ui::MainControls::CheckBox5},
    {"TITSCOREOFF", &ui::MainControls::CheckBox6},  {"BMPJPGLOADON", &ui::MainControls::CheckBox7},
};

}  // namespace

ConfigFile::ConfigFile(game::PlayState& state, ui::MainControls& c, plat::Platform& platform)
    : s_(state), C(c), platform_(platform) {}

std::string ConfigFile::ConfigPath() const { return plat::ChangeExtension(platform_.ProgramPath(), ".cfg"); }

void ConfigFile::ResolveConfig() {
  s_.CfgLocked = 0;
  ReadConfig();
  const std::string path = ConfigPath();
  if (plat::FileExists(path) && plat::IsReadOnly(path)) s_.CfgLocked = 1;
  // The maximise option and the two erase buttons stay usable: they act on the data file.
  const bool editable = s_.CfgLocked == 0;
  for (const FlagKey& f : kFlags) (C.*f.box)->SetEnabled(editable);
  if (!editable) {
    C.Edit1->SetEnabled(false);
    C.Edit1->SetColor(ui::clr::BtnFace);
  } else if (C.CheckBox1->Checked()) {
    SetFolderFieldEnabled(true);
  }
}

void ConfigFile::ReadConfig() {
  const plat::IniFile ini(ConfigPath());
  // The file is UTF-8 text; a folder that is not (written on a CP932 desktop) is taken as
  // CP932 bytes.
  const std::string folder = ini.ReadString(kSection, kFolderKey, "");
  if (!C.Edit1->SetTextUtf8(folder)) C.Edit1->SetText(folder);
  for (const FlagKey& f : kFlags) {
    // Only the number 1 turns an option on; anything else leaves it off.
    if (ini.ReadInteger(kSection, f.key, 0) == 1) (C.*f.box)->SetChecked(true);
  }
  SetFolderFieldEnabled(C.CheckBox1->Checked());
}

void ConfigFile::WriteConfig() {
  std::vector<std::pair<std::string, std::string>> keys;
  keys.emplace_back(kVersionKey, kVersion);
  keys.emplace_back(kFolderKey, C.Edit1->TextUtf8());
  for (const FlagKey& f : kFlags) keys.emplace_back(f.key, (C.*f.box)->Checked() ? "1" : "0");
  // One write of the whole file: it either holds all eight keys or stays as it was. A
  // failure is not reported; the options then simply keep their old values.
  plat::IniFile ini(ConfigPath());
  ini.WriteStrings(kSection, keys);
}

void ConfigFile::SetFolderFieldEnabled(bool enabled) {
  C.Edit1->SetEnabled(enabled);
  C.Edit1->SetColor(enabled ? ui::clr::Window : ui::clr::BtnFace);
}

}  // namespace records
