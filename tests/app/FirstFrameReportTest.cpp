// The start-up benchmark's hook in the built game: DOJOKAI_FIRST_FRAME makes it report its
// first painted frame and close normally; without the variable it stays silent and open,
// and the stop signal the memory benchmark sends closes it the normal way.
#include <gtest/gtest.h>

#include <regex>

#include "tools/bench/RealGame.h"

namespace {

TEST(FirstFrameReportTest, ReportsTheFirstFrameAndClosesOnlyWhenAsked) {
  bench::GameFolder folder;
  if (!folder.Ready()) GTEST_SKIP() << "no built dojokai beside the tests";

  {
    bench::Launched game(folder, {"DOJOKAI_FIRST_FRAME=1"});
    ASSERT_TRUE(game.Running());
    const std::string line = game.ReadLine(20000);
    EXPECT_TRUE(std::regex_match(
        line, std::regex(R"(first frame: monotonic \d+ ns, \d+\.\d ms after main; mapped \d+\.\d ms after main)")))
        << line;
    EXPECT_TRUE(game.Wait());
    EXPECT_TRUE(game.ExitedNormally());
    // The window was closed as a player closes it: the record was saved.
    EXPECT_EQ(bench::fs::file_size(folder.Path() / "dojokai.dat"), 4095u);
  }

  bench::fs::remove(folder.Path() / "dojokai.dat");
  bench::Launched game(folder, {});
  ASSERT_TRUE(game.Running());
  EXPECT_EQ(game.ReadLine(1500), "");
  EXPECT_TRUE(game.Stop(20000));
  EXPECT_TRUE(game.ExitedNormally());
  EXPECT_EQ(bench::fs::file_size(folder.Path() / "dojokai.dat"), 4095u);
}

}  // namespace
