#pragma once
// The romaji screen's JIS keyboard: the caps of the drill's keyboard (same places and
// captions), the next key of the guide marked (with its SHIFT), a wrong key flashed red.
#include <array>
#include <cstdint>

#include "ui/DesignScreens.h"
#include "ui/MainControls.h"

namespace romaji {

class RomajiKeyboard {
 public:
  explicit RomajiKeyboard(ui::MainControls& c);

  // Every cap unmarked.
  void Clear();
  // The key that types `ch` marked as the next key ('\0': none).
  void MarkNext(char ch);
  // The key that typed a wrong `ch` flashed until Unflash.
  void Flash(char ch);
  void Unflash();

 private:
  struct Caps {
    ui::Panel* key = nullptr;
    ui::Panel* shift = nullptr;
  };
  Caps CapsOf(char ch) const;
  ui::Panel* Cap(size_t i) const;

  ui::MainControls& C;
  char marked_ = '\0', flashed_ = '\0';
};

}  // namespace romaji
