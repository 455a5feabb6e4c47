#include "killloop/KillLoop.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>
#include <vector>

#include "game/DatRecord.h"

namespace killloop {
namespace {

using game::DatRecord;

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Leftovers(const std::string& folder) {
  int n = 0;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* e = ::readdir(dir)) n += std::string(e->d_name).rfind("dojokai.dat.", 0) == 0;
    ::closedir(dir);
  }
  return n;
}

ino_t Inode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

}  // namespace

Result Run(const std::string& saver, const std::string& folder, int kills, uint32_t seed) {
  Result result;
  const std::string path = folder + "/dojokai.dat";
  std::mt19937 random(seed);
  // The file exists from the start, so that a new one is the saver's first save.
  if (Inode(path) == 0) std::ofstream(path, std::ios::binary);
  for (int i = 0; i < kills; ++i) {
    const pid_t pid = ::fork();
    if (pid < 0) return result.failure = "fork failed", result;
    if (pid == 0) {
      ::execl(saver.c_str(), saver.c_str(), path.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // The kill falls at a varied moment after the saver's first save of this round.
    const ino_t before = Inode(path);
    for (int wait = 0; wait < 2000 && Inode(path) == before; ++wait)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 10000));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status))
      return result.failure = "the saver stopped on its own: " + std::to_string(WEXITSTATUS(status)), result;
    ++result.kills;
    const std::vector<uint8_t> bytes = ReadAll(path);
    if (bytes.size() != DatRecord::kSize)
      return result.failure = "a file of " + std::to_string(bytes.size()) + " bytes", result;
    DatRecord rec;
    std::copy(bytes.begin(), bytes.end(), rec.Bytes().begin());
    if (!rec.ChecksumValid()) return result.failure = "a wrong checksum after kill " + std::to_string(i), result;
    if (rec.TotalKeys() <= result.lastRecord) return result.failure = "no newer record was saved", result;
    if (rec.RankEntry(0, 0).Score != static_cast<uint16_t>(rec.TotalKeys()))
      return result.failure = "a record of two saves", result;
    result.lastRecord = rec.TotalKeys();
    // At most the one temporary file of the killed save; the next start removes it.
    if (Leftovers(folder) > 1) return result.failure = "temporary files pile up", result;
  }
  return result;
}

}  // namespace killloop
