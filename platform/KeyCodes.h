#pragma once
// Physical keys: the X11 key codes of the character keys on the two keyboards a player may
// own, a Japanese (JIS) one and a US (ANSI) one. The kana are judged by the key's position,
// so the key the on-screen keyboard marks types its kana on either. A US keyboard lacks
// two JIS keys; its substitutes are keys the JIS kana layout does not use:
//   yen (ｰ): the ` key left of 1;  ro (ﾛ): the right Alt key (or the key left of Z of an
//   ISO board).
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace plat {

enum class KeyMap { Jis, Us };

// X11 (evdev) key codes of the keys that differ between the maps.
namespace keycode {
constexpr uint32_t Grave = 49, Yen = 132, Ro = 97, LessGreater = 94, RightAlt = 108;
}  // namespace keycode

// The JIS key (its virtual-key number) at the place of X11 key code `code` on a keyboard of
// `map`; 0 when the key is no character key of the JIS layout.
uint16_t VkForKeyCode(uint32_t code, KeyMap map);
// The key code that stands for JIS key `vk` on a keyboard of `map`; 0 when there is none.
uint32_t KeyCodeForVk(uint16_t vk, KeyMap map);
// The character the US layout types on key code `code` (0: none).
uint8_t UsChar(uint32_t code, bool shift);

// The map of an X keyboard layout list such as "jp", "us,jp" or "de": JIS exactly when the
// first layout is jp.
KeyMap KeyMapOfLayouts(std::string_view layouts);
// "jis" or "us" (the names of the command line); nullopt for anything else.
std::optional<KeyMap> KeyMapNamed(std::string_view name);
const char* KeyMapName(KeyMap map);

// Where the keyboard the game goes by was learnt.
enum class KeyMapSource { CommandLine, Setting, Detected, Undetected };
struct KeyboardChoice {
  KeyMap map;
  KeyMapSource source;
  bool operator==(const KeyboardChoice&) const = default;
};
// A player who says which keyboard they have is believed: --keyboard for one run, else the
// setting (JIS or US). Only with neither is the window system's keymap asked (`detect`),
// and where it tells nothing the keyboard is JIS, the one the game is drawn for.
KeyboardChoice ChooseKeyMap(std::optional<KeyMap> commandLine, std::optional<KeyMap> setting,
                            const std::function<std::optional<KeyMap>()>& detect);

}  // namespace plat
