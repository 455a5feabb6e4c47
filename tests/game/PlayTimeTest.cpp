// The running time and the certificate stars, at the model's level.
#include "game/PlayTime.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Time(const game::DatRecord& r) {
  const auto t = r.PlayTime();
  return {t.Hours, t.Minutes, t.Seconds, t.Hundredths};
}

TEST(PlayTimeTest, TicksCountFiveHundredthsRollOverAndStopAtTheCap) {
  game::TitleState s;
  game::DatRecord r;
  r.SetPlayTime({1, 59, 59, 95});
  game::AdvancePlayTime(s, r, 1000);
  EXPECT_EQ(Time(r), (std::vector<int>{2, 0, 0, 0}));
  r.SetPlayTime({65535, 59, 59, 0});
  for (int i = 0; i < 120; ++i) game::AdvancePlayTime(s, r, 1000 + 50 * i);
  EXPECT_EQ(Time(r), (std::vector<int>{65535, 59, 59, 0}));
}

TEST(PlayTimeTest, EveryFiveSecondsTheTickCountCorrectsItButNeverBelowZero) {
  game::TitleState s;
  game::DatRecord r;
  r.SetPlayTime({0, 0, 0, 0});
  s.PlayTimeBaseTick = 100000;
  // The timer's 100 ticks came 2 s late by the tick count: 2 s more are counted.
  for (int i = 1; i <= 100; ++i) game::AdvancePlayTime(s, r, 100000 + 50 * i + (i == 100 ? 2000 : 0));
  EXPECT_EQ(Time(r), (std::vector<int>{0, 0, 7, 0}));
  // The tick count 3 s behind the timer would take it below zero.
  r.SetPlayTime({0, 0, 1, 0});
  s.PlayTimeBaseTick = 300000;
  s.PlayTimeNominalMs = 4950;
  game::AdvancePlayTime(s, r, 300000 + 5000 - 3000);
  EXPECT_EQ(Time(r), (std::vector<int>{0, 0, 0, 0}));
}

TEST(PlayTimeTest, StarsCountTheGradeOnes) {
  using Level = game::CertStars::Level;
  game::DatRecord r;
  auto stars = [&](int ones) {
    for (int i = 0; i < 21; ++i) r.SetCertGradeAt(i, i < ones ? 1 : 2);
    const game::CertStars s = game::CertStarsOf(r);
    return std::make_pair(s.text, s.level);
  };
  EXPECT_EQ(stars(21), std::make_pair(std::string("★☆★"), Level::All));
  EXPECT_EQ(stars(20), std::make_pair(std::string("★★"), Level::Twenty));
  EXPECT_EQ(stars(19), std::make_pair(std::string("★☆++++"), Level::Some));
  EXPECT_EQ(stars(0), std::make_pair(std::string(""), Level::Some));
}

}  // namespace
