#include "game/Lessons.h"

namespace game {
namespace {

constexpr int kMostMissesToPass = 5;

}  // namespace

LessonVerdict JudgeLessonKey(LessonState& l, int lesson, const uint8_t* sequence, int length, uint8_t ch) {
  if (ch == sequence[l.SeqPos]) {
    ++l.SeqPos;
  } else if (ch != 0 && l.LessonMisses < INT_MAX) {
    ++l.LessonMisses;
  }
  if (l.SeqPos < length) return LessonVerdict::Going;
  l.SeqReady = 0;
  return l.LessonMisses <= kMostMissesToPass || lesson == kLessonTest ? LessonVerdict::Passed : LessonVerdict::Failed;
}

int LessonTestScore(int misses) { return misses < 100 ? 100 - misses : 0; }

}  // namespace game
