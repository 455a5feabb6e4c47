#include "lessons/LessonCourse.h"

namespace lessons {

LessonCourse::LessonCourse(app::PlayState& state, ui::MainControls& c, plat::Platform& platform,
                           plat::GameRandom& random, ui::Timer& FLT1)
    : s_(state), C(c), platform_(platform), random_(random), FLT1_(FLT1) {}
void LessonCourse::StartLessonCourse() {}
void LessonCourse::LessonKeyPress(uint8_t) {}
void LessonCourse::LessonKeyUp(uint16_t key) {
  if (key == 27) {
    C.Panel1->Show();
    C.FLPanel->Hide();
  }
}
void LessonCourse::FLT1Timer() {}
void LessonCourse::RefreshLessonScreen() {}
void LessonCourse::SkipLesson() {}
const uint8_t* LessonCourse::Sequence() const { return practice_.data(); }

}  // namespace lessons
