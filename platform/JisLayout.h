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
constexpr uint16_t Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Kana = 21, Escape = 27,
                   Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39,
                   Down = 40, Insert = 45, Delete = 46, F1 = 112, F2 = 113, F3 = 114, F4 = 115, F5 = 116, F6 = 117,
                   F7 = 118, F8 = 119, F9 = 120, F10 = 121, F11 = 122, F12 = 123, Oem1 = 186 /* : */,
                   OemPlus = 187 /* ; */, OemComma = 188, OemMinus = 189, OemPeriod = 190, Oem2 = 191 /* / */,
                   Oem3 = 192 /* @ */, Oem4 = 219 /* [ */, Oem5 = 220 /* yen/backslash */, Oem6 = 221 /* ] */,
                   Oem7 = 222 /* ^ */, Oem102 = 226 /* ro */;
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

// A half-width katakana written as UTF-8 (U+FF61..U+FF9F), as its CP932 byte 0xA1..0xDF.
consteval uint8_t KanaByte(std::string_view utf8) {
  if (utf8.size() != 3 || static_cast<uint8_t>(utf8[0]) != 0xEF) throw std::logic_error("not a half-width kana");
  const unsigned cp =
      0xF000u | ((static_cast<uint8_t>(utf8[1]) & 0x3Fu) << 6) | (static_cast<uint8_t>(utf8[2]) & 0x3Fu);
  if (cp < 0xFF61 || cp > 0xFF9F) throw std::logic_error("not a half-width kana");
  return static_cast<uint8_t>(cp - 0xFF61 + 0xA1);
}

