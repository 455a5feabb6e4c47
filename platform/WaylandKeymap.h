#pragma once
// The keymap a Wayland compositor sends its clients. The toolkit keeps the keymap of its own
// connection to itself, so a second, short connection asks for it the way every client
// gets it: bind the seat, take its keyboard, receive the keymap event.
#include <optional>
#include <string>

namespace plat {

// How long the game waits at most for the compositor's answers; a compositor answers in
// a millisecond or two, and a start must never hang on one that does not.
constexpr int kWaylandKeymapWaitMs = 500;

// The keymap text of the first seat of the compositor that WAYLAND_DISPLAY names; nullopt
// when there is no compositor, no seat with a keyboard, no keymap in the XKB text format, or
// no answer within `waitMs` milliseconds in all.
std::optional<std::string> WaylandKeymapText(int waitMs);

}  // namespace plat
