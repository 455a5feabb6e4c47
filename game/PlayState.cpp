#include "game/PlayState.h"

namespace game {

PlayState::PlayState() {
  EntryName.Assign("0123456789");
  DrillText = {reinterpret_cast<const uint8_t*>(kAlphabetText), sizeof kAlphabetText - 1};
}

}  // namespace game
