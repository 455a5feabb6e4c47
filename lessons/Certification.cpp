#include "lessons/Certification.h"

#include <string>

#include "game/Digits.h"
#include "game/Modes.h"

namespace lessons {

namespace {

constexpr int kTimedDurations = 3;
constexpr int kMissLimit = 10;
// The score a grade needs grows with the time setting: 30 s, 60 s, 120 s.
constexpr int kMultiplier[kTimedDurations] = {1, 2, 4};

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
  if (!InTable(mode, durationIndex) || grade < 1 || grade > game::kLowestGrade) return 9999;
  const auto m = static_cast<size_t>(mode);
  return game::PlayState::CertStep[m] * (game::kLowestGrade - grade) +
         kMultiplier[durationIndex] * game::PlayState::CertBase[m];
}

void Certification::ResetJudgement() {
  s_.CertPassed = 0;
  s_.CertAwaitKey = 0;
}

void Certification::HideMessages() {
  for (ui::Label* l : {C.LmL3, C.LmL2, C.LmL1, C.LmL4}) l->Hide();
}

// One step: a message, or one grade and its certificate. Each pass awards only the grade
// above the one held, so a high score climbs one grade per key.
bool Certification::JudgeCertification() {
  std::string figures = "SCORE:00000 GOOD:00000 MISS:00000";
  game::FormatDigits5(figures, 6, s_.Score);
  game::FormatDigits5(figures, 17, s_.Good);
  game::FormatDigits5(figures, 28, s_.Miss);
  C.LmL4->SetCaptionBytes(figures);
  HideMessages();
  message_ = Message::None;

  if (s_.DurationIndex >= game::kUntimed) return true;
  if (s_.CertAwaitKey == 1) {
    s_.CertAwaitKey = 0;
    return true;
  }
  // Too many misses is told before anything else, even to a grade-1 holder.
  if (s_.Miss >= kMissLimit) {
    sheet_.DrawCertSheet(0);
    message_ = Message::TooManyMisses;
    C.LmL2->Show();
    C.LmL4->Show();
    s_.CertAwaitKey = 1;
    return false;
  }
  const int held = GetCertGrade(s_.Mode, s_.DurationIndex);
  if (held == 1) {
    sheet_.DrawCertSheet(0);
    message_ = Message::GradeOneHeld;
    C.LmL1->Show();
    C.LmL4->Show();
    s_.CertAwaitKey = 0;
    return true;
  }
  if (s_.CertPassed == 0) sheet_.DrawCertSheet(0);

  const int target = held == 0 ? game::kLowestGrade : held - 1;
  if (s_.Score < GradeThreshold(s_.Mode, s_.DurationIndex, target)) {
    s_.CertAwaitKey = 1;
    sheet_.DrawCertSheet(0);
    message_ = Message::ScoreShort;
    C.LmL3->Show();
    C.LmL4->Show();
    return false;
  }

  s_.CertPassed = 1;
  SetCertGrade(s_.Mode, s_.DurationIndex, target);
  HideMessages();
  sheet_.DrawCertSheet(target);
  if (target - 1 < 1) return false;
  // Reaching the next grade as well: the next key awards it; otherwise it leaves.
  s_.CertAwaitKey = s_.Score >= GradeThreshold(s_.Mode, s_.DurationIndex, target - 1) ? 0 : 1;
  return false;
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
