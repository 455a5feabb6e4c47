// The drill's rules at their own level: keys judged against the text, the end of a drill,
// and the clock held against the wall clock.
#include "game/DrillJudge.h"
#include "game/Modes.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

struct DrillJudgeTest : ::testing::Test {
  game::PlayState s;
  game::DrillRules rules;
  std::string text = "abc";
  bool clock = false;
  void SetUp() override {
    s.DrillText = {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
    game::PrepareDrillWindow(s);
  }
  // One key as the drill screen judges it; the clock runs from the first hit.
  game::KeyResult Key(uint8_t ch) {
    const game::KeyStart start = game::StartKey(s, rules, ch, ch, 1000, 50000);
    clock = clock || start.startClock;
    return game::FinishKey(s, s.DatRecord, rules, start, clock);
  }
};

TEST_F(DrillJudgeTest, WrongKeysBeforeTheFirstHitAndTheRoKeysBackslashAreNotJudged) {
  EXPECT_FALSE(Key('x').judged);
  EXPECT_EQ(s.Miss, 0);
  EXPECT_TRUE(Key('a').hit);
  EXPECT_EQ(s.DrillStartClock, 1000);
  const game::KeyResult miss = Key('_');
  EXPECT_TRUE(miss.judged && !miss.hit && miss.target == 'b');
  EXPECT_FALSE(Key('\\').judged);  // the ro key's own character after its '_'
  EXPECT_EQ(std::make_tuple(s.Good, s.Miss, s.Score), std::make_tuple(1, 1, 0));
  EXPECT_EQ(s.DatRecord.TotalKeys(), 2u);
  EXPECT_EQ(s.DrillMissCounts['B'], 1);
}

TEST_F(DrillJudgeTest, TheTextWrapsAndCaseFoldsWithBS) {
  rules.foldCase = true;
  for (char c : std::string("ABCA")) EXPECT_TRUE(Key(static_cast<uint8_t>(c)).hit) << c;
  EXPECT_EQ(s.Score, 64);
  EXPECT_EQ(s.DrillWindow.View().substr(5, 6), "bcabca");
}

TEST_F(DrillJudgeTest, EscEndsTheDrillAndCountsAsAMissAfterAnUntimedResultIsDropped) {
  Key('a');
  game::KeyStart esc = game::StartKey(s, rules, 27, 27, 1000, 50000);
  EXPECT_TRUE(esc.escape);
  EXPECT_EQ(s.TimeLeft, 0);
  game::FinishKey(s, s.DatRecord, rules, esc, true);
  EXPECT_EQ(std::make_tuple(s.Good, s.Miss), std::make_tuple(1, 1));

  s.DurationIndex = game::kUntimed;
  esc = game::StartKey(s, rules, 27, 27, 1000, 50000);
  EXPECT_EQ(std::make_tuple(s.Good, s.Miss, s.Score), std::make_tuple(0, 0, 0));
  game::FinishKey(s, s.DatRecord, rules, esc, true);
  EXPECT_EQ(s.Miss, 1);
  s.Good = 5;
  rules.keepUntimedResult = true;  // a practice keeps its figures
  game::StartKey(s, rules, 27, 27, 1000, 50000);
  EXPECT_EQ(s.Good, 5);
}

TEST_F(DrillJudgeTest, TheNinthMissEndsTheDrillWithTheLimiterOn) {
  rules.missLimiter = true;
  Key('a');
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(Key('x').limited);
  EXPECT_TRUE(Key('x').limited);
  EXPECT_EQ(s.TimeLeft, 0);
}

TEST_F(DrillJudgeTest, TheClockIsHeldAgainstTheWallClockEverySixthTick) {
  s.TimeLeft = 300;
  s.DrillStartClock = 1000;
  // Six ticks in which 4 s passed on the wall clock: a lag of 2 to 5 s is left alone.
  for (int i = 0; i < 6; ++i) game::ClockTick(s, rules, 1004, 50000);
  EXPECT_EQ(s.TimeLeft, 294);
  for (int i = 0; i < 6; ++i) game::ClockTick(s, rules, 1010, 50000);
  EXPECT_EQ(s.TimeLeft, 288 - 80);  // 9 s behind: 8 s are taken off
  s.TimeLeft = 0;
  EXPECT_TRUE(game::ClockTick(s, rules, 1030, 50000));
  EXPECT_EQ(s.TimeLeft, 1);
  EXPECT_EQ(s.DrillRunning, 0);
}

}  // namespace
