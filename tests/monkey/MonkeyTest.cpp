#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>

#include "tests/monkey/Monkey.h"

namespace {

// 30,000 random events from a fixed seed (about 7 s, and 25 s under the sanitizers); the
// long run of a million is dojokai-monkey.
TEST(MonkeyTest, ThirtyThousandRandomEventsBreakNoRule) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  monkey::Options options;
  options.seed = 20261206;
  options.events = 30000;
  options.sandbox = dir.path().toStdString();
  options.reportDir = QDir::tempPath().toStdString();
  monkey::Monkey run(options);
  const bool ok = run.Run();
  std::cout << run.Summary();
  ASSERT_TRUE(ok) << run.Failure();

  // The run went through every screen and the events that change the records.
  const monkey::Coverage& seen = run.Stats();
  for (int64_t n : seen.eventsOnScreen) EXPECT_GT(n, 0);
  // Every change but the romaji name entry (random keys never earn a romaji place).
  EXPECT_EQ(seen.transitions.size(), 23u);
  EXPECT_GT(seen.quits, 0);
  EXPECT_GT(seen.windowCloses, 0);
  EXPECT_GT(seen.rankEntries, 0);
  EXPECT_GT(seen.gradesAwarded, 0);
  EXPECT_GT(seen.dialogNames, 0);
  EXPECT_GT(seen.erasures, 0);
  EXPECT_GT(seen.tableResets, 0);
  EXPECT_GT(seen.reloads, 0);
  EXPECT_GT(seen.nearMaxStarts, 0);
  EXPECT_GT(seen.tickWraps, 0);
}

}  // namespace
