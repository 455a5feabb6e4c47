#include "platform/KeyCodes.h"

#include "platform/Keyboard.h"

namespace plat {
namespace {

// The character keys both maps share, by key code, with the US characters of each key.
struct CodeKey {
  uint32_t code;
  uint16_t vk;
  uint8_t usPlain, usShifted;
};
// clang-format off
constexpr CodeKey kCodeKeys[] = {
    // Number row.
    {10, '1', '1', '!'}, {11, '2', '2', '@'}, {12, '3', '3', '#'}, {13, '4', '4', '$'},
    {14, '5', '5', '%'}, {15, '6', '6', '^'}, {16, '7', '7', '&'}, {17, '8', '8', '*'},
    {18, '9', '9', '('}, {19, '0', '0', ')'}, {20, vk::OemMinus, '-', '_'}, {21, vk::Oem7, '=', '+'},
    // Top letter row.
    {24, 'Q', 'q', 'Q'}, {25, 'W', 'w', 'W'}, {26, 'E', 'e', 'E'}, {27, 'R', 'r', 'R'},
    {28, 'T', 't', 'T'}, {29, 'Y', 'y', 'Y'}, {30, 'U', 'u', 'U'}, {31, 'I', 'i', 'I'},
    {32, 'O', 'o', 'O'}, {33, 'P', 'p', 'P'}, {34, vk::Oem3, '[', '{'}, {35, vk::Oem4, ']', '}'},
    // Home row; key code 51 is the JIS ] key and the US \ key.
    {38, 'A', 'a', 'A'}, {39, 'S', 's', 'S'}, {40, 'D', 'd', 'D'}, {41, 'F', 'f', 'F'},
    {42, 'G', 'g', 'G'}, {43, 'H', 'h', 'H'}, {44, 'J', 'j', 'J'}, {45, 'K', 'k', 'K'},
    {46, 'L', 'l', 'L'}, {47, vk::OemPlus, ';', ':'}, {48, vk::Oem1, '\'', '"'},
    {51, vk::Oem6, '\\', '|'},
    // Bottom row and the space bar.
    {52, 'Z', 'z', 'Z'}, {53, 'X', 'x', 'X'}, {54, 'C', 'c', 'C'}, {55, 'V', 'v', 'V'},
    {56, 'B', 'b', 'B'}, {57, 'N', 'n', 'N'}, {58, 'M', 'm', 'M'}, {59, vk::OemComma, ',', '<'},
    {60, vk::OemPeriod, '.', '>'}, {61, vk::Oem2, '/', '?'}, {65, vk::Space, ' ', ' '},
    // The yen and ro keys of a JIS keyboard; a US layout types nothing on them.
    {keycode::Yen, vk::Oem5, 0, 0}, {keycode::Ro, vk::Oem102, 0, 0},
    // The ` key: nothing on a JIS keyboard (its 半角/全角 key), the yen key's stand-in on a US one.
    {keycode::Grave, 0, '`', '~'},
};
// clang-format on

const CodeKey* FindCode(uint32_t code) {
  for (const auto& k : kCodeKeys)
    if (k.code == code) return &k;
  return nullptr;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n')) s.remove_suffix(1);
  return s;
}

}  // namespace

uint16_t VkForKeyCode(uint32_t code, KeyMap map) {
  if (map == KeyMap::Us) {
    switch (code) {
      case keycode::Grave: return vk::Oem5;
      case keycode::RightAlt:
      case keycode::LessGreater: return vk::Oem102;
      default: break;
    }
  }
  const CodeKey* k = FindCode(code);
  return k ? k->vk : 0;
}

uint32_t KeyCodeForVk(uint16_t code, KeyMap map) {
  if (map == KeyMap::Us && code == vk::Oem5) return keycode::Grave;
  if (map == KeyMap::Us && code == vk::Oem102) return keycode::RightAlt;
  for (const auto& k : kCodeKeys)
    if (k.vk == code && code != 0) return k.code;
  return 0;
}

uint8_t UsChar(uint32_t code, bool shift) {
  const CodeKey* k = FindCode(code);
  if (!k) return 0;
  return shift ? k->usShifted : k->usPlain;
}

KeyMap KeyMapOfLayouts(std::string_view layouts) {
  const size_t comma = layouts.find(',');
  std::string_view first = TrimBlanks(layouts.substr(0, comma));
  // "jp(kana)" names a variant in brackets.
  if (const size_t bracket = first.find('('); bracket != std::string_view::npos) first = first.substr(0, bracket);
  return first == "jp" ? KeyMap::Jis : KeyMap::Us;
}

std::optional<KeyMap> KeyMapNamed(std::string_view name) {
  if (name == "jis") return KeyMap::Jis;
  if (name == "us") return KeyMap::Us;
  return std::nullopt;
}

const char* KeyMapName(KeyMap map) { return map == KeyMap::Jis ? "jis" : "us"; }

KeyboardChoice ChooseKeyMap(std::optional<KeyMap> commandLine, std::optional<KeyMap> setting,
                            const std::function<std::optional<KeyMap>()>& detect) {
  if (commandLine) return {*commandLine, KeyMapSource::CommandLine};
  if (setting) return {*setting, KeyMapSource::Setting};
  if (const auto detected = detect ? detect() : std::nullopt) return {*detected, KeyMapSource::Detected};
  return {KeyMap::Jis, KeyMapSource::Undetected};
}

}  // namespace plat
