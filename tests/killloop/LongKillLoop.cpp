// dojokai-killloop [KILLS [SEED]]: the long kill loop, outside the tests (make killloop).
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "killloop/KillLoop.h"

int main(int argc, char** argv) {
  const int kills = argc > 1 ? std::atoi(argv[1]) : 2000;
  const uint32_t seed = argc > 2 ? static_cast<uint32_t>(std::atoll(argv[2])) : 1;
  char self[4096] = {};
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  std::string saver = std::string(self, n > 0 ? static_cast<size_t>(n) : 0);
  saver = saver.substr(0, saver.rfind('/') + 1) + "dojokai-saver";
  QTemporaryDir folder;
  const killloop::Result r = killloop::Run(saver, folder.path().toStdString(), kills, seed);
  std::printf("%d kills, last record %u: %s\n", r.kills, r.lastRecord, r.failure.empty() ? "ok" : r.failure.c_str());
  return r.failure.empty() ? 0 : 1;
}
