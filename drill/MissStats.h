#pragma once
// Missed keys: every miss is counted against the character that should have been typed,
// per drill (up to 255) and since start (up to 65535), and drawn as two grids — Latin and
// kana — on the results screen and on the title's information pages 2 and 3.
#include <array>
#include <cstdint>
#include <string>

#include "game/PlayState.h"
#include "ui/MainControls.h"

namespace drill {

class MissStats {
 public:
  MissStats(game::PlayState& state, ui::MainControls& c);

  // Counts a miss against `ch` ('a'..'z' under their capitals).
  void CountMiss(uint8_t ch);
  // One grid cell in CP932: the character, a space, the drill count as three digits and
  // the count since start as five in brackets ("K 003(00012)").
  std::string FormatMissEntry(uint8_t ch) const;
  // Redraws F4I1, F4I2, Image7 and Image6.
  void DrawMissStats();
  // The pictures show the present counts: DrawMissStats would draw nothing.
  bool PicturesCurrent() const { return drawn_ && drawnDrill_ == s_.DrillMissCounts && drawnRun_ == s_.RunMissCounts; }

 private:
  game::PlayState& s_;
  ui::MainControls& C;
  bool drawn_ = false;
  std::array<uint8_t, 256> drawnDrill_{};
  std::array<uint16_t, 256> drawnRun_{};
};

}  // namespace drill
