// dojokai-icon OUTPUT.png SIZE: writes the game's icon at SIZE pixels: the title logo, or the
// small key-cap icon at 24 pixels and less.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "app/Pictures.h"
#include "platform/Fonts.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: dojokai-icon OUTPUT.png SIZE\n");
    return 1;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  plat::RegisterFontSubstitutions();
  const int size = std::atoi(argv[2]);
  if (size < 16 || size > 1024) {
    std::fprintf(stderr, "SIZE must be 16 to 1024\n");
    return 1;
  }
  // Small icons are drawn for their size; the emblem scaled down would be a blur.
  const QImage icon = size <= 24
                          ? app::pictures::SmallIcon(size)
                          : app::pictures::Logo().scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  if (!icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
