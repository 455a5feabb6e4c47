#include "game/Judgement.h"

#include "game/Modes.h"
#include "game/PlayState.h"

namespace game {
namespace {

constexpr int kTimedDurations = 3;
// Ten misses or more fail the judgement whatever the score.
constexpr int kMissLimit = 10;
// The score a grade needs grows with the time setting: 30 s, 60 s, 120 s.
constexpr int kMultiplier[kTimedDurations] = {1, 2, 4};

bool InTable(int mode, int durationIndex) {
  return mode >= 0 && mode < kTimedModes && durationIndex >= 0 && durationIndex < kTimedDurations;
}

}  // namespace

int GradeThreshold(int mode, int durationIndex, int grade) {
  if (!InTable(mode, durationIndex) || grade < 1 || grade > kLowestGrade) return 9999;
  const auto m = static_cast<size_t>(mode);
  return LessonState::CertStep[m] * (kLowestGrade - grade) + kMultiplier[durationIndex] * LessonState::CertBase[m];
}

JudgementStep JudgeStep(const JudgementFacts& f, int32_t& passed, int32_t& awaitKey) {
  using Message = JudgementStep::Message;
  JudgementStep step;
  if (f.durationIndex >= kUntimed) {
    step.leave = true;
    return step;
  }
  if (awaitKey == 1) {
    awaitKey = 0;
    step.leave = true;
    return step;
  }
  // Too many misses is told before anything else, even to a grade-1 holder.
  if (f.miss >= kMissLimit) {
    step.clearSheet = true;
    step.message = Message::TooManyMisses;
    awaitKey = 1;
    return step;
  }
  if (f.heldGrade == 1) {
    step.clearSheet = true;
    step.message = Message::GradeOneHeld;
    awaitKey = 0;
    step.leave = true;
    return step;
  }
  step.clearSheet = passed == 0;
  const int target = f.heldGrade == 0 ? kLowestGrade : f.heldGrade - 1;
  if (f.score < GradeThreshold(f.mode, f.durationIndex, target)) {
    awaitKey = 1;
    step.clearSheet = true;
    step.message = Message::ScoreShort;
    return step;
  }
  passed = 1;
  step.awarded = target;
  // Reaching the next grade as well: the next key awards it; otherwise it leaves.
  if (target - 1 >= 1) awaitKey = f.score >= GradeThreshold(f.mode, f.durationIndex, target - 1) ? 0 : 1;
  return step;
}

}  // namespace game
