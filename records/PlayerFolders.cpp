#include "records/PlayerFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/Files.h"
#include "records/Logging.h"

namespace records {
namespace {

// A program in a "bin" folder beside "share/dojokai" is an install: its folder is no place
// for a player's files even where it can be written (root running a system-wide install).
bool Installed(const std::string& programFolder) {
  constexpr std::string_view kBin = "/bin/";
  if (programFolder.size() < kBin.size() ||
      programFolder.compare(programFolder.size() - kBin.size(), kBin.size(), kBin) != 0)
    return false;
  struct stat st {};
  const std::string share = programFolder + "../share/dojokai";
  return ::stat(share.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The file stays beside the program when it can be kept there, and an install's files of an
// earlier run stay where they are.
bool BesideProgram(const std::string& programFolder, const char* name, const WritableTest& writable) {
  const std::string file = programFolder + name;
  if (plat::IsRegularFile(file) && writable(file)) return true;
  return !Installed(programFolder) && writable(programFolder);
}

// $VARIABLE/dojokai/, or ~/FALLBACK/dojokai/; "" when neither can be named. A relative
// XDG value is ignored, as the XDG rules say.
std::string PerUserFolder(const Environment& env, const char* variable, const char* fallback) {
  if (auto value = env(variable); value && !value->empty() && value->front() == '/') return *value + "/dojokai/";
  auto home = env("HOME");
  if (!home || home->empty() || home->front() != '/') return "";
  return *home + "/" + fallback + "/dojokai/";
}

}  // namespace

Environment ProcessEnvironment() {
  return [](const char* name) -> std::optional<std::string> {
    if (const char* value = std::getenv(name)) return std::string(value);
    if (std::string(name) == "HOME")
      if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return std::string(pw->pw_dir);
    return std::nullopt;
  };
}

PlayerFolders ChoosePlayerFolders(const std::string& programFolder, const Environment& env,
                                  const WritableTest& writableTest) {
  const WritableTest writable =
      writableTest ? writableTest : [](const std::string& path) { return ::access(path.c_str(), W_OK) == 0; };
  PlayerFolders folders{programFolder, programFolder};
  if (!BesideProgram(programFolder, "dojokai.dat", writable)) {
    const std::string own = PerUserFolder(env, "XDG_DATA_HOME", ".local/share");
    if (!own.empty()) folders.data = own;
  }
  if (!BesideProgram(programFolder, "dojokai.cfg", writable)) {
    const std::string own = PerUserFolder(env, "XDG_CONFIG_HOME", ".config");
    if (!own.empty()) folders.config = own;
  }
  return folders;
}

bool MakeFolders(const std::string& folder) {
  for (size_t at = 1; at <= folder.size(); ++at) {
    if (at != folder.size() && folder[at] != '/') continue;
    const std::string part = folder.substr(0, at);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      qCInfo(lcRecords, "the folder %s cannot be made (%s)", part.c_str(), std::strerror(errno));
      return false;
    }
  }
  struct stat st {};
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace records
