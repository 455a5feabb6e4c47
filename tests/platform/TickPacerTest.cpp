// The real platform's timers: quiet ticks run late but in order, each at its own time, and
// never later than the pacer's limit; events bring every tick due before them.
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RealPlatform.h"
#include "platform/TickPacer.h"

namespace {

using plat::TickPacer;
constexpr int64_t kLate = TickPacer::kLateMs;

struct Ticks {
  TickPacer pacer;
  std::vector<std::string> log;
  TickPacer::Id Add(const std::string& name) {
    return pacer.Add([this, name] { log.push_back(name + "@" + std::to_string(*pacer.TickTime())); });
  }
};

TEST(TickPacerTest, QuietTicksRunLateInOrderAtTheirOwnTimes) {
  Ticks t;
  const auto a = t.Add("a"), b = t.Add("b");
  int quietA = 3;
  std::vector<int64_t> askedAt;
  t.pacer.SetQuietTicks(a, [&] {
    askedAt.push_back(*t.pacer.TickTime());
    return quietA;
  });
  t.pacer.Start(a, 50, 0);
  t.pacer.Start(b, 100, 0);
  EXPECT_EQ(t.pacer.NextWake(), 50 + kLate);  // a timer that has not ticked is not asked
  t.pacer.RunDue(50);
  EXPECT_EQ(askedAt, std::vector<int64_t>{50});  // asked at its last tick's time
  EXPECT_EQ(t.pacer.NextWake(), 100 + kLate);    // b has no say: on time
  t.pacer.RunDue(100);
  // a's ticks at 150, 200 and 250 are quiet; b's at 200 has to wake the program.
  EXPECT_EQ(t.pacer.NextWake(), 200 + kLate);
  t.pacer.RunDue(200);
  EXPECT_EQ(t.log, (std::vector<std::string>{"a@50", "a@100", "b@100", "a@150", "a@200", "b@200"}));

  // Nothing due: nothing runs. An event brings what is due and puts every timer on time.
  t.log.clear();
  quietA = 1000;
  t.pacer.Stop(b);
  t.pacer.RunDue(200);
  EXPECT_TRUE(t.log.empty());
  EXPECT_EQ(t.pacer.NextWake(), 1250 + kLate) << "put off at most a second";
  t.pacer.CatchUp(420);
  EXPECT_EQ(t.log, (std::vector<std::string>{"a@250", "a@300", "a@350", "a@400"}));
  EXPECT_EQ(t.pacer.NextWake(), 450 + kLate);
  EXPECT_FALSE(t.pacer.TickTime().has_value());
}

// A tick that must be on time wakes the program a moment late, so that a tick of another
// timer due meanwhile comes with it: both run in their order, each at its own time.
TEST(TickPacerTest, TicksCloseTogetherShareAWakeUp) {
  Ticks t;
  const auto a = t.Add("a"), b = t.Add("b");
  t.pacer.Start(a, 50, 0);
  t.pacer.Start(b, 100, 20);
  EXPECT_EQ(t.pacer.NextWake(), 50 + kLate);
  t.pacer.RunDue(50 + kLate);
  EXPECT_EQ(t.pacer.NextWake(), 100 + kLate);
  t.pacer.RunDue(100 + kLate);
  EXPECT_EQ(t.log, (std::vector<std::string>{"a@50", "a@100", "b@120"}));
}

// A program held up for a minute runs one tick and goes on from now, as any timer would.
TEST(TickPacerTest, MissedTicksAreDroppedAfterAHoldUp) {
  Ticks t;
  const auto a = t.Add("a");
  t.pacer.Start(a, 50, 0);
  t.pacer.RunDue(60000);
  EXPECT_EQ(t.log, std::vector<std::string>{"a@50"});
  EXPECT_EQ(t.pacer.NextWake(), 60050 + kLate);
}

// Ticks may stop and restart timers; a timer whose tick is still running (a nested event
// loop) neither runs again nor asks for a wake-up, and nothing is put off meanwhile.
TEST(TickPacerTest, TicksThatStopStartOrNest) {
  Ticks t;
  TickPacer::Id a = 0, b = 0, c = 0;
  bool nested = false;
  a = t.pacer.Add([&] {
    t.log.push_back("a@" + std::to_string(*t.pacer.TickTime()));
    t.pacer.Stop(b);
    t.pacer.Start(c, 30, *t.pacer.TickTime());  // from the tick's own time
  });
  b = t.Add("b");
  c = t.pacer.Add([&] {
    t.log.push_back("c@" + std::to_string(*t.pacer.TickTime()));
    if (nested) return;
    nested = true;
    t.pacer.RunDue(200);  // a message box's event loop
    // The running timer asks for no wake-up, and a nested run puts nothing off.
    EXPECT_EQ(t.pacer.NextWake(), 300 + kLate);
    t.pacer.Remove(c);  // gone while its tick runs
  });
  t.pacer.SetQuietTicks(a, [] { return 5; });
  t.pacer.Start(a, 100, 0);
  t.pacer.Start(b, 100, 0);
  t.pacer.RunDue(130);
  EXPECT_EQ(t.log, (std::vector<std::string>{"a@100", "c@130", "a@200"}));
  EXPECT_EQ(t.pacer.NextWake(), 800 + kLate);
}

// The real platform: a timer whose ticks are all quiet wakes once, then sleeps; a key
// brings every tick due before it, each having read the clock at its own time.
TEST(TickPacerTest, RealTimersCatchUpBeforeAKey) {
  plat::RealPlatform platform;
  QWidget window;
  platform.SetMainWindow(&window);
  std::vector<uint32_t> tickTimes;
  auto timer = platform.CreateTimer([&] { tickTimes.push_back(platform.TickCount()); });
  timer->SetQuietTicks([] { return 1000; });
  timer->Start(20);
  auto runFor = [](int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  };
  for (int i = 0; i < 100 && tickTimes.empty(); ++i) runFor(50);
  // The first wake-up, a moment late, runs the ticks due by then; then it sleeps.
  const size_t firstWake = tickTimes.size();
  ASSERT_GE(firstWake, 1u);
  ASSERT_LE(firstWake, static_cast<size_t>(TickPacer::kLateMs / 20 + 2));
  runFor(300);
  EXPECT_EQ(tickTimes.size(), firstWake) << "the quiet ticks were not put off";

  struct KeyTaker : QObject {
    std::vector<uint32_t>* ticks = nullptr;
    plat::Platform* platform = nullptr;
    size_t seen = 0;
    uint32_t at = 0;
    bool event(QEvent* e) override {
      if (e->type() != QEvent::KeyPress) return QObject::event(e);
      seen = ticks->size();
      at = platform->TickCount();
      return true;
    }
  } taker;
  taker.ticks = &tickTimes;
  taker.platform = &platform;
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  QCoreApplication::sendEvent(&taker, &key);
  ASSERT_GE(taker.seen, 10u);
  const uint32_t first = tickTimes[0];
  // Every tick due before the key ran before it (one may fall due while the key is handled).
  const size_t due = (taker.at - first) / 20 + 1;
  EXPECT_LE(taker.seen, due);
  EXPECT_GE(taker.seen + 1, due);
  for (size_t i = 0; i < taker.seen; ++i) EXPECT_EQ(tickTimes[i], first + 20 * i) << "tick " << i;
}

}  // namespace
