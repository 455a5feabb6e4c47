#pragma once
// The grade certification's rules: the score each grade needs, and one step of the judgement
// screen after a timed drill. A step awards at most one grade, the one above the grade held,
// so a high score climbs one grade per key.
#include <cstdint>

namespace game {

// The score grade `grade` (8 = 8級 .. 1 = 1級) needs in a mode 0..6 and a time setting
// 0..2; 9999 outside the table.
int GradeThreshold(int mode, int durationIndex, int grade);

// What a step of the judgement screen shows and does.
struct JudgementStep {
  // The message shown: none (a grade was awarded, or none is at stake), 1級 held already,
  // too many misses, the score short of the next grade.
  enum class Message { None, GradeOneHeld, TooManyMisses, ScoreShort };
  Message message = Message::None;
  bool leave = false;       // the judgement screen is left with this key
  bool clearSheet = false;  // the certificate sheet is drawn empty
  int awarded = 0;          // the grade awarded at this step (0: none), drawn on the sheet
};

// The drill being judged and the grade held for its mode and time.
struct JudgementFacts {
  int mode = 0, durationIndex = 0, score = 0, miss = 0, heldGrade = 0;
};

// One step; `passed` (a grade awarded since the judgement opened) and `awaitKey` (the next
// key leaves) carry from step to step and start at 0.
JudgementStep JudgeStep(const JudgementFacts& facts, int32_t& passed, int32_t& awaitKey);

}  // namespace game
