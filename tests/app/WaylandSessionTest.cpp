#include "app/WaylandSession.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

std::atomic<int> saves{0};
std::thread::id saver;

// The toolkit's event threads may be the first to see the compositor gone; the record is
// still saved once, by the thread that owns the game.
TEST(WaylandSessionTest, ALossReportedOnAToolkitThreadIsSavedOnceOnTheMainThread) {
  app::SaveWhenWaylandConnectionBreaks([] {
    ++saves;
    saver = std::this_thread::get_id();
  });
  qWarning("An unrelated warning");
  EXPECT_EQ(saves, 0);

  std::atomic<bool> reported{false};
  std::thread toolkit([&reported] {
    qWarning("The Wayland connection broke. Did the Wayland compositor die?");
    reported = true;
  });
  while (!reported) QCoreApplication::processEvents();
  toolkit.join();
  QCoreApplication::processEvents();
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(saver, std::this_thread::get_id());

  // The main thread's own report of the same loss saves nothing twice.
  qWarning("The Wayland connection experienced a fatal error: Broken pipe");
  EXPECT_EQ(saves, 1);
}

}  // namespace
