// Title screen figures: the cost of one Timer1 tick, the CPU share of an idle title with
// real timers, and the time of one full rescale.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

#include "app/Game.h"
#include "platform/Fonts.h"
#include "platform/RealPlatform.h"
#include "platform/VirtualPlatform.h"
#include "tools/bench/RealGame.h"
#include "tools/drive/Offscreen.h"

namespace {

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  drive::UseOffscreenScreen();
  plat::Application application(argc, argv);
  plat::RegisterFontSubstitutions();
  QTemporaryDir dir;
  const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

  {
    // One Timer1 tick, revealed title, virtual clock: the handler and the repaint it causes.
    plat::VirtualPlatform platform;
    platform.SetProgramDir(dir.path().toStdString());
    app::Game game(platform);
    platform.Advance(3000);
    std::vector<double> ticks;
    QElapsedTimer clock;
    for (int i = 0; i < 2000; ++i) {
      clock.start();
      platform.Advance(50);
      game.Form().repaint();
      ticks.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e3);
    }
    std::printf("Timer1 tick with repaint (480x300): median %.1f us, p99 %.1f us\n", bench::Percentile(ticks, 0.5),
                bench::Percentile(ticks, 0.99));

    std::vector<double> rescales;
    for (int i = 0; i < 20; ++i) {
      clock.start();
      game.Form().SetClientWidth(1920);
      game.Form().SetClientHeight(1200);
      game.Form().repaint();
      rescales.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
      game.Form().SetClientHeight(300);
      game.Form().SetClientWidth(480);
    }
    std::printf("Full rescale 480x300 -> 1920x1200 with repaint: median %.2f ms, max %.2f ms\n",
                bench::Percentile(rescales, 0.5), bench::Percentile(rescales, 1.0));
  }

  {
    // The idle title with real timers for a while: CPU time over wall time.
    plat::RealPlatform platform;
    app::Game game(platform);
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(idleSeconds * 1000, &application, &QCoreApplication::quit);
    QApplication::exec();
    const double share = 100.0 * (CpuSeconds() - cpuBefore) / (static_cast<double>(wall.elapsed()) / 1000.0);
    std::printf("Idle title over %d s (real timers, offscreen): %.2f %% of one core\n", idleSeconds, share);
  }
  return 0;
}
