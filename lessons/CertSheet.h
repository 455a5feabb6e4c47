#pragma once
// The certificate pictures: the certificate of a new grade on LmI1, the record table of
// all 21 grades with the thresholds of the current mode on LmI2 and Image8, and the
// registered-name line on LmP3 and Panel8.
#include <string>

#include "game/PlayState.h"
#include "platform/Platform.h"
#include "ui/MainControls.h"

namespace lessons {

class CertSheet {
 public:
  CertSheet(game::PlayState& state, ui::MainControls& c, plat::Platform& platform);
  // 0: no new grade (the certificate is hidden); 1..8: the grade just awarded.
  void DrawCertSheet(int grade);

 private:
  // "登録名:" and the name up to its first NUL, CP932.
  std::string RegisteredNameLine() const;
  void DrawCertificate(int grade);
  void DrawRecordTable(int grade);
  game::PlayState& s_;
  ui::MainControls& C;
  plat::Platform& platform_;
};

}  // namespace lessons
