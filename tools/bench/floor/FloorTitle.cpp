// The floor of the idle title: a bare window of the game's size and colours whose three
// labels change as the title's do, one blinking every 0.55 s and two clocks once a second,
// each on a timer of its own. What it costs is the least a Qt program showing the same can cost.
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "tools/bench/floor/FloorFirstFrame.h"

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

  QElapsedTimer started;
  started.start();
  auto showUptime = [&] {
    const qint64 s = started.elapsed() / 1000;
    uptime->setText(QStringLiteral("%1:%2:%3")
                        .arg(s / 3600)
                        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                        .arg(s % 60, 2, 10, QLatin1Char('0')));
  };
  auto showClock = [&] { clock->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); };
  showUptime();
  showClock();

  QTimer blinkTimer, uptimeTimer, clockTimer;
  QObject::connect(&blinkTimer, &QTimer::timeout, [&] { blink->setVisible(!blink->isVisible()); });
  QObject::connect(&uptimeTimer, &QTimer::timeout, showUptime);
  QObject::connect(&clockTimer, &QTimer::timeout, showClock);
  blinkTimer.start(550);
  uptimeTimer.start(1000);
  clockTimer.start(1000);

  window.show();
  floorbench::ReportFirstFrameIfAsked(window, mainEntered);
  return QApplication::exec();
}
