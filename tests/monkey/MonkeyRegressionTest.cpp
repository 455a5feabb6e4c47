// Short reproductions of what the monkey found, each fixed where the fault was.
#include <gtest/gtest.h>

#include "DriverFixture.h"

namespace {

struct MonkeyRegressionTest : DriverFixture {
  static int64_t Hundredths(const records::DatRecord::PlayTimeValue& t) {
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

}  // namespace
