#pragma once
// The finger-position lessons: twelve key-group lessons (introduction of each key with its
// finger, then a practice of 50 random keys; at most 5 wrong keys pass), a final practice,
// a test scored 100 less one per wrong key, and the ending. Every entry starts at lesson 1.
#include <array>
#include <climits>
#include <cstdint>
#include <functional>

#include "game/Event.h"
#include "game/PlayState.h"
#include "game/Screens.h"
#include "platform/Platform.h"
#include "platform/Random.h"
#include "ui/MainControls.h"
#include "ui/Timer.h"

namespace lessons {

class LessonCourse {
 public:
  LessonCourse(game::PlayState& state, game::Screens& screens, ui::MainControls& c, plat::Platform& platform,
               plat::GameRandom& random, ui::Timer& FLT1);

  void StartLessonCourse();
  // A key on the lesson screen: the key the lesson asks for, or a wrong one counted.
  void LessonKeyPress(uint8_t ch);
  // Key-up on the lesson screen: Tab skips a lesson, Esc leaves.
  void LessonKeyUp(uint16_t key);
  // Every 100 ms: the key flashes and the messages of the lesson screen.
  void FLT1Timer();
  // FLT1 changes only the lesson screen: while that is hidden, no tick of it shows.
  int QuietTicks() const { return screens_.Shown(game::Screen::Lessons) ? 0 : INT_MAX; }
  // Lays the screen out again (after a rescale).
  void RefreshLessonScreen();
  void SkipLesson();
  // Set by the window: a lesson's practice or the test has ended (the history keeps it).
  // A lesson was passed or failed (lessons passed over with Tab are no result).
  game::Event<int /*lesson*/, int /*misses*/, bool /*passed*/> LessonResult;

  // The practice sequence of the current lesson (for the tests and the driver).
  const uint8_t* Sequence() const;

 private:
  void ShowIntroStep(int lesson, int step);
  int CheckIntroKey(int lesson, int step, uint8_t ch);
  int LessonDrillStep(int lesson, uint8_t ch);
  void DrawSequence(int lesson, uint8_t* buffer, int length);
  void ShowLessonTitle(int lesson);
  void ShowPractice();
  void ClearIntroLines();
  void ShowIntroLines();
  void HideIntroLines();
  void ShowDrillDisplay();
  void HideDrillDisplay();
  void ResetLessonKeys();
  void ResetLessonKeyText();
  void MarkLessonKey(uint8_t ch);
  void FlashLessonKey(uint8_t ch);
  void ShowTestScore();
  uint8_t* SequenceOf(int lesson);

  game::PlayState& s_;
  game::Screens& screens_;
  ui::MainControls& C;
  plat::Platform& platform_;
  plat::GameRandom& random_;
  ui::Timer& FLT1_;
  std::array<uint8_t, 51> practice_{};
  std::array<uint8_t, 37> finalPractice_{};
  std::array<uint8_t, 101> test_{};
};

}  // namespace lessons
