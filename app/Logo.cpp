#include "app/Logo.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QImageReader>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>

#include "platform/Files.h"

namespace app {
namespace {

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

[[noreturn]] void OnJpegError(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

void SilenceJpeg(j_common_ptr, int) {}

}  // namespace

bool PictureTooLarge(uint64_t width, uint64_t height, uint64_t bytesPerPixel) {
  return width * height > kMaxLogoPixels || width * height * bytesPerPixel > kMaxLogoBytes;
}

QImage DecodeJpeg(const std::string& path) {
  // Only a regular file: a FIFO in its place would hold the start.
  const int fd = plat::OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return {};
  FILE* file = ::fdopen(fd, "rb");
  if (!file) {
    ::close(fd);
    return {};
  }
  jpeg_decompress_struct info{};
  JpegError error{};
  info.err = jpeg_std_error(&error.mgr);
  error.mgr.error_exit = OnJpegError;
  error.mgr.emit_message = SilenceJpeg;
  // Only plain data lives across the error jump; the picture is made at the end.
  unsigned char* volatile pixels = nullptr;
  if (setjmp(error.jump)) {
    std::free(pixels);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  // A header may claim any size; a picture this large is treated as damaged before a
  // byte of it is decoded.
  if (PictureTooLarge(info.image_width, info.image_height, 3)) {
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return {};
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const unsigned w = info.output_width, h = info.output_height;
  // Refuse absurd sizes rather than allocate gigabytes for a damaged header.
  if (w == 0 || h == 0 || PictureTooLarge(w, h, 3) || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return {};
  }
  pixels = static_cast<unsigned char*>(std::malloc(size_t{w} * h * 3));
  if (!pixels) {
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return {};
  }
  while (info.output_scanline < h) {
    JSAMPROW row = pixels + size_t{info.output_scanline} * w * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB888);
  for (unsigned y = 0; y < h; ++y)
    std::memcpy(image.scanLine(static_cast<int>(y)), pixels + size_t{y} * w * 3, size_t{w} * 3);
  std::free(pixels);
  return image;
}

QImage DecodeBitmap(const std::string& path) {
  // A bitmap is its pixels and a header; a file much larger than the largest picture
  // taken is not read to its end.
  const auto bytes = plat::ReadWholeFile(path, kMaxLogoBytes + 65536);
  if (!bytes) return {};
  QByteArray data(reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || PictureTooLarge(static_cast<uint64_t>(size.width()), static_cast<uint64_t>(size.height()), 4))
    return {};
  return reader.read();
}

QImage LoadPicture(const std::string& path) {
  const auto dot = path.rfind('.');
  if (dot != std::string::npos && path.substr(dot) == ".jpg") return DecodeJpeg(path);
  return DecodeBitmap(path);
}

}  // namespace app
