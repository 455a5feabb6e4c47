#include <gtest/gtest.h>

#include "platform/Fonts.h"
#include "platform/RealPlatform.h"
#include "tools/drive/Offscreen.h"

// Under the sanitizers, leaks of the toolkit's own caches at exit are not the game's.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

// Every test program owns one application object, the game's own; widgets need it.
// Tests always run headless, also when the build lists them.
int main(int argc, char** argv) {
  drive::UseOffscreenScreen();
  ::testing::InitGoogleTest(&argc, argv);
  plat::Application app(argc, argv);
  plat::RegisterFontSubstitutions();
  return RUN_ALL_TESTS();
}
