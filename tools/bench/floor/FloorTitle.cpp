// The floor of the idle title: a bare window of the game's size and colours whose three
// labels change as the title's do, one blinking every 0.55 s and two clocks once a second,
// each on a timer of its own. As on the title, the uptime turns with the whole seconds of the
// system's boot clock and the clock with those of the wall clock, so the two change at their
// own moments. What it costs is the least a Qt program showing the same can cost.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <ctime>

#include "tools/bench/floor/FloorFirstFrame.h"

namespace {

// Milliseconds of the boot clock, the clock of the game's tick count.
qint64 BootMs() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

int main(int argc, char** argv) {
  const timespec mainEntered = floorbench::Now();
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(480, 300);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, Qt::white);
  window.setPalette(palette);
  window.setAutoFillBackground(true);

  QFont font(QStringLiteral("monospace"));
  font.setPixelSize(12);
  auto label = [&](int x, int y, int w, const QColor& colour) {
    auto* l = new QLabel(&window);
    l->setGeometry(x, y, w, 16);
    l->setFont(font);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
  };
  QLabel* blink = label(180, 110, 120, QColor(0, 0, 128));
  blink->setAlignment(Qt::AlignCenter);
  blink->setText(QStringLiteral("PUSH SPACE KEY"));
  QLabel* uptime = label(110, 284, 90, QColor(128, 0, 0));
  QLabel* clock = label(300, 284, 170, QColor(0, 0, 128));
  clock->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  const qint64 startSecond = BootMs() / 1000;
  auto showUptime = [&] {
    const qint64 s = BootMs() / 1000 - startSecond;
    uptime->setText(QStringLiteral("%1:%2:%3")
                        .arg(s / 3600)
                        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                        .arg(s % 60, 2, 10, QLatin1Char('0')));
  };
  auto showClock = [&] { clock->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); };
  showUptime();
  showClock();

  QTimer blinkTimer, uptimeTimer, clockTimer;
  // Each clock wakes at the next whole second of its own time, a millisecond past it.
  for (QTimer* t : {&uptimeTimer, &clockTimer}) {
    t->setSingleShot(true);
    t->setTimerType(Qt::PreciseTimer);
  }
  const auto armUptime = [&] { uptimeTimer.start(static_cast<int>(1001 - BootMs() % 1000)); };
  const auto armClock = [&] { clockTimer.start(1001 - QTime::currentTime().msec()); };
  QObject::connect(&blinkTimer, &QTimer::timeout, [&] { blink->setVisible(!blink->isVisible()); });
  QObject::connect(&uptimeTimer, &QTimer::timeout, [&] {
    showUptime();
    armUptime();
  });
  QObject::connect(&clockTimer, &QTimer::timeout, [&] {
    showClock();
    armClock();
  });
  blinkTimer.start(550);
  armUptime();
  armClock();

  window.show();
  floorbench::ReportFirstFrameIfAsked(window, mainEntered);
  return QApplication::exec();
}
