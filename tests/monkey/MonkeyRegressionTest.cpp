// Short reproductions of what the monkey found, each fixed where the fault was.
#include <gtest/gtest.h>

#include "DriverFixture.h"

namespace {

struct MonkeyRegressionTest : DriverFixture {
  static int64_t Hundredths(const game::DatRecord::PlayTimeValue& t) {
    return ((int64_t{t.Hours} * 60 + t.Minutes) * 60 + t.Seconds) * 100 + t.Hundredths;
  }
};

// The first drift check of the running time has no reference yet: a start less than 20 s
// before the tick count wraps must not set the time back.
TEST_F(MonkeyRegressionTest, PlayTimeDoesNotRunBackWhenTheTickCountIsAboutToWrap) {
  Run("uptime 4294948164\nstart\nwait 7000\n");
  const int64_t before = Hundredths(Record().PlayTime());
  Run("wait 100\n");  // the first check
  EXPECT_EQ(Hundredths(Record().PlayTime()), before + 10);
  Run("wait 30000\n");  // across the wrap
  EXPECT_EQ(Hundredths(Record().PlayTime()), before + 3010);
}

// A driver script can start the game at any count of the 32-bit tick, also past 2^31.
TEST_F(MonkeyRegressionTest, DriverTakesEveryTickCountTheClockCanShow) {
  EXPECT_EQ(RunCode("uptime 4294967296\n"), drive::Driver::kScriptError);
  EXPECT_EQ(RunCode("uptime -1\n"), drive::Driver::kScriptError);
  driver = std::make_unique<drive::Driver>(dir.path().toStdString(), out, err);
  Run("uptime 4294967295\nstart\n");
  EXPECT_EQ(Platform().TickCount(), 4294967295u);
}

}  // namespace
