#include "records/ConfigFile.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/Files.h"
#include "platform/Ini.h"
#include "records/Logging.h"
#include "records/RecordStore.h"

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

// The keyboard: written only when the player has chosen JIS or US, so that a file of the
// defaults holds the eight keys alone.
constexpr char kKeyboardKey[] = "KEYBOARD";

ui::RadioButton* KeyboardButton(ui::MainControls& c, std::optional<plat::KeyMap> map) {
  if (!map) return c.RadioButton1;
  return *map == plat::KeyMap::Jis ? c.RadioButton2 : c.RadioButton3;
}

std::optional<plat::KeyMap> KeyboardChosen(const ui::MainControls& c) {
  if (c.RadioButton2->Checked()) return plat::KeyMap::Jis;
  if (c.RadioButton3->Checked()) return plat::KeyMap::Us;
  return std::nullopt;
}

}  // namespace

ConfigFile::ConfigFile(game::PlayState& state, ui::MainControls& c, plat::Platform& platform)
    : s_(state), C(c), platform_(platform) {}

std::string ConfigFile::ProgramFolder() const {
  const std::string program = platform_.ProgramPath();
  return program.substr(0, program.rfind('/') + 1);
}

const PlayerFolders& ConfigFile::Folders() const {
  if (!folders_) folders_ = ChoosePlayerFolders(ProgramFolder(), ProcessEnvironment());
  return *folders_;
}

std::string ConfigFile::ConfigPath() const {
  const std::string beside = plat::ChangeExtension(platform_.ProgramPath(), ".cfg");
  return Folders().config + beside.substr(beside.rfind('/') + 1);
}

std::string ConfigFile::ReadPath() const {
  const std::string own = ConfigPath(), beside = plat::ChangeExtension(platform_.ProgramPath(), ".cfg");
  return own != beside && !plat::FileExists(own) && plat::FileExists(beside) ? beside : own;
}

std::string ConfigFile::FolderBytes() const {
  const std::string shown = C.Edit1->TextUtf8();
  return shown == folderShown_ ? folderRead_ : shown;
}

void ConfigFile::ResolveConfig() {
  s_.CfgLocked = 0;
  folders_.reset();
  ReadConfig();
  const std::string path = ReadPath();
  if (plat::FileExists(path) && plat::IsReadOnly(path)) s_.CfgLocked = 1;
  // The maximise option and the two erase buttons stay usable: they act on the data file.
  const bool editable = s_.CfgLocked == 0;
  for (const FlagKey& f : kFlags) (C.*f.box)->SetEnabled(editable);
  for (ui::RadioButton* b : {C.RadioButton1, C.RadioButton2, C.RadioButton3}) b->SetEnabled(editable);
  if (!editable) {
    C.Edit1->SetEnabled(false);
    C.Edit1->SetColor(ui::clr::BtnFace);
  } else if (C.CheckBox1->Checked()) {
    SetFolderFieldEnabled(true);
  }
}

void ConfigFile::ReadConfig() {
  const plat::IniFile ini(ReadPath());
  // The file is UTF-8 text; a folder that is not (written on a CP932 desktop) is shown as
  // CP932, but used and written back as the bytes it is.
  const std::string folder = ini.ReadString(kSection, kFolderKey, "");
  if (!C.Edit1->SetTextUtf8(folder)) C.Edit1->SetText(folder);
  folderRead_ = folder;
  folderShown_ = C.Edit1->TextUtf8();
  for (const FlagKey& f : kFlags) {
    // Only the number 1 turns an option on; anything else leaves it off.
    if (ini.ReadInteger(kSection, f.key, 0) == 1) (C.*f.box)->SetChecked(true);
  }
  SetFolderFieldEnabled(C.CheckBox1->Checked());
  // "jis" or "us" in any case; anything else is 自動.
  std::string keyboard = ini.ReadString(kSection, kKeyboardKey, "");
  for (char& ch : keyboard) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  keyboardRead_ = plat::KeyMapNamed(keyboard);
  KeyboardButton(C, keyboardRead_)->SetChecked(true);
}

void ConfigFile::WriteConfig() {
  std::vector<std::pair<std::string, std::string>> keys;
  keys.emplace_back(kVersionKey, kVersion);
  keys.emplace_back(kFolderKey, FolderBytes());
  for (const FlagKey& f : kFlags) keys.emplace_back(f.key, (C.*f.box)->Checked() ? "1" : "0");
  // One write of the whole file: it either holds all the keys or stays as it was.
  plat::IniFile ini(ReadPath());
  if (const auto keyboard = KeyboardChosen(C))
    keys.emplace_back(kKeyboardKey, plat::KeyMapName(*keyboard));
  else
    ini.Erase(kSection, kKeyboardKey);
  ini.SetPath(ConfigPath());
  if (Folders().config != ProgramFolder()) MakeFolders(Folders().config);
  if (ini.WriteStrings(kSection, keys) || writeFailureShown_) return;
  // Said once a run: the options then keep their old values at the next start.
  writeFailureShown_ = true;
  const int failed = errno;
  qCInfo(lcRecords, "%s was not written (%s)", ConfigPath().c_str(), std::strerror(failed));
  const std::string reason = FailureReason(failed);
  platform_.Error("設定を保存できませんでした。\n\nファイル: " + ConfigPath() + "\n理由: " + reason, "DOJOKAI");
}

void ConfigFile::SetFolderFieldEnabled(bool enabled) {
  C.Edit1->SetEnabled(enabled);
  C.Edit1->SetColor(enabled ? ui::clr::Window : ui::clr::BtnFace);
}

}  // namespace records
