#pragma once
// Which keyboard the player has, read from the keymap the window system uses: a JIS
// keyboard has two keys that no other keyboard has, the yen key right of ^ and the ro key
// left of the right Shift. A keymap whose first layout types something on both is a JIS
// keymap; every other one (us, de, a "us,jp" pair whose first layout is us) counts as US.
#include <optional>
#include <string>
#include <string_view>

#include "platform/KeyCodes.h"

struct xkb_keymap;

namespace plat {

// The keyboard of a compiled keymap, by the yen key (<AE13>) and the ro key (<AB11>) of its
// first layout. Both are asked for: a Brazilian keyboard has a key at the ro key's place too.
KeyMap KeyMapOfKeymap(xkb_keymap& keymap);
// The same for a keymap in the text form an X server or a Wayland compositor hands out;
// nullopt when the text is no keymap.
std::optional<KeyMap> KeyMapOfKeymapText(std::string_view text);

// The keyboard of the window system the application runs on: the live keymap of the X
// server (Xwayland included), else its layout names; the keymap a Wayland compositor sends
// its clients. nullopt where nothing can be read (offscreen, no keyboard). Needs the
// application object; never waits for more than half a second.
std::optional<KeyMap> DetectKeyMap();

// The layout list of a rules-names property: rules, model, layouts, variants and options,
// each ended by a NUL.
std::optional<std::string> LayoutsOfRulesNames(const std::string& property);

}  // namespace plat
