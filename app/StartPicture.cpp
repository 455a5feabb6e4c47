#include "app/Pictures.h"

// Written at build time by dojokai-startpicture: the start picture's premultiplied ARGB32
// pixels, row after row.
extern const char kStartPicturePixels[];
extern const int kStartPictureWidth, kStartPictureHeight;

namespace app::pictures {

QImage StartPicture() {
  // The image reads the program's copy in place; a change to it would copy it first.
  const QImage built(reinterpret_cast<const uchar*>(kStartPicturePixels), kStartPictureWidth, kStartPictureHeight,
                     kStartPictureWidth * 4, QImage::Format_ARGB32_Premultiplied);
  return built.isNull() ? DrawStartPicture() : built;
}

}  // namespace app::pictures
