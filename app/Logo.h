#pragma once
// The optional logo picture beside the program: a JPEG (decoded with libjpeg) or a bitmap.
#include <QImage>
#include <string>

namespace app {

// The picture in `path` by its extension (".jpg" through libjpeg, anything else through
// Qt's readers); a null image when the file is missing or cannot be decoded.
QImage LoadPicture(const std::string& path);
QImage DecodeJpeg(const std::string& path);

}  // namespace app
