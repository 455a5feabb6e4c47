#include "game/KeySounds.h"

namespace game {

std::optional<plat::Platform::Sound> SoundOfKey(KeyOutcome outcome, const RomajiOptions& options) {
  switch (outcome) {
    case KeyOutcome::Hit:
      if (options.keySound) return plat::Platform::Sound::Key;
      break;
    case KeyOutcome::Miss:
      if (options.missSound) return plat::Platform::Sound::Miss;
      break;
    case KeyOutcome::Ignored: break;
  }
  return std::nullopt;
}

}  // namespace game
