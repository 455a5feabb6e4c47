#include "platform/ShippedFiles.h"

#include <filesystem>

#include "platform/Files.h"

namespace plat {
namespace {

namespace fs = std::filesystem;

// PREFIX/share/dojokai/`name` for a program installed as PREFIX/bin/dojokai.
fs::path InShare(const std::string& programPath, const fs::path& name) {
  return (fs::path(programPath).parent_path().parent_path() / "share" / "dojokai" / name).lexically_normal();
}

std::string InShareFolder(const std::string& programPath, const std::string& ext) {
  return InShare(programPath, fs::path(ChangeExtension(programPath, ext)).filename()).string();
}

// The file beside the program when it is there, else the one in the share folder when that is
// there, else the one beside the program (where a missing file is looked for first).
std::string BesideOrShared(const std::string& beside, const std::string& shared) {
  return FileExists(beside) || !FileExists(shared) ? beside : shared;
}

}  // namespace

std::string ShippedSoundPath(const std::string& programPath, const std::string& name) {
  return BesideOrShared((fs::path(programPath).parent_path() / "sounds" / name).string(),
                        InShare(programPath, fs::path("sounds") / name).string());
}

std::string ShippedFilePath(const std::string& programPath, const std::string& ext) {
  return BesideOrShared(ChangeExtension(programPath, ext), InShareFolder(programPath, ext));
}

std::string ShippedFolderPath(const std::string& programPath, const std::string& name) {
  const fs::path program(programPath);
  const fs::path beside = program.parent_path() / name;
  std::error_code ec;
  if (fs::is_directory(beside, ec)) return beside.string();
  const fs::path shared = InShare(programPath, name);
  return fs::is_directory(shared, ec) ? shared.string() : beside.string();
}

std::vector<std::string> MissingShippedFiles(const std::string& programPath) {
  std::vector<std::string> missing;
  if (fs::path(programPath).parent_path().filename() != "bin") return missing;
  for (const char* ext : kShippedExtensions)
    if (!FileExists(ShippedFilePath(programPath, ext))) missing.push_back(InShareFolder(programPath, ext));
  return missing;
}

}  // namespace plat
