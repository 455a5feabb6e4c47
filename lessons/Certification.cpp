#include "lessons/Certification.h"

#include <string>

#include "game/Digits.h"
#include "game/Judgement.h"
#include "game/Modes.h"

namespace lessons {

namespace {

constexpr int kTimedDurations = 3;

bool InTable(int mode, int durationIndex) {
  return mode >= 0 && mode < game::kTimedModes && durationIndex >= 0 && durationIndex < kTimedDurations;
}

}  // namespace

Certification::Certification(game::PlayState& state, game::Screens& screens, ui::MainControls& c, CertSheet& sheet)
    : s_(state), screens_(screens), C(c), sheet_(sheet) {}

int Certification::GetCertGrade(int mode, int durationIndex) const {
  if (!InTable(mode, durationIndex)) return 0;
  return s_.DatRecord.CertGrade(durationIndex, mode);
}

void Certification::SetCertGrade(int mode, int durationIndex, int grade) {
  // A grade is kept in a signed byte; anything it cannot hold is not a grade.
  if (!InTable(mode, durationIndex) || grade < 0 || grade > 127) return;
  s_.DatRecord.SetCertGrade(durationIndex, mode, static_cast<int8_t>(grade));
}

int Certification::GradeThreshold(int mode, int durationIndex, int grade) {
  return game::GradeThreshold(mode, durationIndex, grade);
}

void Certification::ResetJudgement() {
  s_.CertPassed = 0;
  s_.CertAwaitKey = 0;
}

void Certification::HideMessages() {
  for (ui::Label* l : {C.LmL3, C.LmL2, C.LmL1, C.LmL4}) l->Hide();
}

// One step: a message, or one grade and its certificate (the rules are game::JudgeStep).
bool Certification::JudgeCertification() {
  std::string figures = "SCORE:00000 GOOD:00000 MISS:00000";
  game::FormatDigits5(figures, 6, s_.Score);
  game::FormatDigits5(figures, 17, s_.Good);
  game::FormatDigits5(figures, 28, s_.Miss);
  C.LmL4->SetCaptionBytes(figures);
  HideMessages();
  const game::JudgementStep step =
      game::JudgeStep({s_.Mode, s_.DurationIndex, s_.Score, s_.Miss, GetCertGrade(s_.Mode, s_.DurationIndex)},
                      s_.CertPassed, s_.CertAwaitKey);
  message_ = step.message;
  if (step.clearSheet) sheet_.DrawCertSheet(0);
  if (step.awarded != 0) {
    SetCertGrade(s_.Mode, s_.DurationIndex, step.awarded);
    sheet_.DrawCertSheet(step.awarded);
  }
  ui::Label* shown = nullptr;
  switch (step.message) {
    case Message::GradeOneHeld: shown = C.LmL1; break;
    case Message::TooManyMisses: shown = C.LmL2; break;
    case Message::ScoreShort: shown = C.LmL3; break;
    case Message::None: break;
  }
  if (shown) {
    shown->Show();
    C.LmL4->Show();
  }
  return step.leave;
}

void Certification::OpenJudgement() {
  ResetJudgement();
  JudgeCertification();
  screens_.Show(game::Screen::Judgement);
  Opened.Tell(message_);
}

void Certification::JudgementKey() {
  if (JudgeCertification()) {
    for (ui::Label* l : {C.LmL1, C.LmL2, C.LmL3, C.LmL4}) l->Hide();
    screens_.Show(game::Screen::Title);
    screens_.Hide(game::Screen::Judgement);
  }
}

}  // namespace lessons
