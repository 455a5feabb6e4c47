// The ローマ字 layer's figures: kana ranked with katakana folded in, the kana table, the
// drills of the trend, and the entries a 苦手かな練習 picks.
#include "stats/RomajiStats.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using records::KanaFigures;

game::romaji::Entry E(const std::string& reading) { return {reading, reading, {}}; }

std::string Readings(const std::vector<game::romaji::Entry>& entries) {
  std::string out;
  for (const auto& e : entries) out += e.reading + " ";
  return out;
}

TEST(RomajiStats, KanaRankedByWeaknessWithKatakanaCountedAsHiragana) {
  // The mean over kana with enough samples: 5200 ms over 19 timed, about 274 ms.
  const std::vector<KanaFigures> totals = {
      {"し", 6, 0, 800, 4},                          // 200 ms
      {"シ", 4, 2, 200, 1},                          // folded into し: 10 tries, 2 misses, 1000 ms over 5
      {"つ", 10, 1, 1600, 4},                        // 400 ms: slow
      {"あ", 10, 0, 800, 4},  {"ぢ", 3, 3, 300, 3},  // too few to rank
      {"〜", 3, 0, 900, 3},   {"～", 3, 0, 900, 3},  // one kana, 300 ms
  };
  const auto ranked = stats::RankKana(totals);
  ASSERT_EQ(ranked.size(), 5u);
  EXPECT_EQ(ranked[0].kana, "し");
  EXPECT_EQ(ranked[0].targeted, 10);
  EXPECT_DOUBLE_EQ(ranked[0].weakness, 0.2);  // 20 % missed, faster than the mean
  EXPECT_EQ(ranked[1].kana, "つ");
  EXPECT_NEAR(ranked[1].weakness, 0.1 + 0.1 * (400 / (5200.0 / 19) - 1), 1e-12);
  EXPECT_EQ(ranked[2].kana, "〜");
  EXPECT_EQ(ranked[2].targeted, 6);
  EXPECT_EQ(ranked[3].kana, "あ");
  EXPECT_EQ(ranked[3].weakness, 0);
  EXPECT_EQ(ranked[4].kana, "ぢ");
  EXPECT_FALSE(ranked[4].enough);
  // Only kana with enough samples and some weakness are weak.
  const auto weak = stats::WeakestKana(ranked, 8);
  ASSERT_EQ(weak.size(), 3u);
  EXPECT_EQ(weak[2].kana, "〜");  // never missed, but slower than the mean
  EXPECT_TRUE(stats::WeakestKana(stats::RankKana({{"か", 4, 4, 100, 1}}), 8).empty());
}

TEST(RomajiStats, KanaTableLaysOutTheSyllabaryAndGathersTheRest) {
  const auto cells =
      stats::KanaTable({{"カ", 5, 1, 500, 4}, {"Ａ", 2, 1, 0, 0}, {"１", 3, 0, 0, 0}, {"ー", 1, 0, 0, 0}});
  std::map<std::string, const stats::KanaCell*> at;
  for (const auto& c : cells) {
    EXPECT_TRUE(at.emplace(c.label, &c).second) << c.label;  // each kana once
    EXPECT_LT(c.row, stats::kKanaRows);
    EXPECT_LT(c.column, stats::kKanaColumns);
    EXPECT_NE(c.column, 5);  // the gap between the blocks
  }
  // 46 清音 with ん, 25 濁音・半濁音 and ゔ, 10 small kana, ー, 8 marks and the cell for the rest.
  EXPECT_EQ(cells.size(), 46u + 26 + 10 + 1 + 8 + 1);
  EXPECT_EQ(at["か"]->row, 1);
  EXPECT_EQ(at["か"]->column, 0);
  EXPECT_EQ(at["か"]->stat.targeted, 5);
  EXPECT_EQ(at["を"]->column, 4);
  EXPECT_EQ(at["ぱ"]->column, 6);
  EXPECT_EQ(at["ー"]->stat.targeted, 1);
  EXPECT_EQ(at[stats::kOtherCell]->stat.targeted, 5);
  EXPECT_EQ(at[stats::kOtherCell]->stat.missed, 1);
  EXPECT_FALSE(at["ん"]->stat.enough);
}

TEST(RomajiStats, TrendLeavesOutPracticeAndShortDrills) {
  auto drill = [](int kind, int time, int keys, bool practice) {
    records::RomajiDrillEntry d;
    d.kind = kind;
    d.timeSetting = time;
    d.good = keys;
    d.practice = practice;
    return d;
  };
  const std::vector<records::RomajiDrillEntry> drills = {drill(1, 1, 40, false), drill(0, 3, 40, true),
                                                         drill(0, 2, 9, false), drill(0, 0, 10, false)};
  EXPECT_EQ(stats::PlayedRomajiSelections(drills), (std::vector<int>{0, 5}));
  EXPECT_EQ(stats::RomajiSelectionName(5), "文 60秒");
  EXPECT_EQ(stats::RomajiSelectionName(-1), "すべて");
}

// The practice takes the entries densest in the weak kana, spread over all of them, each
// once, in the list's order where they score alike.
TEST(RomajiStats, WeakKanaEntriesAreRichInTheWeakestKana) {
  const std::vector<KanaFigures> totals = {
      {"つ", 20, 8, 4000, 12},  // 40 % missed
      {"ふ", 20, 4, 4000, 16},  // 20 % missed
      {"か", 40, 0, 8000, 40}, {"い", 40, 0, 8000, 40}, {"な", 40, 0, 8000, 40},
  };
  const std::vector<game::romaji::Entry> list = {
      E("かいな"), E("つかい"), E("ツナイ"), E("つつ"), E("ふか"), E("つつ"), E("いなか"), E("ふつう"),
  };
  EXPECT_EQ(Readings(stats::WeakKanaEntries(totals, list, 3)), "つつ ふつう つかい ");
  // All the entries with a weak kana, and none without.
  EXPECT_EQ(stats::WeakKanaEntries(totals, list, 40).size(), 5u);
  // The judge's kana win over the reading; katakana count as hiragana.
  game::romaji::Entry kanaOnly{"通", "", U"ツ"};
  EXPECT_EQ(stats::WeakKanaEntries(totals, {E("かな"), kanaOnly}, 5).size(), 1u);
  // No history, or nothing weak yet: nothing to practise.
  EXPECT_TRUE(stats::WeakKanaEntries({}, list, 10).empty());
  EXPECT_TRUE(stats::WeakKanaEntries({{"か", 40, 0, 8000, 40}}, list, 10).empty());
}

}  // namespace
