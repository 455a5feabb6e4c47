#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "DriverFixture.h"
#include "platform/Cp932.h"

namespace {

struct MissStatsTest : DriverFixture {
  void SetUp() override {
    DriverFixture::SetUp();
    Run("start\nwait 50\n");
    ShowScreen(C().F1Panel);
  }
  drill::MissStats& Misses() { return Form().Misses(); }
  std::vector<ui::Image*> Pictures() { return {C().F4I1, C().Image7, C().F4I2, C().Image6}; }
  static bool IsLatin(ui::Image* picture) { return picture->Name() == "F4I1" || picture->Name() == "Image7"; }
};

TEST_F(MissStatsTest, CountsFoldLowerCaseAndSaturateSeparately) {
  for (int i = 0; i < 300; ++i) Misses().CountMiss('k');
  EXPECT_EQ(State().DrillMissCounts['K'], 255);
  EXPECT_EQ(State().RunMissCounts['K'], 300);
  EXPECT_EQ(State().DrillMissCounts['k'], 0);
  EXPECT_EQ(Misses().FormatMissEntry('K'), "K 255(00300)");

  State().RunMissCounts['@'] = 65534;
  for (int i = 0; i < 3; ++i) Misses().CountMiss('@');
  EXPECT_EQ(State().RunMissCounts['@'], 65535);
  EXPECT_EQ(State().DrillMissCounts['@'], 3);

  const auto kana = static_cast<uint8_t>(plat::cp932::FromUtf8("ｱ").value()[0]);
  Misses().CountMiss(kana);
  EXPECT_EQ(State().DrillMissCounts[kana], 1);
  EXPECT_EQ(plat::cp932::ToUtf8(Misses().FormatMissEntry(kana)), "ｱ 001(00001)");
}

TEST_F(MissStatsTest, GridsPlaceEveryCellAndColourOnlyThisDrillsMisses) {
  Misses().DrawMissStats();
  for (ui::Image* picture : Pictures()) {
    const auto& texts = picture->Canvas().Texts();
    const bool latin = IsLatin(picture);
    ASSERT_EQ(texts.size(), 60u) << picture->Name();
    EXPECT_EQ(picture->Canvas().FontHeight(), latin ? 12 : 11) << picture->Name();
    const int rows = latin ? 12 : 10;
    for (std::size_t n = 0; n < texts.size(); ++n) {
      const int i = static_cast<int>(n) / rows, j = static_cast<int>(n) % rows;
      EXPECT_EQ(texts[n].x, (latin ? 90 : 77) * i) << picture->Name() << n;
      EXPECT_EQ(texts[n].y, (latin ? 13 : 14) * j) << picture->Name() << n;
      EXPECT_EQ(texts[n].color, ui::clr::White) << picture->Name() << n;
    }
    EXPECT_EQ(texts[0].text, latin ? "0 000(00000)" : "ｱ 000(00000)");
    EXPECT_EQ(texts[59].text, latin ? "  000(00000)" : "ｰ 000(00000)");
  }
  const auto& latin = C().F4I1->Canvas().Texts();
  EXPECT_EQ(latin[3 * 12 + 3].text, "\\ 000(00000)");
  EXPECT_EQ(latin[4 * 12 + 1].text, "\" 000(00000)");
  EXPECT_EQ(latin[4 * 12 + 10].text, "= 000(00000)");
  EXPECT_EQ(C().F4I2->Canvas().Texts()[4 * 10 + 9].text, "､ 000(00000)");

  // A miss on a character of no grid counts but shows nowhere; a miss on 'x' turns X red.
  Misses().CountMiss('@');
  Misses().CountMiss('x');
  Misses().DrawMissStats();
  for (ui::Image* picture : Pictures()) {
    int red = 0;
    for (const auto& t : picture->Canvas().Texts()) {
      EXPECT_EQ(t.text.find('@'), std::string::npos);
      if (t.color == ui::clr::Red) {
        ++red;
        EXPECT_EQ(t.text, "X 001(00001)");
      }
    }
    EXPECT_EQ(red, IsLatin(picture) ? 1 : 0) << picture->Name();
  }
  // The next drill clears its own counts: the cell goes white and keeps the run's count.
  State().DrillMissCounts.fill(0);
  Misses().DrawMissStats();
  const auto& x = C().Image7->Canvas().Texts()[2 * 12 + 11];
  EXPECT_EQ(x.text, "X 000(00001)");
  EXPECT_EQ(x.color, ui::clr::White);
}

TEST_F(MissStatsTest, TheWidestCellsFitTheirPictures) {
  Misses().DrawMissStats();
  for (ui::Image* picture : Pictures()) {
    const int px = picture->Canvas().FontHeight();
    const QFontMetricsF fm(ui::MakeFont(ui::Face::Gothic, px));
    for (const auto& t : picture->Canvas().Texts()) {
      EXPECT_LE(t.x + fm.horizontalAdvance(QString::fromStdString(t.text)), picture->Width()) << picture->Name();
      EXPECT_LE(t.y + px, picture->Height()) << picture->Name();
    }
  }
}

}  // namespace
