#pragma once
// The on-screen JIS keyboard of the drill screen: 51 key caps with Latin or kana captions;
// the key that types the next character is marked (and the SHIFT of the other hand for a
// shifted character), by caption colour or, reversed, by background.
#include <cstdint>

#include "game/PlayState.h"
#include "ui/MainControls.h"

namespace drill {

class KeyCaps {
 public:
  explicit KeyCaps(ui::MainControls& c);

  // The caps that a character marks: its key alone, or its key and a SHIFT cap; both null
  // for a character no key types.
  struct Caps {
    ui::Panel* key = nullptr;
    ui::Panel* shift = nullptr;
  };
  Caps KeyCapMap(uint8_t ch) const;
  // The design row (index into the design's key caps) of the cap that types a character,
  // -1 for none; and the kana caption of a row (UTF-8).
  static int CapRowOf(uint8_t ch);
  static const char* KanaCaption(size_t row);

  void ShowLatinCaps();
  void ShowKanaCaps();
  // Backgrounds black (every cap tagged 10000).
  void ClearKeyCapColours();
  // Captions white, the two SHIFT caps silver.
  void ResetKeyCapFonts();
  // Caption colours (REVERSE off): lime for a plain key, blue for a shifted key and its SHIFT.
  void MarkKey(uint8_t ch);
  void UnmarkKey(uint8_t ch);
  // Background colours (REVERSE on): red for a plain key, blue for a shifted key and its SHIFT.
  void MarkKeyReverse(uint8_t ch);
  void UnmarkKeyReverse(uint8_t ch);

 private:
  ui::MainControls& C;
};

}  // namespace drill
