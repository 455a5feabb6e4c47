#include <QApplication>
#include <gtest/gtest.h>

#include "platform/Fonts.h"
#include "tools/drive/Offscreen.h"

// Under the sanitizers, leaks of the toolkit's own caches at exit are not the game's.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

// Every test program owns one application object, as the game does; widgets need it.
// Tests always run headless, also when the build lists them.
int main(int argc, char** argv) {
  drive::UseOffscreenScreen();
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  plat::RegisterFontSubstitutions();
  return RUN_ALL_TESTS();
}
