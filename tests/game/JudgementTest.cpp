// The certification's rules at their own level: thresholds and the steps of a judgement.
#include "game/Judgement.h"

#include <gtest/gtest.h>

namespace {

using game::JudgementStep;
using Message = JudgementStep::Message;

TEST(JudgementTest, ThresholdsGrowByGradeAndTimeSetting) {
  EXPECT_EQ(game::GradeThreshold(0, 0, 8), 1800);  // ABC 30 s, 8級
  EXPECT_EQ(game::GradeThreshold(0, 0, 1), 1800 + 7 * 300);
  EXPECT_EQ(game::GradeThreshold(0, 2, 8), 4 * 1800);
  EXPECT_EQ(game::GradeThreshold(5, 1, 3), 5 * 100 + 2 * 1200);
  for (auto [mode, time, grade] : {std::tuple{7, 0, 8}, {0, 3, 8}, {0, 0, 0}, {0, 0, 9}, {-1, 0, 8}})
    EXPECT_EQ(game::GradeThreshold(mode, time, grade), 9999) << mode << " " << time << " " << grade;
}

TEST(JudgementTest, EachStepTellsAMessageOrAwardsOneGrade) {
  struct Case {
    const char* what;
    game::JudgementFacts facts;
    int32_t passed, awaitKey;
    Message message;
    bool leave, clear;
    int awarded;
    int32_t passedAfter, awaitAfter;
  };
  const Case cases[] = {
      {"untimed: nothing to judge", {0, 3, 9000, 0, 0}, 0, 0, Message::None, true, false, 0, 0, 0},
      {"a key awaited leaves", {0, 0, 9000, 0, 5}, 1, 1, Message::None, true, false, 0, 1, 0},
      {"ten misses fail first", {0, 0, 9000, 10, 1}, 0, 0, Message::TooManyMisses, false, true, 0, 0, 1},
      {"1級 held", {0, 0, 9000, 0, 1}, 0, 0, Message::GradeOneHeld, true, true, 0, 0, 0},
      {"short of 8級", {0, 0, 1799, 0, 0}, 0, 0, Message::ScoreShort, false, true, 0, 0, 1},
      {"8級, and 7級 within reach", {0, 0, 2100, 9, 0}, 0, 0, Message::None, false, true, 8, 1, 0},
      {"8級 alone", {0, 0, 1800, 0, 0}, 0, 0, Message::None, false, true, 8, 1, 1},
      {"the next grade, sheet kept", {0, 0, 2100, 0, 8}, 1, 0, Message::None, false, false, 7, 1, 1},
      {"1級 awarded", {0, 0, 3900, 0, 2}, 1, 0, Message::None, false, false, 1, 1, 0},
  };
  for (const Case& c : cases) {
    int32_t passed = c.passed, awaitKey = c.awaitKey;
    const JudgementStep step = game::JudgeStep(c.facts, passed, awaitKey);
    EXPECT_EQ(step.message, c.message) << c.what;
    EXPECT_EQ(step.leave, c.leave) << c.what;
    EXPECT_EQ(step.clearSheet, c.clear) << c.what;
    EXPECT_EQ(step.awarded, c.awarded) << c.what;
    EXPECT_EQ(passed, c.passedAfter) << c.what;
    EXPECT_EQ(awaitKey, c.awaitAfter) << c.what;
  }
}

}  // namespace
