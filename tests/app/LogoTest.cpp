#include "app/Logo.h"

#include <sys/stat.h>

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <jpeglib.h>
#include <vector>

#include "app/Game.h"
#include "tools/drive/Driver.h"

namespace {

using Bytes = std::vector<uint8_t>;

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A grey JPEG of the given size, through libjpeg.
Bytes MakeJpeg(int width, int height) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3, 0x80);
  while (info.next_scanline < info.image_height) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(out, out + size);
  std::free(out);
  return bytes;
}

// The same JPEG whose frame header claims another size (a picture bomb).
Bytes ClaimSize(Bytes jpeg, int width, int height) {
  for (size_t i = 0; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = static_cast<uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<uint8_t>(height);
      jpeg[i + 7] = static_cast<uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<uint8_t>(width);
      break;
    }
  }
  return jpeg;
}

// A bitmap header of a 24-bit picture of the given size, with a few bytes of pixels.
Bytes BitmapHeader(int32_t width, int32_t height) {
  Bytes b(54 + 64, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<uint32_t>(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  b[26] = 1;
  b[28] = 24;
  return b;
}

// Pictures whose headers claim more than 4096 × 4096 pixels are passed over at once;
// pictures within it load.
TEST(LogoTest, PictureBombsAreIgnoredAndOrdinaryPicturesLoad) {
  QTemporaryDir dir;
  const std::string jpg = dir.path().toStdString() + "/dojokai.jpg", bmp = dir.path().toStdString() + "/dojokai.bmp";

  WriteBytes(jpg, MakeJpeg(40, 30));
  EXPECT_EQ(app::LoadPicture(jpg).size(), QSize(40, 30));
  QImage small(8, 6, QImage::Format_RGB888);
  small.fill(Qt::red);
  ASSERT_TRUE(small.save(QString::fromStdString(bmp), "BMP"));
  EXPECT_EQ(app::LoadPicture(bmp).size(), QSize(8, 6));

  struct Bomb {
    int width, height;
    bool loads;
  };
  for (const Bomb& b : {Bomb{16384, 16384, false}, Bomb{4097, 4096, false}, Bomb{65000, 2, true}}) {
    SCOPED_TRACE(std::to_string(b.width) + "x" + std::to_string(b.height));
    const Bytes bomb = ClaimSize(MakeJpeg(16, 16), b.width, b.height);
    ASSERT_LT(bomb.size(), 1000u);
    WriteBytes(jpg, bomb);
    const auto start = std::chrono::steady_clock::now();
    const QImage picture = app::LoadPicture(jpg);
    EXPECT_EQ(picture.isNull(), !b.loads);
    // Within limits the damaged rest decodes as grey; beyond them nothing is allocated.
    if (!b.loads) {
      EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    }
  }
  WriteBytes(bmp, BitmapHeader(20000, 20000));
  EXPECT_TRUE(app::LoadPicture(bmp).isNull());
  WriteBytes(bmp, BitmapHeader(5000, -5000));
  EXPECT_TRUE(app::LoadPicture(bmp).isNull());
}

TEST(LogoTest, FifosInThePlaceOfThePicturesAreNotWaitedFor) {
  QTemporaryDir dir;
  for (const char* name : {"/dojokai.jpg", "/dojokai.bmp"}) {
    const std::string path = dir.path().toStdString() + name;
    ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);
    EXPECT_TRUE(app::LoadPicture(path).isNull());
  }
}

// An installed game's player cannot write the program's folder: the logo picture is read
// from the folder of the player's records.
TEST(LogoTest, AnInstallReadsTheLogoFromThePlayersDataFolder) {
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString();
  for (const char* folder : {"/bin", "/share/dojokai", "/data/dojokai", "/config/dojokai"})
    std::filesystem::create_directories(root + folder);
  ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
  std::ofstream(root + "/config/dojokai/dojokai.cfg") << "[DOJOKAI]\nBMPJPGLOADON=1\n";
  QImage logo(8, 6, QImage::Format_RGB888);
  logo.fill(Qt::red);
  ASSERT_TRUE(logo.save(QString::fromStdString(root + "/data/dojokai/dojokai.bmp"), "BMP"));
  std::ostringstream out, err;
  drive::Driver driver(root + "/bin", out, err);
  ASSERT_EQ(driver.Run("start\n"), 0) << err.str();
  EXPECT_EQ(driver.GameObject()->Form().C.Image3->Picture().size(), QSize(8, 6));
  ::unsetenv("XDG_DATA_HOME");
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
