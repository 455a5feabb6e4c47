#pragma once
// The texts each drill mode types: the fixed alphabets and kana string, and the two
// texts of random characters remade before every drill.
#include "game/PlayState.h"
#include "platform/Platform.h"
#include "platform/Random.h"

namespace drill {

class DrillTexts {
 public:
  DrillTexts(game::PlayState& state, plat::Platform& platform, plat::GameRandom& random)
      : s_(state), platform_(platform), random_(random) {}

  // Seeds the generator with the calendar second, then builds RndText (1021 characters
  // of 'a'..'y', '0'..'8' and the space) and EraiText (1022 kana of the fixed kana text).
  void PrepareRandomTexts();

 private:
  game::PlayState& s_;
  plat::Platform& platform_;
  plat::GameRandom& random_;
};

}  // namespace drill
