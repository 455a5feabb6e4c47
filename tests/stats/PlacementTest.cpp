// Where the statistics window opens beside the game's window.
#include "stats/Placement.h"

#include <gtest/gtest.h>

namespace {

using stats::PlaceBeside;

const QSize kWanted(802, 627);  // 800 × 600 and the frame
constexpr int kLeast = 416;

TEST(Placement, BesideTheGameRightFirstThenLeftNarrowedToTheRoom) {
  const QRect screen(0, 0, 1920, 1080);
  // Room on the right: the wanted size, top level with the game.
  EXPECT_EQ(PlaceBeside(screen, QRect(0, 100, 482, 327), kWanted, kLeast), QRect(482, 100, 802, 627));
  // A game low on the screen: the window rises as far as it must.
  EXPECT_EQ(PlaceBeside(screen, QRect(0, 700, 482, 327), kWanted, kLeast), QRect(482, 453, 802, 627));
  // 1366 × 768 with the game in the middle: 441 left on the right, narrower but beside.
  const QRect small(0, 0, 1366, 740);
  EXPECT_EQ(PlaceBeside(small, QRect(443, 234, 482, 327), kWanted, kLeast), QRect(925, 113, 441, 627));
  // Too little on the right: the left, narrowed to its room too.
  EXPECT_EQ(PlaceBeside(small, QRect(700, 0, 482, 327), kWanted, kLeast), QRect(0, 0, 700, 627));
  // A screen that does not start at 0 (a second monitor).
  EXPECT_EQ(PlaceBeside(QRect(1920, 0, 1366, 740), QRect(1920, 0, 482, 327), kWanted, kLeast),
            QRect(2402, 0, 802, 627));
}

TEST(Placement, NoRoomBesideCoversTheLeastOfTheGameWithinTheScreen) {
  // 1920 × 1080 at 200 %: 960 × 540 to lay out on, the game in the middle. Nothing avoids the
  // game; the window is cut to the screen and stays on it.
  const QRect doubled(0, 0, 960, 540);
  const QRect placed = PlaceBeside(doubled, QRect(240, 120, 482, 327), kWanted, kLeast);
  EXPECT_EQ(placed.size(), QSize(802, 540));
  EXPECT_TRUE(doubled.contains(placed));
  // A wide game at the top: below it hides nothing, where right or left would.
  EXPECT_EQ(PlaceBeside(QRect(0, 0, 1920, 1080), QRect(200, 0, 1602, 427), QSize(1604, 627), kLeast),
            QRect(200, 427, 1604, 627));
  // A maximized game: the window covers it whatever it does, at its wanted size.
  EXPECT_EQ(PlaceBeside(QRect(0, 0, 1366, 740), QRect(0, 0, 1366, 740), kWanted, kLeast), QRect(564, 0, 802, 627));
}

}  // namespace
