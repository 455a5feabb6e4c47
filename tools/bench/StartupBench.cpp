// Start-up figures: the time from launching the built game to its window's first exposure
// (mapped) and to its first painted frame under a real X server (Xvfb when there is no
// display). The game reports the moment through
// DOJOKAI_FIRST_FRAME and then closes. The first launch, which finds no dojokai.dat yet and
// is the X server's first client, is shown apart from the others.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/bench/RealGame.h"

int main(int argc, char** argv) {
  if (!bench::EnsureXServer(argv)) return 0;
  const int runs = argc > 1 ? std::max(2, std::atoi(argv[1])) : 21;
  bench::GameFolder folder;
  if (!folder.Ready()) {
    std::printf("skipped: no built dojokai beside this benchmark\n");
    return 0;
  }

  std::vector<double> launchToFrame, launchToMap, mainToFrame, rssAtExit;
  double firstLaunch = 0;
  for (int i = 0; i < runs; ++i) {
    bench::Launched game(folder, {"DOJOKAI_FIRST_FRAME=1"});
    const std::string line = game.ReadLine(10000);
    long long frameNs = 0;
    double sinceMain = 0, mappedSinceMain = 0;
    if (std::sscanf(line.c_str(), "first frame: monotonic %lld ns, %lf ms after main; mapped %lf ms after main",
                    &frameNs, &sinceMain, &mappedSinceMain) != 3) {
      std::printf("run %d: no first-frame report (got \"%s\")\n", i + 1, line.c_str());
      continue;
    }
    game.Wait();
    const double ms = static_cast<double>(frameNs - game.LaunchedNs()) / 1e6;
    if (i == 0) {
      firstLaunch = ms;
      continue;
    }
    launchToFrame.push_back(ms);
    launchToMap.push_back(ms - (sinceMain - mappedSinceMain));
    mainToFrame.push_back(sinceMain);
    rssAtExit.push_back(static_cast<double>(game.Usage().ru_maxrss) / 1024.0);
  }
  if (launchToFrame.empty()) return 0;
  std::printf(
      "First frame, launch to painted title (X server %s): first launch %.1f ms; "
      "next %zu launches median %.1f ms, min %.1f ms, max %.1f ms\n",
      std::getenv("DISPLAY"), firstLaunch, launchToFrame.size(), bench::Percentile(launchToFrame, 0.5),
      bench::Percentile(launchToFrame, 0.0), bench::Percentile(launchToFrame, 1.0));
  std::printf("  launch to the window's first exposure (mapped): median %.1f ms, min %.1f ms, max %.1f ms\n",
              bench::Percentile(launchToMap, 0.5), bench::Percentile(launchToMap, 0.0),
              bench::Percentile(launchToMap, 1.0));
  std::printf("  of which from main() on: median %.1f ms; peak memory of such a run: median %.1f MiB\n",
              bench::Percentile(mainToFrame, 0.5), bench::Percentile(rssAtExit, 0.5));
  return 0;
}
