#pragma once
// Grade certification: with LICENCE on, a finished timed drill is judged against the score
// the next grade (8級 up to 1級) needs in its mode and time setting; one grade per step.
#include "game/Event.h"
#include "game/Judgement.h"
#include "game/PlayState.h"
#include "game/Screens.h"
#include "lessons/CertSheet.h"
#include "ui/MainControls.h"

namespace lessons {

class Certification {
 public:
  Certification(game::PlayState& state, game::Screens& screens, ui::MainControls& c, CertSheet& sheet);

  // The grade held (0: none); 0 for a mode outside 0..6 or a time setting outside 0..2.
  int GetCertGrade(int mode, int durationIndex) const;
  // Stores a grade ≥ 0 for a mode 0..6 and a time setting 0..2; anything else is ignored.
  void SetCertGrade(int mode, int durationIndex, int grade);
  // The score grade g needs; 9999 outside the table.
  static int GradeThreshold(int mode, int durationIndex, int grade);

  using Message = game::JudgementStep::Message;

  void ResetJudgement();
  // One step of the judgement; true when the judgement screen is to be left.
  bool JudgeCertification();
  // Leaving the results with LICENCE on: the judgement screen opens with its first step,
  // and Opened tells what that step said.
  void OpenJudgement();
  game::Event<Message> Opened;
  // A key on the judgement screen, or a click on LmP1: one step, and back to the title
  // when the judgement allows.
  void JudgementKey();

 private:
  void HideMessages();
  Message message_ = Message::None;
  game::PlayState& s_;
  game::Screens& screens_;
  ui::MainControls& C;
  CertSheet& sheet_;
};

}  // namespace lessons
