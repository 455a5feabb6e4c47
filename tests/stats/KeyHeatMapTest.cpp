// The heat map's keys: the characters of one layer on each cap counted together, thin
// keys neutral, and the colour scale.
#include "stats/KeyHeatMap.h"

#include <gtest/gtest.h>

#include "drill/KeyCaps.h"

namespace {

using stats::Layer;

size_t CapOf(uint8_t ch) { return static_cast<size_t>(drill::KeyCaps::CapRowOf(ch)); }

TEST(KeyHeatMap, CharactersOfALayerOnOneCapCountTogether) {
  // '1' and '!' share a cap, as do 'a' and ﾁ (a kana, another layer).
  const std::vector<records::KeyFigures> totals = {
      {'1', 3, 1, 0, 0}, {'!', 3, 2, 0, 0}, {'a', 4, 4, 0, 0}, {0xC1, 20, 0, 0, 0}, {'z', 10, 1, 3000, 10}};
  stats::KeyHeatMap map;
  map.SetKeys(stats::RankKeys(totals, Layer::Latin), Layer::Latin);
  EXPECT_DOUBLE_EQ(map.CapMissRate(CapOf('1')), 0.5);  // 3 of 6, though neither alone has 5 tries
  EXPECT_DOUBLE_EQ(map.CapMissRate(CapOf('a')), -1);   // four tries: shown neutral
  EXPECT_EQ(map.CapColour(CapOf('a')), stats::KeyHeatMap::RateColour(-1));
  EXPECT_DOUBLE_EQ(map.CapMissRate(CapOf('z')), 0.1);
  EXPECT_NE(map.CapText(CapOf('z')).find("目標 10回  ミス 1回 (10.0%)  平均 300 ms"), std::string::npos);
  EXPECT_TRUE(map.CapText(CapOf('q')).empty());

  map.SetKeys(stats::RankKeys(totals, Layer::Kana), Layer::Kana);
  EXPECT_DOUBLE_EQ(map.CapMissRate(CapOf(0xC1)), 0);
  EXPECT_DOUBLE_EQ(map.CapMissRate(CapOf('1')), -1);
}

TEST(KeyHeatMap, ColourRunsFromGreenThroughYellowToRed) {
  const QColor none = stats::KeyHeatMap::RateColour(0), tenth = stats::KeyHeatMap::RateColour(0.10),
               quarter = stats::KeyHeatMap::RateColour(0.25), all = stats::KeyHeatMap::RateColour(1.0);
  EXPECT_GT(none.green(), none.red());
  EXPECT_GT(tenth.red(), 200);
  EXPECT_GT(tenth.green(), 150);
  EXPECT_EQ(quarter, all);  // red from a quarter on
  EXPECT_GT(all.red(), 3 * all.green());
}

}  // namespace
