#pragma once
// The optional logo picture beside the program: a JPEG (decoded with libjpeg) or a bitmap.
#include <QImage>
#include <cstdint>
#include <string>

namespace app {

// The picture in `path` by its extension (".jpg" through libjpeg, anything else through
// Qt's readers); a null image when the file is missing or cannot be decoded.
QImage LoadPicture(const std::string& path);
QImage DecodeJpeg(const std::string& path);
QImage DecodeBitmap(const std::string& path);

// Pictures beyond these sizes (as their headers declare them) are ignored like damaged
// ones: they would cost the start seconds and gigabytes.
constexpr uint64_t kMaxLogoPixels = 4096ull * 4096;
constexpr uint64_t kMaxLogoBytes = 64ull << 20;

}  // namespace app
