// The ticks the real platform sleeps through: whatever the title's and the lessons' timers
// say of their next ticks must hold, pixel for pixel and byte for byte in the record file.
#include <QFile>
#include <QImage>

#include "DriverFixture.h"

namespace {

struct QuietTicksTest : DriverFixture {
  QImage Screen() { return Form().grab().toImage(); }
  QByteArray RecordFile() {
    QFile f(QString::fromStdString(State().DatPath));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Plays `ticks` Timer1 ticks one at a time. After each, every tick that Timer1 or FLT1
  // called quiet must leave the window and the record file as they were. Returns how many
  // ticks were called quiet.
  int PlayAndCheck(int ticks) {
    const int interval = Form().Timer1.Interval();
    int quietUntil = 0, quiet = 0;
    QImage before = Screen();
    QByteArray fileBefore = RecordFile();
    for (int i = 1; i <= ticks; ++i) {
      Platform().Advance(interval);
      const QImage now = Screen();
      const QByteArray fileNow = RecordFile();
      if (i <= quietUntil) {
        ++quiet;
        EXPECT_TRUE(now == before) << "tick " << i << " was called quiet but changed the screen";
        EXPECT_TRUE(fileNow == fileBefore) << "tick " << i << " was called quiet but saved";
        if (now != before || fileNow != fileBefore) return quiet;
      }
      // The lessons' timer ticks every other Timer1 tick; the span holds only while both are
      // quiet (a stopped timer is).
      const int titleTicks = Form().Timer1.Enabled() ? Form().Timer1.QuietTicks() : INT_MAX;
      const int lessonTicks = Form().FLT1.Enabled() ? Form().FLT1.QuietTicks() : INT_MAX;
      const int span = std::min(titleTicks, lessonTicks == INT_MAX ? INT_MAX : 2 * lessonTicks);
      quietUntil = std::max(quietUntil, i + std::min(span, 40));
      before = now;
      fileBefore = fileNow;
    }
    return quiet;
  }
};

// Start, intro, the logo's drop, blinks, both clocks, the score show and back: the quiet
// ticks are most of the idle title, and none of them shows.
TEST_F(QuietTicksTest, IdleTitleAndScoreShow) {
  // Three phases: the ticks, the uptime's seconds and the clock's seconds (the save falls a
  // minute after the start, on a tick of neither second).
  Run("uptime 123457\nstart\nwait 20\nnow 2026-12-08 10:00:00\nwait 30");
  int quiet = PlayAndCheck(300);
  EXPECT_EQ(State().IdleScoreShow, 1) << "the score show has begun";
  quiet += PlayAndCheck(1000);  // past the minute's save
  EXPECT_GT(quiet, 700) << "the idle title should sleep through most of its ticks";
}

// A lesson left half-way: its timer still counts down on the hidden lesson screen.
TEST_F(QuietTicksTest, LessonLeftHalfWayAndPanelsOpen) {
  Run("start\nwait 2100\nkey SPACE\nkey 0\nwait 100\ntype fdsa");
  // The lesson screen itself, its timer alone (the title's timer shows nothing there).
  Form().Timer1.SetEnabled(false);
  PlayAndCheck(40);
  Form().Timer1.SetEnabled(true);
  Run("key f\nkey ESC");
  ASSERT_TRUE(C().Panel1->Visible());
  ASSERT_TRUE(Form().FLT1.Enabled());
  PlayAndCheck(300);
  // With the information panel open nothing is put off.
  ShowScreen(C().Panel1);
  State().IdleScoreShow = 0;
  Run("key I\nwait 100");
  EXPECT_TRUE(C().Panel6->Visible());
  EXPECT_EQ(Form().Timer1.QuietTicks(), 0);
}

// A drill between its keys: with the drill's own clock held, the title's ticks called quiet
// show nothing, and the tick after a key (the counters) is never one of them.
TEST_F(QuietTicksTest, DrillBetweenKeys) {
  Run("uptime 123457\nstart\nwait 20\nnow 2026-12-08 10:00:00\nwait 2100\nkey SPACE\nkey SPACE\nkey SPACE\nkey 1");
  ASSERT_TRUE(C().F1Panel->Visible());
  int quiet = 0;
  for (const char* keys : {"abc", "d", "efghij", "k"}) {
    Run(std::string("type ") + keys);
    Form().F1T1.SetEnabled(false);  // the drill's clock shows every tick: held here
    EXPECT_EQ(Form().Timer1.QuietTicks(), 0) << "the counters wait for the next tick";
    // The real platform asks at the time of the tick: the clock goes to the next one.
    for (const int blink = State().BlinkTicks; State().BlinkTicks == blink;) Platform().Advance(1);
    quiet += PlayAndCheck(30);
    Form().F1T1.SetEnabled(true);
  }
  EXPECT_GT(quiet, 40) << "between keys the title's ticks should be put off";
}

}  // namespace
