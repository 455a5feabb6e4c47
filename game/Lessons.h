#pragma once
// The lesson course's rules: lessons 1 to 12 bring in the keys a row at a time, 13 is the
// final practice, 14 the test, 15 the ending. Each practice is a sequence typed key by key;
// it is passed with at most five wrong keys (the test always passes, and is scored).
#include <climits>
#include <cstdint>

#include "game/PlayState.h"

namespace game {

inline constexpr int kLastKeyLesson = 12, kFinalPractice = 13, kLessonTest = 14, kLessonEnding = 15;

enum class LessonVerdict { Going, Passed, Failed };

// One key of the lesson's sequence of `length` characters (`ch` 0 is the timer's refresh,
// which judges nothing): a hit moves on, a wrong key counts. At the sequence's end the
// lesson is passed or failed, and the next key starts a new sequence.
LessonVerdict JudgeLessonKey(LessonState& l, int lesson, const uint8_t* sequence, int length, uint8_t ch);

// The test's score: 100 less one per wrong key, never below 0.
int LessonTestScore(int misses);

}  // namespace game
