#include "drill/KeyCaps.h"

namespace drill {

KeyCaps::KeyCaps(app::PlayState& state, ui::MainControls& c) : s_(state), C(c) {}
KeyCaps::Caps KeyCaps::KeyCapMap(uint8_t) const { return {}; }
void KeyCaps::ShowLatinCaps() {}
void KeyCaps::ShowKanaCaps() {}
void KeyCaps::ClearKeyCapColours() {}
void KeyCaps::ResetKeyCapFonts() {}
void KeyCaps::MarkKey(uint8_t) {}
void KeyCaps::UnmarkKey(uint8_t) {}
void KeyCaps::MarkKeyReverse(uint8_t) {}
void KeyCaps::UnmarkKeyReverse(uint8_t) {}

}  // namespace drill
