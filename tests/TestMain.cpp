#include <QApplication>
#include <gtest/gtest.h>

#include "platform/Fonts.h"
#include "tools/drive/Offscreen.h"

// Every test program owns one application object, as the game does; widgets need it.
// Tests always run headless, also when the build lists them.
int main(int argc, char** argv) {
  drive::UseOffscreenScreen();
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  plat::RegisterFontSubstitutions();
  return RUN_ALL_TESTS();
}
