#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/VirtualPlatform.h"

namespace {

TEST(VirtualPlatformTest, TimersFireInDeadlineOrderAsOftenAsDue) {
  plat::VirtualPlatform p;
  std::vector<std::string> fired;
  auto fast = p.CreateTimer([&] { fired.push_back("50@" + std::to_string(p.ElapsedMs())); });
  auto slow = p.CreateTimer([&] { fired.push_back("100@" + std::to_string(p.ElapsedMs())); });
  fast->Start(50);
  slow->Start(100);
  p.Advance(220);
  EXPECT_EQ(fired, (std::vector<std::string>{"50@50", "50@100", "100@100", "50@150", "50@200", "100@200"}));
  EXPECT_EQ(p.ElapsedMs(), 220);
  fired.clear();
  slow->Stop();
  fast->Start(50);  // a restart counts its interval anew
  p.Advance(60);
  EXPECT_EQ(fired, (std::vector<std::string>{"50@270"}));
}

TEST(VirtualPlatformTest, ClockStartsAtTheDefaultsAndMovesOnlyWhenTold) {
  plat::VirtualPlatform p;
  EXPECT_EQ(p.TickCount(), 3600000u);
  auto t = p.Now();
  EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
            std::vector<int>({2026, 12, 6, 10, 0, 0}));
  EXPECT_STREQ(plat::ShortDayName(t.dayOfWeek), "日");  // 6 December 2026 is a Sunday
  p.Advance(1500);
  EXPECT_EQ(p.TickCount(), 3601500u);
  EXPECT_EQ(p.Now().second, 1);
  p.SetNow({2027, 1, 1, 0, 0, 0, 0, 0});  // jumps the date, not the tick count
  EXPECT_EQ(p.TickCount(), 3601500u);
  EXPECT_STREQ(plat::ShortDayName(p.Now().dayOfWeek), "金");
  p.SetUptime(0xFFFFFF00u);  // the tick count wraps at 32 bits
  p.Advance(1000);
  EXPECT_EQ(p.TickCount(), (0xFFFFFF00u + 2500u));
}

TEST(VirtualPlatformTest, QuestionsTakeQueuedAnswersAndAreRecorded) {
  plat::VirtualPlatform p;
  p.QueueAnswer(true);
  EXPECT_TRUE(p.Question("終了しますか？", "DOJOKAI"));
  EXPECT_FALSE(p.Question("again?", "DOJOKAI"));  // nothing queued: No
  p.Error("メモリ不足", "");
  ASSERT_EQ(p.Messages().size(), 3u);
  EXPECT_EQ(p.Messages()[0].answer, "yes");
  EXPECT_EQ(p.Messages()[1].answer, "no");
  EXPECT_EQ(p.Messages()[2].kind, "error");
}

}  // namespace
