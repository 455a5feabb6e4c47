// The romaji drill's clock, score, results figures and tally.
#include "game/RomajiRun.h"

#include <gtest/gtest.h>

namespace {

using DrillRun = game::romaji::Run;
using game::romaji::Tally;

TEST(RomajiRunTest, TheClockStartsWithTheFirstAcceptedKeyAndATimedDrillEndsOnTime) {
  DrillRun run;
  run.Start(0);
  EXPECT_EQ(run.ClockTenths(5000), 300);  // the whole 30 s before the first key
  EXPECT_FALSE(run.TimeUp(999999));
  EXPECT_TRUE(run.Accepted(10000));
  EXPECT_FALSE(run.Accepted(10100));
  EXPECT_EQ(run.ClockTenths(12500), 275);
  EXPECT_FALSE(run.TimeUp(39999));
  EXPECT_TRUE(run.TimeUp(40000));
  EXPECT_EQ(run.ElapsedMs(90000), 30000);  // never more than the setting
  EXPECT_EQ(run.ClockTenths(90000), 0);
}

TEST(RomajiRunTest, UntimedCountsUpAndNeverEndsAndTheTickCountMayWrap) {
  DrillRun run;
  run.Start(3);
  run.Accepted(0xFFFFF000u);
  EXPECT_EQ(run.ElapsedMs(0x00001000u), 0x2000);  // across the wrap of the tick count
  EXPECT_EQ(run.ClockTenths(0x00001000u), 81);
  EXPECT_FALSE(run.TimeUp(0x7FFFFFFFu));
}

TEST(RomajiRunTest, ScoreIsSixteenTimesGoodLessMissAndNeverBelowZero) {
  struct Case {
    int good, miss, score;
  } cases[] = {{0, 0, 0}, {10, 2, 128}, {1, 5, 0}, {5000, 0, 65535}};
  for (const Case& c : cases) {
    DrillRun run;
    run.Start(1);
    for (int i = 0; i < c.good; ++i) run.Accepted(1000);
    for (int i = 0; i < c.miss; ++i) run.Missed();
    EXPECT_EQ(run.Score(), c.score) << c.good << " " << c.miss;
  }
}

TEST(RomajiRunTest, FiguresOfADrill) {
  const auto f = game::romaji::FiguresOf(120, 30, 60, 30000);
  EXPECT_DOUBLE_EQ(f.keysPerSecond, 4.0);
  EXPECT_DOUBLE_EQ(f.kanaPerMinute, 120.0);
  EXPECT_DOUBLE_EQ(f.accuracy, 80.0);
  const auto none = game::romaji::FiguresOf(0, 0, 0, 0);  // nothing typed: no division by zero
  EXPECT_EQ(none.keysPerSecond, 0);
  EXPECT_EQ(none.accuracy, 0);
}

TEST(RomajiRunTest, TallySharesTimeAmongKanaDoneByOneKeyAndCountsMissesAndConfusions) {
  Tally tally;
  tally.Reset(1000);
  const std::u32string reading = U"きって";
  tally.Completed(reading, 0, 1, 1400);  // き after 400 ms
  tally.Missed(reading, 1, 't', 'r');    // っ missed: r typed for t
  tally.Missed(reading, 1, 't', 'r');
  tally.Completed(reading, 1, 3, 2000);  // っ and て by one key, 600 ms between them
  tally.Completed(reading, 3, 3, 2100);  // nothing completed
  const auto& kana = tally.KanaFigures();
  ASSERT_EQ(kana.size(), 3u);
  EXPECT_EQ(kana.at("き").msSum, 400);
  EXPECT_EQ(kana.at("っ").missed, 2);
  EXPECT_EQ(kana.at("っ").msSum, 300);
  EXPECT_EQ(kana.at("て").targeted, 1);
  EXPECT_EQ(kana.at("て").missed, 0);
  EXPECT_EQ(tally.Confusions().at({'t', 'r'}), 2);
  tally.Reset(0);
  EXPECT_TRUE(tally.KanaFigures().empty());
}

}  // namespace
