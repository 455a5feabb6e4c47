#pragma once
// Which sound a judged key plays, by the player's two switches (キー音, ミス音). The drills
// and the romaji screen ask this for every key they judge.
#include <optional>

#include "game/Options.h"
#include "platform/Platform.h"

namespace game {

// What became of a key, as far as its sound goes.
enum class KeyOutcome : uint8_t {
  Ignored,  // not judged: a wrong key before the first hit, a key's echo, Esc ending a drill
  Hit,
  Miss,
};

// The sound for a key, or none (the switch is off, or the key was not judged).
std::optional<plat::Platform::Sound> SoundOfKey(KeyOutcome outcome, const RomajiOptions& options);

}  // namespace game
