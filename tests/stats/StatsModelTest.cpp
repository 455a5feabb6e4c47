// The figures behind the statistics window: the weakness ranking, the moving average, the
// drills of the trends and their axes, the days practised, and the text of a weak-key practice.
#include "stats/StatsModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "stats/WeakKeyText.h"

namespace {

using records::KeyFigures;
using stats::Layer;

TEST(StatsModel, RankingWeighsMissRateAndSlownessAndLeavesThinKeysUnranked) {
  // The layer's mean time over keys with enough samples: (4×200 + 4×200 + 4×400 + 4×200) / 16 = 250 ms.
  const std::vector<KeyFigures> totals = {
      {'a', 10, 0, 800, 4},                           // 200 ms, no misses
      {'b', 10, 2, 800, 4},                           // 20 % misses
      {'c', 10, 1, 1600, 4},                          // 10 % misses, 400 ms: 0.1 + 0.1 × (400/250 − 1) = 0.16
      {'d', 4, 4, 800, 4},                            // every try missed, but only 4 samples
      {'e', 10, 0, 800, 4},  {0xB1, 50, 50, 100, 1},  // kana: another layer
  };
  const auto ranked = stats::RankKeys(totals, Layer::Latin);
  ASSERT_EQ(ranked.size(), 5u);
  EXPECT_EQ(ranked[0].ch, 'b');
  EXPECT_DOUBLE_EQ(ranked[0].weakness, 0.2);
  EXPECT_EQ(ranked[1].ch, 'c');
  EXPECT_NEAR(ranked[1].weakness, 0.16, 1e-12);
  EXPECT_EQ(ranked[2].ch, 'a');  // a tie is broken by the character
  EXPECT_EQ(ranked[3].ch, 'e');
  EXPECT_EQ(ranked[4].ch, 'd');
  EXPECT_FALSE(ranked[4].enough);
  EXPECT_DOUBLE_EQ(ranked[4].missRate, 1.0);

  const auto weak = stats::WeakestKeys(ranked, 2);
  EXPECT_EQ(weak, (std::vector<uint8_t>{'b', 'c'}));
  EXPECT_EQ(stats::GoodKeys(ranked, weak, 8), (std::vector<uint8_t>{'e', 'a'}));
  EXPECT_EQ(stats::RankKeys(totals, Layer::Kana).size(), 1u);
}

TEST(StatsModel, ConfusionsOfALayerMostFrequentFirst) {
  const std::vector<records::ConfusionFigures> all = {{'a', 's', 2}, {0xB9, 0xD1, 23}, {'a', 'q', 5}, {0xB1, 'x', 1}};
  const auto latin = stats::LayerConfusions(all, Layer::Latin);
  ASSERT_EQ(latin.size(), 2u);
  EXPECT_EQ(latin[0].typed, 'q');
  const auto kana = stats::LayerConfusions(all, Layer::Kana);
  ASSERT_EQ(kana.size(), 2u);
  EXPECT_EQ(stats::CharName(kana[0].target) + " → " + stats::CharName(kana[0].typed), "ｹ → ﾑ");
  EXPECT_EQ(stats::CharName(' '), "空白");
  EXPECT_EQ(stats::CharName(0x81), "0x81");  // outside both layers
}

TEST(StatsModel, MovingAverageOverTheValuesSoFar) {
  EXPECT_EQ(stats::MovingAverage({2, 4, 6, 8}, 2), (std::vector<double>{2, 3, 5, 7}));
  EXPECT_EQ(stats::MovingAverage({3, 6, 9}, 10), (std::vector<double>{3, 4.5, 6}));
  EXPECT_TRUE(stats::MovingAverage({}, 3).empty());
}

TEST(StatsModel, TrendsLeaveOutPracticeAndDrillsOfTooFewKeys) {
  auto drill = [](int mode, int time, int good, int miss, bool practice = false) {
    records::DrillEntry d;
    d.mode = mode;
    d.timeSetting = time;
    d.good = good;
    d.miss = miss;
    d.practice = practice;
    return d;
  };
  EXPECT_TRUE(stats::InTrend(drill(0, 0, 9, 1)));  // ten judged keys
  EXPECT_FALSE(stats::InTrend(drill(0, 0, 9, 0)));
  EXPECT_FALSE(stats::InTrend(drill(2, 3, 50, 0, true)));
  EXPECT_FALSE(stats::InTrend(drill(7, 0, 50, 0)));  // a lesson
  const std::vector<records::DrillEntry> drills = {drill(4, 1, 40, 2), drill(0, 0, 3, 0), drill(0, 2, 20, 0),
                                                   drill(4, 1, 30, 0), drill(2, 3, 80, 5, true)};
  EXPECT_EQ(stats::PlayedSelections(drills), (std::vector<int>{2, 17}));
}

TEST(StatsModel, AxesPadTheirValuesAndKeepToRoundSteps) {
  // One value sits in the middle of its axis.
  const auto one = stats::ValueAxis(320, 320, 0, HUGE_VAL);
  EXPECT_DOUBLE_EQ((one.lo + one.hi) / 2, 320);
  EXPECT_LT(one.lo, 300);
  EXPECT_DOUBLE_EQ(stats::ValueAxis(3.2, 3.2, 0, HUGE_VAL).step, 0.2);
  // A spread is padded on both sides, never below the floor.
  const auto spread = stats::ValueAxis(650, 790, 0, HUGE_VAL);
  EXPECT_LT(spread.lo, 650);
  EXPECT_GT(spread.hi, 790);
  EXPECT_DOUBLE_EQ(spread.step, 50);
  EXPECT_DOUBLE_EQ(stats::ValueAxis(0, 1000, 0, HUGE_VAL).lo, 0);
  // Past the ceiling by less than half a step: no label beyond 100 %.
  const auto accuracy = stats::ValueAxis(100, 100, 0, 100);
  EXPECT_GT(accuracy.hi, 100);
  EXPECT_LT(accuracy.hi, 100 + accuracy.step / 2 + 1e-9);
  // Drill numbers: whole steps, the first and the last drill off the edges.
  const auto first = stats::DrillAxis(1);
  EXPECT_DOUBLE_EQ((first.lo + first.hi) / 2, 1);
  EXPECT_DOUBLE_EQ(first.step, 1);
  const auto many = stats::DrillAxis(19);
  EXPECT_LT(many.lo, 1);
  EXPECT_GT(many.hi, 19);
  EXPECT_DOUBLE_EQ(many.step, 5);
  EXPECT_DOUBLE_EQ(stats::DrillAxis(3).step, 1);
}

TEST(StatsModel, DaysPractisedAndTheStreakAcrossMonthAndYearEnds) {
  auto drill = [](const char* started, int good, int miss) {
    records::DrillEntry d;
    d.started = started;
    d.good = good;
    d.miss = miss;
    return d;
  };
  const std::vector<records::DrillEntry> drills = {
      drill("2026-12-30 23:59:59", 10, 1), drill("2026-12-31 08:00:00", 20, 0), drill("2027-01-01 00:00:00", 5, 5),
      drill("2027-01-01 12:00:00", 1, 0),  drill("2026-10-01 10:00:00", 99, 0),  // outside the 12 weeks
  };
  EXPECT_EQ(stats::AddDays("2027-03-01", -1), "2027-02-28");
  const auto days = stats::PracticePerDay(drills, "2027-01-02", 84);
  ASSERT_EQ(days.size(), 84u);
  EXPECT_EQ(days.back().date, "2027-01-02");
  EXPECT_EQ(days.front().date, "2026-10-11");
  EXPECT_EQ(days[82].keys, 11);
  EXPECT_EQ(days[82].drills, 2);
  EXPECT_EQ(days[81].keys, 20);
  // The day axis counts back from today every other week; the first bar is 83 days ago.
  const auto marks = stats::DayMarks(days, 14);
  ASSERT_EQ(marks.size(), 6u);
  EXPECT_EQ(marks.back().index, 83u);
  EXPECT_EQ(marks.back().label, "1/2");
  EXPECT_EQ(marks[4].label, "12/19");
  EXPECT_EQ(marks.front().index, 13u);
  EXPECT_EQ(marks.front().label, "10/24");
  // Today not practised yet: the streak runs up to yesterday; a gap ends it.
  EXPECT_EQ(stats::Streak(drills, "2027-01-02"), 3);
  EXPECT_EQ(stats::Streak(drills, "2027-01-01"), 3);
  EXPECT_EQ(stats::Streak(drills, "2027-01-03"), 0);
}

TEST(WeakKeyText, OnlyChosenKeysMostlyWeakNeverThreeInARow) {
  const std::vector<uint8_t> weak = {0xB9, 0xD1, 0xCE};
  const std::vector<uint8_t> good = {0xC1, 0xC4};
  const std::string text = stats::WeakKeyText(weak, good, 12345, 3000);
  ASSERT_EQ(text.size(), 3000u);
  std::map<uint8_t, int> counts;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<uint8_t>(text[i]);
    ++counts[c];
    if (i >= 2) {
      EXPECT_FALSE(text[i] == text[i - 1] && text[i] == text[i - 2]) << "at " << i;
    }
  }
  EXPECT_EQ(counts.size(), 5u);
  int fromWeak = 0;
  for (uint8_t c : weak) fromWeak += counts[c];
  EXPECT_GT(fromWeak, 1800);  // two in three, give or take
  EXPECT_LT(fromWeak, 2200);
  EXPECT_EQ(text, stats::WeakKeyText(weak, good, 12345, 3000));
  EXPECT_NE(text, stats::WeakKeyText(weak, good, 54321, 3000));
}

TEST(WeakKeyText, FewKeysStillKeepTheRule) {
  const std::string two = stats::WeakKeyText({'q'}, {'a'}, 7, 500);
  for (size_t i = 2; i < two.size(); ++i) EXPECT_FALSE(two[i] == two[i - 1] && two[i] == two[i - 2]);
  EXPECT_TRUE(stats::WeakKeyText({}, {'a'}, 7, 100).empty());
  EXPECT_EQ(stats::WeakKeyText({'q'}, {}, 7, 5), "qqqqq");  // one key alone can only repeat
}

}  // namespace
