#include <gtest/gtest.h>

#include "game/KeySounds.h"

namespace {

using game::KeyOutcome;
using Sound = plat::Platform::Sound;

// Each switch governs its own sound only; an ignored key is silent whatever is on.
TEST(KeySoundsTest, EachSwitchGovernsItsOwnSound) {
  struct Case {
    KeyOutcome outcome;
    bool keySound, missSound;
    std::optional<Sound> expected;
  };
  const Case cases[] = {
      {KeyOutcome::Hit, false, false, std::nullopt},   {KeyOutcome::Hit, true, false, Sound::Key},
      {KeyOutcome::Hit, false, true, std::nullopt},    {KeyOutcome::Hit, true, true, Sound::Key},
      {KeyOutcome::Miss, false, false, std::nullopt},  {KeyOutcome::Miss, true, false, std::nullopt},
      {KeyOutcome::Miss, false, true, Sound::Miss},    {KeyOutcome::Miss, true, true, Sound::Miss},
      {KeyOutcome::Ignored, true, true, std::nullopt}, {KeyOutcome::Ignored, false, false, std::nullopt},
  };
  for (const Case& c : cases) {
    game::RomajiOptions options;
    options.keySound = c.keySound;
    options.missSound = c.missSound;
    EXPECT_EQ(game::SoundOfKey(c.outcome, options), c.expected)
        << static_cast<int>(c.outcome) << " key " << c.keySound << " miss " << c.missSound;
  }
}

}  // namespace
