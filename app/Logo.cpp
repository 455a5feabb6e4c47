#include "app/Logo.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>

namespace app {
namespace {

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void SilenceJpeg(j_common_ptr, int) {}

}  // namespace

QImage DecodeJpeg(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return {};
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
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const unsigned w = info.output_width, h = info.output_height;
  // Refuse absurd sizes rather than allocate gigabytes for a damaged header.
  if (w == 0 || h == 0 || w > 16384 || h > 16384 || info.output_components != 3) {
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
  for (unsigned y = 0; y < h; ++y) std::memcpy(image.scanLine(static_cast<int>(y)), pixels + size_t{y} * w * 3, size_t{w} * 3);
  std::free(pixels);
  return image;
}

QImage LoadPicture(const std::string& path) {
  const auto dot = path.rfind('.');
  if (dot != std::string::npos && path.substr(dot) == ".jpg") return DecodeJpeg(path);
  return QImage(QString::fromStdString(path));
}

}  // namespace app
