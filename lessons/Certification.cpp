#include "lessons/Certification.h"

namespace lessons {

Certification::Certification(app::PlayState& state, ui::MainControls& c, CertSheet& sheet)
    : s_(state), C(c), sheet_(sheet) {}
int Certification::GetCertGrade(int, int) const { return 0; }
void Certification::SetCertGrade(int, int, int) {}
int Certification::GradeThreshold(int, int, int) { return 9999; }
void Certification::ResetJudgement() {}
bool Certification::JudgeCertification() { return true; }
void Certification::JudgementKey() {
  if (JudgeCertification()) {
    for (ui::Label* l : {C.LmL1, C.LmL2, C.LmL3, C.LmL4}) l->Hide();
    C.Panel1->Show();
    C.LmPanel->Hide();
  }
}

}  // namespace lessons
