#pragma once
// The eight switches of the title screen, written once for the title's keys, the clicks on
// the switch labels and the drawing of those labels.
#include <array>
#include <cstdint>

#include "game/PlayState.h"
#include "ui/Color.h"
#include "ui/MainControls.h"

namespace app {

// How a title switch shows and what toggles it: a lit switch lights its label in its colour
// while on (silver and transparent while off) and is toggled by its key and a click on the
// label; LICENCE also lights its label, but its key and its click ask for the certificate name
// while none is registered; the MISS limiter has no label of its own and writes the caption
// of LICENCE's.
enum class SwitchKind : uint8_t { Lit, Licence, Caption };

struct TitleSwitch {
  char key;  // a letter's capital; the key toggles in either case
  SwitchKind kind;
  uint8_t game::PlayState::*on;
  ui::Label* ui::MainControls::*label;
  ui::Color onFont = ui::clr::Silver;
  const char* captionOn = nullptr;
  const char* captionOff = nullptr;

  void Toggle(game::PlayState& s) const { s.*on = !(s.*on); }
};

// The eight switches in the order the title lists them.
inline constexpr auto kTitleSwitches = [] {
  using PS = game::PlayState;
  using MC = ui::MainControls;
  using enum SwitchKind;
  namespace clr = ui::clr;
  return std::to_array<TitleSwitch>({
      {'R', Lit, &PS::SwitchR, &MC::Label6, clr::Maroon},                               // REVERSE
      {'C', Lit, &PS::SwitchC, &MC::Label7, clr::Black},                                // CHKMODE
      {'S', Lit, &PS::SwitchS, &MC::Label2, clr::White},                                // SCS
      {'K', Lit, &PS::SwitchK, &MC::Label9, clr::Navy},                                 // KEY OFF
      {'L', Licence, &PS::CertSwitch, &MC::Label8, clr::White},                         // LICENCE
      {'+', Caption, &PS::SwitchPlus, &MC::Label8, clr::Silver, "LICEN +", "LICENCE"},  // MISS limiter
      {'B', Lit, &PS::SwitchB, &MC::Label10, clr::Black},                               // B/S
      {'T', Lit, &PS::SwitchT, &MC::Label11, clr::Black},                               // Typ/sec
  });
}();

// The switch a title key toggles; null for other keys.
inline const TitleSwitch* SwitchOfKey(uint8_t key) {
  const int capital = key >= 'a' && key <= 'z' ? key - ('a' - 'A') : key;
  for (const TitleSwitch& sw : kTitleSwitches)
    if (capital == sw.key) return &sw;
  return nullptr;
}

}  // namespace app