// In the order of the caps on the game's keyboards, row by row. A character two keys type
// belongs to the first (the backslash to the yen key, not the ro key). Shifted characters of
// the keys 1 to 5, E and Z are marked with the right hand's SHIFT, all others with the left.
inline constexpr auto kJisKeys = [] {
  using enum ShiftHand;
  return std::to_array<JisKey>({
      // Number row: digits, minus, caret, yen. Shift+0 types nothing on a JIS keyboard.
      {'1', '1', '!', KanaByte("ﾇ"), KanaByte("ﾇ"), Right, "1"},
      {'2', '2', '"', KanaByte("ﾌ"), KanaByte("ﾌ"), Right, "2"},
      {'3', '3', '#', KanaByte("ｱ"), KanaByte("ｧ"), Right, "3"},
      {'4', '4', '$', KanaByte("ｳ"), KanaByte("ｩ"), Right, "4"},
      {'5', '5', '%', KanaByte("ｴ"), KanaByte("ｪ"), Right, "5"},
      {'6', '6', '&', KanaByte("ｵ"), KanaByte("ｫ"), Left, "6"},
      {'7', '7', '\'', KanaByte("ﾔ"), KanaByte("ｬ"), Left, "7"},
      {'8', '8', '(', KanaByte("ﾕ"), KanaByte("ｭ"), Left, "8"},
      {'9', '9', ')', KanaByte("ﾖ"), KanaByte("ｮ"), Left, "9"},
      {'0', '0', 0, KanaByte("ﾜ"), KanaByte("ｦ"), Left, "0"},
      {vk::OemMinus, '-', '=', KanaByte("ﾎ"), KanaByte("ﾎ"), Left, "MS"},
      {vk::Oem7, '^', '~', KanaByte("ﾍ"), KanaByte("ﾍ"), Left, "HT"},
      {vk::Oem5, '\\', '|', KanaByte("ｰ"), KanaByte("ｰ"), Left, "EN"},
      // Upper letter row: Q to P, at sign, opening bracket.
      {'Q', 'q', 'Q', KanaByte("ﾀ"), KanaByte("ﾀ"), None, "Q"},
      {'W', 'w', 'W', KanaByte("ﾃ"), KanaByte("ﾃ"), None, "W"},
      {'E', 'e', 'E', KanaByte("ｲ"), KanaByte("ｨ"), Right, "E"},
      {'R', 'r', 'R', KanaByte("ｽ"), KanaByte("ｽ"), None, "R"},
      {'T', 't', 'T', KanaByte("ｶ"), KanaByte("ｶ"), None, "T"},
      {'Y', 'y', 'Y', KanaByte("ﾝ"), KanaByte("ﾝ"), None, "Y"},
      {'U', 'u', 'U', KanaByte("ﾅ"), KanaByte("ﾅ"), None, "U"},
      {'I', 'i', 'I', KanaByte("ﾆ"), KanaByte("ﾆ"), None, "I"},
      {'O', 'o', 'O', KanaByte("ﾗ"), KanaByte("ﾗ"), None, "O"},
      {'P', 'p', 'P', KanaByte("ｾ"), KanaByte("ｾ"), None, "P"},
      {vk::Oem3, '@', '`', KanaByte("ﾞ"), KanaByte("ﾞ"), Left, "AD"},
      {vk::Oem4, '[', '{', KanaByte("ﾟ"), KanaByte("｢"), Left, "RS"},
      // Home row: A to L, semicolon, colon, closing bracket.
      {'A', 'a', 'A', KanaByte("ﾁ"), KanaByte("ﾁ"), None, "A"},
      {'S', 's', 'S', KanaByte("ﾄ"), KanaByte("ﾄ"), None, "S"},
      {'D', 'd', 'D', KanaByte("ｼ"), KanaByte("ｼ"), None, "D"},
      {'F', 'f', 'F', KanaByte("ﾊ"), KanaByte("ﾊ"), None, "F"},
      {'G', 'g', 'G', KanaByte("ｷ"), KanaByte("ｷ"), None, "G"},
      {'H', 'h', 'H', KanaByte("ｸ"), KanaByte("ｸ"), None, "H"},
      {'J', 'j', 'J', KanaByte("ﾏ"), KanaByte("ﾏ"), None, "J"},
      {'K', 'k', 'K', KanaByte("ﾉ"), KanaByte("ﾉ"), None, "K"},
      {'L', 'l', 'L', KanaByte("ﾘ"), KanaByte("ﾘ"), None, "L"},
      {vk::OemPlus, ';', '+', KanaByte("ﾚ"), KanaByte("ﾚ"), Left, "SK"},
      {vk::Oem1, ':', '*', KanaByte("ｹ"), KanaByte("ｹ"), Left, "KR"},
      {vk::Oem6, ']', '}', KanaByte("ﾑ"), KanaByte("｣"), Left, "LS"},
      // Lower letter row: Z to M, comma, period, slash, and the ro key left of the right Shift.
      {'Z', 'z', 'Z', KanaByte("ﾂ"), KanaByte("ｯ"), Right, "Z"},
      {'X', 'x', 'X', KanaByte("ｻ"), KanaByte("ｻ"), None, "X"},
      {'C', 'c', 'C', KanaByte("ｿ"), KanaByte("ｿ"), None, "C"},
      {'V', 'v', 'V', KanaByte("ﾋ"), KanaByte("ﾋ"), None, "V"},
      {'B', 'b', 'B', KanaByte("ｺ"), KanaByte("ｺ"), None, "B"},
      {'N', 'n', 'N', KanaByte("ﾐ"), KanaByte("ﾐ"), None, "N"},
      {'M', 'm', 'M', KanaByte("ﾓ"), KanaByte("ﾓ"), None, "M"},
      {vk::OemComma, ',', '<', KanaByte("ﾈ"), KanaByte("､"), Left, "KM"},
      {vk::OemPeriod, '.', '>', KanaByte("ﾙ"), KanaByte("｡"), Left, "PR"},
      {vk::Oem2, '/', '?', KanaByte("ﾒ"), KanaByte("･"), Left, "SR"},
      {vk::Oem102, '\\', '_', KanaByte("ﾛ"), KanaByte("ﾛ"), Left, "AB"},
      // The space bar types a space in every state.
      {vk::Space, ' ', ' ', ' ', ' ', None, "SPC"},
  });
}();
inline constexpr std::size_t kJisKeyCount = kJisKeys.size();

// Each character is typed by one key only, the backslash aside (the yen and the ro key), so
// every table read from this one knows which cap a character belongs to.
constexpr bool EachCharacterOnOneKey() {
  std::array<int, 256> keys{};
  for (const JisKey& k : kJisKeys) {
    const uint8_t typed[] = {k.plain, k.shifted, k.kana, k.kanaShifted};
    for (std::size_t i = 0; i < std::size(typed); ++i) {
      bool again = typed[i] == 0;
      for (std::size_t j = 0; j < i; ++j) again = again || typed[j] == typed[i];
      if (!again) ++keys[typed[i]];
    }
  }
  for (std::size_t ch = 0; ch < keys.size(); ++ch)
    if (keys[ch] > (ch == '\\' ? 2 : 1)) return false;
  return true;
}
static_assert(EachCharacterOnOneKey(), "a character on two keys of the JIS table");

}  // namespace plat
