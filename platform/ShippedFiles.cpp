#include "platform/ShippedFiles.h"

#include <filesystem>

#include "platform/Files.h"

namespace plat {
namespace {

namespace fs = std::filesystem;

std::string InShareFolder(const std::string& programPath, const std::string& ext) {
  const fs::path program(programPath);
  const fs::path name = fs::path(ChangeExtension(programPath, ext)).filename();
  return (program.parent_path().parent_path() / "share" / "dojokai" / name).lexically_normal().string();
}

}  // namespace

std::string ShippedSoundPath(const std::string& programPath, const std::string& name) {
  const fs::path program(programPath);
  const std::string beside = (program.parent_path() / "sounds" / name).string();
  if (FileExists(beside)) return beside;
  const std::string shared =
      (program.parent_path().parent_path() / "share" / "dojokai" / "sounds" / name).lexically_normal().string();
  return FileExists(shared) ? shared : beside;
}

std::string ShippedFilePath(const std::string& programPath, const std::string& ext) {
  const std::string beside = ChangeExtension(programPath, ext);
  if (FileExists(beside)) return beside;
  const std::string shared = InShareFolder(programPath, ext);
  return FileExists(shared) ? shared : beside;
}

std::string ShippedFolderPath(const std::string& programPath, const std::string& name) {
  const fs::path program(programPath);
  const fs::path beside = program.parent_path() / name;
  std::error_code ec;
  if (fs::is_directory(beside, ec)) return beside.string();
  const fs::path shared = (program.parent_path().parent_path() / "share" / "dojokai" / name).lexically_normal();
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
