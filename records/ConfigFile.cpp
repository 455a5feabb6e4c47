#include "records/ConfigFile.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>
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
  bool game::Options::*option;
};
constexpr FlagKey kFlags[] = {
    {"DOJDATPATHON", &game::Options::ownDataFolder}, {"RESETSW", &game::Options::resetSwitches},
    {"DOJDATNOTRW", &game::Options::noDataFile},     {"STARTZKEY", &game::Options::skipIntro},
    {"TITSCOREOFF", &game::Options::noScoreShow},    {"BMPJPGLOADON", &game::Options::loadLogo},
};

// The keyboard: written only when the player has chosen JIS or US, so that a file of the
// defaults holds the eight keys alone.
constexpr char kKeyboardKey[] = "KEYBOARD";

// The romaji drills' settings and the drills' sounds, a section of their own that is written
// only once one of them differs from its default: a file of the defaults stays as it was.
constexpr char kRomajiSection[] = "ROMAJI";
constexpr char kGuideKey[] = "GUIDE";  // 0 ヘボン式, 1 訓令式, 2 fewest keys
constexpr int kGuideStyles = 3;
struct RomajiSwitchKey {
  const char* key;
  bool game::RomajiOptions::*option;
};
constexpr RomajiSwitchKey kRomajiSwitches[] = {
    {"FINALN", &game::RomajiOptions::finalN},
    {"KEYSOUND", &game::RomajiOptions::keySound},
    {"MISSSOUND", &game::RomajiOptions::missSound},
};

}  // namespace

ConfigFile::ConfigFile(game::PlayState& state, game::Options& options, plat::Platform& platform)
    : s_(state), options_(options), platform_(platform) {}

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

void ConfigFile::ResolveConfig() {
  s_.CfgLocked = 0;
  folders_.reset();
  ReadConfig();
  const std::string path = ReadPath();
  if (plat::FileExists(path) && plat::IsReadOnly(path)) s_.CfgLocked = 1;
}

void ConfigFile::ReadConfig() {
  const plat::IniFile ini(ReadPath());
  // The file is UTF-8 text; a folder that is not (written on a CP932 desktop) is used and
  // written back as the bytes it is.
  options_.dataFolder = ini.ReadString(kSection, kFolderKey, "");
  for (const FlagKey& f : kFlags) {
    // Only the number 1 turns an option on; anything else leaves it as it was.
    if (ini.ReadInteger(kSection, f.key, 0) == 1) options_.*f.option = true;
  }
  // "jis" or "us" in any case; anything else is 自動.
  std::string keyboard = ini.ReadString(kSection, kKeyboardKey, "");
  for (char& ch : keyboard) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  keyboardRead_ = plat::KeyMapNamed(keyboard);
  options_.keyboard = keyboardRead_;
  // 0 and 1 set a switch, a style within range sets the guide; anything else leaves them.
  const int guide = ini.ReadInteger(kRomajiSection, kGuideKey, -1);
  if (guide >= 0 && guide < kGuideStyles) options_.romaji.guideStyle = static_cast<uint8_t>(guide);
  for (const RomajiSwitchKey& r : kRomajiSwitches) {
    const int value = ini.ReadInteger(kRomajiSection, r.key, -1);
    if (value == 0 || value == 1) options_.romaji.*r.option = value == 1;
  }
}

void ConfigFile::WriteConfig() {
  std::vector<std::pair<std::string, std::string>> keys;
  keys.emplace_back(kVersionKey, kVersion);
  keys.emplace_back(kFolderKey, options_.dataFolder);
  for (const FlagKey& f : kFlags) keys.emplace_back(f.key, options_.*f.option ? "1" : "0");
  // One write of the whole file: it either holds all the keys or stays as it was.
  plat::IniFile ini(ReadPath());
  if (options_.keyboard)
    keys.emplace_back(kKeyboardKey, plat::KeyMapName(*options_.keyboard));
  else
    ini.Erase(kSection, kKeyboardKey);
  ini.SetPath(ConfigPath());
  if (Folders().config != ProgramFolder()) MakeFolders(Folders().config);
  bool written = ini.SetStrings(kSection, keys);
  if (options_.romaji != game::RomajiOptions{} || ini.HasSection(kRomajiSection)) {
    std::vector<std::pair<std::string, std::string>> romaji;
    romaji.emplace_back(kGuideKey, std::to_string(options_.romaji.guideStyle));
    for (const RomajiSwitchKey& r : kRomajiSwitches) romaji.emplace_back(r.key, options_.romaji.*r.option ? "1" : "0");
    written = written && ini.SetStrings(kRomajiSection, romaji);
  }
  if ((written && ini.Write()) || writeFailureShown_) return;
  // Said once a run: the options then keep their old values at the next start.
  writeFailureShown_ = true;
  const int failed = errno;
  qCInfo(lcRecords, "%s was not written (%s)", ConfigPath().c_str(), std::strerror(failed));
  const std::string reason = FailureReason(failed);
  platform_.Error("設定を保存できませんでした。\n\nファイル: " + ConfigPath() + "\n理由: " + reason, "DOJOKAI");
}

}  // namespace records
