#include "romaji/RomajiKeyboard.h"

#include "platform/JisLayout.h"

namespace romaji {

namespace {

// The caps in the order of the key-cap table; the window binds them after this object is made.
using CapMember = ui::Panel* ui::MainControls::*;
constexpr CapMember kCaps[] = {
    &ui::MainControls::RP_1,   &ui::MainControls::RP_2,   &ui::MainControls::RP_3,    &ui::MainControls::RP_4,
    &ui::MainControls::RP_5,   &ui::MainControls::RP_6,   &ui::MainControls::RP_7,    &ui::MainControls::RP_8,
    &ui::MainControls::RP_9,   &ui::MainControls::RP_0,   &ui::MainControls::RP_MS,   &ui::MainControls::RP_HT,
    &ui::MainControls::RP_EN,  &ui::MainControls::RP_Q,   &ui::MainControls::RP_W,    &ui::MainControls::RP_E,
    &ui::MainControls::RP_R,   &ui::MainControls::RP_T,   &ui::MainControls::RP_Y,    &ui::MainControls::RP_U,
    &ui::MainControls::RP_I,   &ui::MainControls::RP_O,   &ui::MainControls::RP_P,    &ui::MainControls::RP_AD,
    &ui::MainControls::RP_RS,  &ui::MainControls::RP_A,   &ui::MainControls::RP_S,    &ui::MainControls::RP_D,
    &ui::MainControls::RP_F,   &ui::MainControls::RP_G,   &ui::MainControls::RP_H,    &ui::MainControls::RP_J,
    &ui::MainControls::RP_K,   &ui::MainControls::RP_L,   &ui::MainControls::RP_SK,   &ui::MainControls::RP_KR,
    &ui::MainControls::RP_LS,  &ui::MainControls::RP_Z,   &ui::MainControls::RP_X,    &ui::MainControls::RP_C,
    &ui::MainControls::RP_V,   &ui::MainControls::RP_B,   &ui::MainControls::RP_N,    &ui::MainControls::RP_M,
    &ui::MainControls::RP_KM,  &ui::MainControls::RP_PR,  &ui::MainControls::RP_SR,   &ui::MainControls::RP_AB,
    &ui::MainControls::RP_SPC, &ui::MainControls::RP_SFT, &ui::MainControls::RP_SFTR,
};
static_assert(std::size(kCaps) == ui::design::kKeyCapCount);

}  // namespace

RomajiKeyboard::RomajiKeyboard(ui::MainControls& c) : C(c) {}

ui::Panel* RomajiKeyboard::Cap(size_t i) const { return C.*kCaps[i]; }

// A key's own character unshifted, its other character with the SHIFT of the other hand; a
// letter is its key either way (the guide spells in small letters).
RomajiKeyboard::Caps RomajiKeyboard::CapsOf(char ch) const {
  const auto c = static_cast<uint8_t>(ch);
  if (c == 0) return {};
  for (size_t i = 0; i < plat::kJisKeyCount; ++i) {
    const plat::JisKey& k = plat::kJisKeys[i];
    if (k.plain == c) return {Cap(i), nullptr};
    if (k.shifted == c) {
      if (k.ShiftGivesCapital()) return {Cap(i), nullptr};
      return {Cap(i), k.hand == plat::ShiftHand::Right ? C.RP_SFTR : C.RP_SFT};
    }
  }
  return {};
}

void RomajiKeyboard::Clear() {
  for (size_t i = 0; i < ui::design::kKeyCapCount; ++i) {
    ui::Panel* cap = Cap(i);
    cap->SetColor(ui::clr::Black);
    cap->SetFontColor(ui::clr::White);
  }
  C.RP_SFT->SetFontColor(ui::clr::Silver);
  C.RP_SFTR->SetFontColor(ui::clr::Silver);
  marked_ = flashed_ = '\0';
}

void RomajiKeyboard::MarkNext(char ch) {
  if (ch == marked_) return;
  if (const Caps old = CapsOf(marked_); old.key) {
    old.key->SetFontColor(ui::clr::White);
    if (old.shift) old.shift->SetFontColor(ui::clr::Silver);
  }
  marked_ = ch;
  if (const Caps now = CapsOf(ch); now.key) {
    now.key->SetFontColor(now.shift ? ui::clr::Blue : ui::clr::Lime);
    if (now.shift) now.shift->SetFontColor(ui::clr::Blue);
  }
}

void RomajiKeyboard::Flash(char ch) {
  Unflash();
  flashed_ = ch;
  if (const Caps caps = CapsOf(ch); caps.key) caps.key->SetColor(ui::clr::Red);
}

void RomajiKeyboard::Unflash() {
  if (const Caps caps = CapsOf(flashed_); caps.key) caps.key->SetColor(ui::clr::Black);
  flashed_ = '\0';
}

}  // namespace romaji
