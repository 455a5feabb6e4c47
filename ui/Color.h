#pragma once
#include <cstdint>

namespace ui {

// 0xRRGGBB. The game's colours are the sixteen classic window colours plus two system ones.
using Color = uint32_t;

namespace clr {
constexpr Color Black = 0x000000, Maroon = 0x800000, Green = 0x008000, Olive = 0x808000, Navy = 0x000080,
                Purple = 0x800080, Teal = 0x008080, Gray = 0x808080, Silver = 0xC0C0C0, Red = 0xFF0000, Lime = 0x00FF00,
                Yellow = 0xFFFF00, Blue = 0x0000FF, Fuchsia = 0xFF00FF, Aqua = 0x00FFFF, White = 0xFFFFFF;
// System colours as a Windows 7 desktop paints them.
constexpr Color BtnFace = 0xF0F0F0, Window = 0xFFFFFF, WindowText = 0x000000;
// The shadow side of bevels and group frames.
constexpr Color BtnShadow = 0xA0A0A0;
// Marks a design row whose colour is taken from its parent.
constexpr Color Parent = 0xFF000000;
}  // namespace clr

}  // namespace ui
