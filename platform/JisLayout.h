#pragma once
// The Japanese (JIS) keyboard, written once: every character key with what it types plain,
// with Shift and with the kana lock. The window's key map, the drill's kana and the key caps
// of the drill and the lessons are all read from this table.
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace plat {

// Windows virtual-key numbers of the keys the game knows.
namespace vk {
constexpr uint16_t Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18,
                   Kana = 21, Escape = 27, Space = 32, PageUp = 33, PageDown = 34, End = 35,
                   Home = 36, Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45,
                   Delete = 46, F1 = 112, F2 = 113, F3 = 114, F4 = 115, F5 = 116, F6 = 117,
                   F7 = 118, F8 = 119, F9 = 120, F10 = 121, F11 = 122, F12 = 123,
                   Oem1 = 186 /* : */, OemPlus = 187 /* ; */,
                   OemComma = 188, OemMinus = 189, OemPeriod = 190, Oem2 = 191 /* / */,
                   Oem3 = 192 /* @ */, Oem4 = 219 /* [ */, Oem5 = 220 /* yen/backslash */,
                   Oem6 = 221 /* ] */, Oem7 = 222 /* ^ */, Oem102 = 226 /* ro */;
}  // namespace vk

// The SHIFT cap that the game's keyboards mark with a shifted character of a key; None where
// Shift gives the key nothing but a capital letter.
enum class ShiftHand : uint8_t { None, Left, Right };

// One character key: what it types plain and with Shift, and with the kana lock (plain and
// with Shift) as CP932 bytes, 0 where it types nothing; the SHIFT cap of its shifted
// characters; and the name of its cap, P_<cap> on the drill's keyboard, FLP_<cap> on the
// lessons'.
struct JisKey {
  uint16_t vk;
  uint8_t plain, shifted, kana, kanaShifted;
  ShiftHand hand;
  std::string_view cap;
  // Shift types the capital of the key's letter.
  constexpr bool ShiftGivesCapital() const { return shifted >= 'A' && shifted <= 'Z'; }
};

namespace jis_detail {
// A half-width katakana written as UTF-8 (U+FF61..U+FF9F), as its CP932 byte 0xA1..0xDF.
consteval uint8_t Kana(std::string_view utf8) {
  if (utf8.size() != 3 || static_cast<uint8_t>(utf8[0]) != 0xEF) throw std::logic_error("not a half-width kana");
  const unsigned cp = 0xF000u | ((static_cast<uint8_t>(utf8[1]) & 0x3Fu) << 6) | (static_cast<uint8_t>(utf8[2]) & 0x3Fu);
  if (cp < 0xFF61 || cp > 0xFF9F) throw std::logic_error("not a half-width kana");
  return static_cast<uint8_t>(cp - 0xFF61 + 0xA1);
}
}  // namespace jis_detail

// In the order of the caps on the game's keyboards, row by row. A character two keys type
// belongs to the first (the backslash to the yen key, not the ro key). Shifted characters of
// the keys 1 to 5, E and Z are marked with the right hand's SHIFT, all others with the left.
inline constexpr auto kJisKeys = [] {
  using enum ShiftHand;
  using jis_detail::Kana;
  return std::to_array<JisKey>({
      // Number row: digits, minus, caret, yen. Shift+0 types nothing on a JIS keyboard.
      {'1', '1', '!', Kana("ﾇ"), Kana("ﾇ"), Right, "1"},
      {'2', '2', '"', Kana("ﾌ"), Kana("ﾌ"), Right, "2"},
      {'3', '3', '#', Kana("ｱ"), Kana("ｧ"), Right, "3"},
      {'4', '4', '$', Kana("ｳ"), Kana("ｩ"), Right, "4"},
      {'5', '5', '%', Kana("ｴ"), Kana("ｪ"), Right, "5"},
      {'6', '6', '&', Kana("ｵ"), Kana("ｫ"), Left, "6"},
      {'7', '7', '\'', Kana("ﾔ"), Kana("ｬ"), Left, "7"},
      {'8', '8', '(', Kana("ﾕ"), Kana("ｭ"), Left, "8"},
      {'9', '9', ')', Kana("ﾖ"), Kana("ｮ"), Left, "9"},
      {'0', '0', 0, Kana("ﾜ"), Kana("ｦ"), Left, "0"},
      {vk::OemMinus, '-', '=', Kana("ﾎ"), Kana("ﾎ"), Left, "MS"},
      {vk::Oem7, '^', '~', Kana("ﾍ"), Kana("ﾍ"), Left, "HT"},
      {vk::Oem5, '\\', '|', Kana("ｰ"), Kana("ｰ"), Left, "EN"},
      // Upper letter row: Q to P, at sign, opening bracket.
      {'Q', 'q', 'Q', Kana("ﾀ"), Kana("ﾀ"), None, "Q"},
      {'W', 'w', 'W', Kana("ﾃ"), Kana("ﾃ"), None, "W"},
      {'E', 'e', 'E', Kana("ｲ"), Kana("ｨ"), Right, "E"},
      {'R', 'r', 'R', Kana("ｽ"), Kana("ｽ"), None, "R"},
      {'T', 't', 'T', Kana("ｶ"), Kana("ｶ"), None, "T"},
      {'Y', 'y', 'Y', Kana("ﾝ"), Kana("ﾝ"), None, "Y"},
      {'U', 'u', 'U', Kana("ﾅ"), Kana("ﾅ"), None, "U"},
      {'I', 'i', 'I', Kana("ﾆ"), Kana("ﾆ"), None, "I"},
      {'O', 'o', 'O', Kana("ﾗ"), Kana("ﾗ"), None, "O"},
      {'P', 'p', 'P', Kana("ｾ"), Kana("ｾ"), None, "P"},
      {vk::Oem3, '@', '`', Kana("ﾞ"), Kana("ﾞ"), Left, "AD"},
      {vk::Oem4, '[', '{', Kana("ﾟ"), Kana("｢"), Left, "RS"},
      // Home row: A to L, semicolon, colon, closing bracket.
      {'A', 'a', 'A', Kana("ﾁ"), Kana("ﾁ"), None, "A"},
      {'S', 's', 'S', Kana("ﾄ"), Kana("ﾄ"), None, "S"},
      {'D', 'd', 'D', Kana("ｼ"), Kana("ｼ"), None, "D"},
      {'F', 'f', 'F', Kana("ﾊ"), Kana("ﾊ"), None, "F"},
      {'G', 'g', 'G', Kana("ｷ"), Kana("ｷ"), None, "G"},
      {'H', 'h', 'H', Kana("ｸ"), Kana("ｸ"), None, "H"},
      {'J', 'j', 'J', Kana("ﾏ"), Kana("ﾏ"), None, "J"},
      {'K', 'k', 'K', Kana("ﾉ"), Kana("ﾉ"), None, "K"},
      {'L', 'l', 'L', Kana("ﾘ"), Kana("ﾘ"), None, "L"},
      {vk::OemPlus, ';', '+', Kana("ﾚ"), Kana("ﾚ"), Left, "SK"},
      {vk::Oem1, ':', '*', Kana("ｹ"), Kana("ｹ"), Left, "KR"},
      {vk::Oem6, ']', '}', Kana("ﾑ"), Kana("｣"), Left, "LS"},
      // Lower letter row: Z to M, comma, period, slash, and the ro key left of the right Shift.
      {'Z', 'z', 'Z', Kana("ﾂ"), Kana("ｯ"), Right, "Z"},
      {'X', 'x', 'X', Kana("ｻ"), Kana("ｻ"), None, "X"},
      {'C', 'c', 'C', Kana("ｿ"), Kana("ｿ"), None, "C"},
      {'V', 'v', 'V', Kana("ﾋ"), Kana("ﾋ"), None, "V"},
      {'B', 'b', 'B', Kana("ｺ"), Kana("ｺ"), None, "B"},
      {'N', 'n', 'N', Kana("ﾐ"), Kana("ﾐ"), None, "N"},
      {'M', 'm', 'M', Kana("ﾓ"), Kana("ﾓ"), None, "M"},
      {vk::OemComma, ',', '<', Kana("ﾈ"), Kana("､"), Left, "KM"},
      {vk::OemPeriod, '.', '>', Kana("ﾙ"), Kana("｡"), Left, "PR"},
      {vk::Oem2, '/', '?', Kana("ﾒ"), Kana("･"), Left, "SR"},
      {vk::Oem102, '\\', '_', Kana("ﾛ"), Kana("ﾛ"), Left, "AB"},
      // The space bar types a space in every state.
      {vk::Space, ' ', ' ', ' ', ' ', None, "SPC"},
  });
}();
inline constexpr std::size_t kJisKeyCount = kJisKeys.size();

}  // namespace plat
