#include "app/Pictures.h"

#include <QColor>
#include <algorithm>
#include <vector>
#include <functional>
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

using app::pictures::AboutPicture1;
using app::pictures::AboutPicture2;
using app::pictures::DataStateIcon;
using app::pictures::HundredPercentGlyph;
using app::pictures::Logo;
using app::pictures::Prompt;
using app::pictures::StartPicture;

struct Case {
  const char* name;
  std::function<QImage()> make;
  QSize size;
};

const Case kCases[] = {
    {"StartPicture", StartPicture, {480, 300}},
    {"Logo", Logo, {100, 100}},
    {"Prompt", Prompt, {126, 12}},
    {"DataStateIcon", DataStateIcon, {17, 16}},
    {"HundredPercentGlyph", HundredPercentGlyph, {13, 13}},
    {"AboutPicture1", AboutPicture1, {33, 33}},
    {"AboutPicture2", AboutPicture2, {33, 33}},
    {"SmallIcon16", [] { return app::pictures::SmallIcon(16); }, {16, 16}},
    {"SmallIcon24", [] { return app::pictures::SmallIcon(24); }, {24, 24}},
};

int CountPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixel(x, y)) ? 1 : 0;
  return n;
}

// Sizes and format are what the title and About screens lay out for, and every call
// paints exactly the same pixels: nothing depends on time, chance or earlier calls.
TEST(PicturesTest, EveryPictureHasItsSizeAndIsTheSameOnEveryCall) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const QImage first = c.make();
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), c.size);
    EXPECT_EQ(first.format(), QImage::Format_ARGB32_Premultiplied);
    // Something is drawn: never one flat colour.
    EXPECT_GT(CountPixels(first, first.rect(), [&](QRgb p) { return p != first.pixel(0, 0); }), 0);
    // Another picture in between must not disturb the next one.
    (void)StartPicture();
    EXPECT_EQ(c.make(), first);
  }
}

// The start picture the program carries, drawn when it was built, is the one the code
// draws, pixel for pixel.
TEST(PicturesTest, TheBuiltStartPictureIsTheDrawnOne) {
  const QImage built = StartPicture(), drawn = app::pictures::DrawStartPicture();
  EXPECT_EQ(built.format(), drawn.format());
  EXPECT_TRUE(built == drawn);
}

// The logo and the prompt lie over the white title: clear around, solid where drawn.
TEST(PicturesTest, OverlaysAreTransparentAroundAndOpaqueWhereDrawn) {
  for (const Case& c : {kCases[1], kCases[2]}) {
    SCOPED_TRACE(c.name);
    const QImage image = c.make();
    const int r = image.width() - 1, b = image.height() - 1;
    for (QPoint corner : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
      EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_GT(CountPixels(image, image.rect(), [](QRgb p) { return qAlpha(p) == 255; }), 50);
  }

  // The prompt is drawn without smoothing, so it stays sharp when the window grows:
  // every pixel is either clear or fully solid.
  const QImage prompt = Prompt();
  EXPECT_EQ(CountPixels(prompt, prompt.rect(), [](QRgb p) { return qAlpha(p) != 0 && qAlpha(p) != 255; }), 0);
  // ...and it stays centred: the ink starts and ends at the same distance from the edges.
  int firstColumn = -1, lastColumn = -1;
  for (int x = 0; x < prompt.width(); ++x) {
    const QRect column(x, 0, 1, prompt.height());
    if (CountPixels(prompt, column, [](QRgb p) { return qAlpha(p) != 0; }) > 0) {
      if (firstColumn < 0) firstColumn = x;
      lastColumn = x;
    }
  }
  ASSERT_GE(firstColumn, 0);
  EXPECT_LE(std::abs(firstColumn - (prompt.width() - 1 - lastColumn)), 1);
}

// The lettering really comes out of the installed Japanese face, and the details that
// carry each picture's meaning are there.
TEST(PicturesTest, LetteringAndSignsAreDrawn) {
  // The "道" on the logo's key cap: dark ink inside the light face of the cap.
  const QImage logo = Logo();
  EXPECT_GT(
      CountPixels(logo, QRect(32, 24, 36, 34), [](QRgb p) { return qBlue(p) > 80 && qRed(p) < 60 && qGreen(p) < 60; }),
      60);

  // The name over the start picture: warm gold on the dark sky, wide across the top.
  const QImage start = StartPicture();
  const auto gold = [](QRgb p) { return qRed(p) > 220 && qGreen(p) > 120 && qBlue(p) < 140; };
  EXPECT_GT(CountPixels(start, QRect(60, 30, 360, 80), gold), 3000);
  EXPECT_GT(CountPixels(start, QRect(60, 30, 60, 80), gold), 200);   // the "D" on the left
  EXPECT_GT(CountPixels(start, QRect(360, 30, 60, 80), gold), 200);  // the "I" on the right
  // The sky stays dark at the top corners; the picture is fully opaque.
  EXPECT_LT(QColor(start.pixel(2, 2)).lightness(), 60);
  EXPECT_EQ(CountPixels(start, start.rect(), [](QRgb p) { return qAlpha(p) != 255; }), 0);

  // The data-file sign is crossed out in red.
  const QImage icon = DataStateIcon();
  EXPECT_GT(CountPixels(icon, icon.rect(), [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; }), 8);
}

// The 16-pixel icon is pixel art: no blurred pixel, and its navy 道 is a good part of it.
TEST(PicturesTest, TheSixteenPixelIconIsCrisp) {
  const QImage icon = app::pictures::SmallIcon(16);
  const std::vector<QRgb> inks = {0, qRgb(0xe8, 0x9c, 0x34), qRgb(0xff, 0xfe, 0xf6), qRgb(0xc2, 0xb8, 0xa0),
                                  qRgb(0x1c, 0x22, 0x6e)};
  EXPECT_EQ(
      CountPixels(icon, icon.rect(), [&](QRgb c) { return std::find(inks.begin(), inks.end(), c) == inks.end(); }), 0);
  EXPECT_GT(CountPixels(icon, icon.rect(), [](QRgb c) { return c == qRgb(0x1c, 0x22, 0x6e); }), 60);
}

}  // namespace
