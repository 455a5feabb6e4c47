#include "fuzz/FuzzFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdlib.h>

namespace fuzz {
namespace {

// Removed at a normal exit; a crash leaves it for the post-mortem.
struct Folder {
  std::string path;
  Folder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    path = (base / "dojokai-fuzz-XXXXXX").string();
    if (!::mkdtemp(path.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

}  // namespace

const std::string& WorkFolder() {
  static const Folder folder;
  return folder.path;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::abort();
  }
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ClearWorkFolder() {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(WorkFolder(), ec))
    std::filesystem::remove_all(entry.path(), ec);
}

}  // namespace fuzz
