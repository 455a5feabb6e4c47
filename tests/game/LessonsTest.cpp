// The lesson course's rules at their own level.
#include "game/Lessons.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Types `keys` against the sequence "abc" of lesson `lesson`; the verdict of the last key.
game::LessonVerdict Type(game::LessonState& l, int lesson, const std::string& keys) {
  const std::string sequence = "abc";
  game::LessonVerdict v = game::LessonVerdict::Going;
  for (char k : keys)
    v = game::JudgeLessonKey(l, lesson, reinterpret_cast<const uint8_t*>(sequence.c_str()), 3, static_cast<uint8_t>(k));
  return v;
}

TEST(LessonsTest, ASequenceIsPassedWithFiveWrongKeysAtMostAndTheTestAlways) {
  game::LessonState l;
  l.SeqReady = 1;
  EXPECT_EQ(Type(l, 3, "axxxxxbc"), game::LessonVerdict::Passed);
  EXPECT_EQ(l.LessonMisses, 5);
  EXPECT_EQ(l.SeqReady, 0);
  l = {};
  EXPECT_EQ(Type(l, 3, "axxxxxxb"), game::LessonVerdict::Going);
  EXPECT_EQ(Type(l, 3, std::string(1, '\0') + "c"), game::LessonVerdict::Failed);  // a refresh counts nothing
  EXPECT_EQ(l.LessonMisses, 6);
  l = {};
  EXPECT_EQ(Type(l, game::kLessonTest, "xxxxxxxxxxabc"), game::LessonVerdict::Passed);
}

TEST(LessonsTest, TheTestScoresOneLessPerWrongKeyNeverBelowZero) {
  EXPECT_EQ(game::LessonTestScore(0), 100);
  EXPECT_EQ(game::LessonTestScore(37), 63);
  EXPECT_EQ(game::LessonTestScore(100), 0);
  EXPECT_EQ(game::LessonTestScore(250), 0);
}

}  // namespace
