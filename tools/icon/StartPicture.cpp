// dojokai-startpicture OUTPUT.cpp: writes the title's start picture as a C++ source that
// holds its pixels, so that the game shows its first frame without drawing it. The file is
// rewritten only when the picture changed.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Pictures.h"
#include "platform/Fonts.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dojokai-startpicture OUTPUT.cpp\n");
    return 1;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  plat::RegisterFontSubstitutions();
  const QImage picture = app::pictures::DrawStartPicture().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  std::string text =
      "// Written by dojokai-startpicture at build time; do not edit.\n"
      "extern const char kStartPicturePixels[];\n"
      "extern const int kStartPictureWidth, kStartPictureHeight;\n"
      "const int kStartPictureWidth = " +
      std::to_string(picture.width()) + ", kStartPictureHeight = " + std::to_string(picture.height()) +
      ";\nalignas(16) const char kStartPicturePixels[] =\n";
  static const char kHex[] = "0123456789abcdef";
  for (int y = 0; y < picture.height(); ++y) {
    const auto* row = picture.constScanLine(y);
    for (int x = 0; x < picture.width() * 4; x += 64) {
      text += "    \"";
      for (int i = x; i < x + 64 && i < picture.width() * 4; ++i) {
        text += "\\x";
        text += kHex[row[i] >> 4];
        text += kHex[row[i] & 15];
      }
      text += "\"\n";
    }
  }
  text += "    ;\n";
  const QString path = QString::fromLocal8Bit(argv[1]);
  QFile old(path);
  if (old.open(QIODevice::ReadOnly) && old.readAll() == QByteArray::fromStdString(text)) return 0;
  old.close();
  QFile out(path);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
