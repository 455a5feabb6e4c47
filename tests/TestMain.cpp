#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/Fonts.h"

// Every test program owns one application object, as the game does; widgets need it.
// Tests always run headless, also when the build lists them.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (!getenv("XDG_RUNTIME_DIR")) {
    const QString dir = QDir::tempPath() + QStringLiteral("/dojokai-test-runtime");
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("XDG_RUNTIME_DIR", dir.toLocal8Bit().constData(), 1);
  }
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  plat::RegisterFontSubstitutions();
  return RUN_ALL_TESTS();
}
