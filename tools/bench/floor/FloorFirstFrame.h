#pragma once
// The start-up report of the floor programs, as the game gives it: with DOJOKAI_FIRST_FRAME
// set, the monotonic clock once the first paint of the window has reached the window system,
// when the window was first exposed, and then the window closes.
#include <time.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace floorbench {

inline timespec Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now;
}

class FirstFrameReport : public QObject {
 public:
  FirstFrameReport(QWidget& window, timespec mainEntered) : window_(window), mainEntered_(mainEntered) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && mappedMs_ < 0 && watched == window_.windowHandle())
      mappedMs_ = MsAfterMain(Now());
    if (event->type() != QEvent::Paint || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != &window_)
      return false;
    qApp->removeEventFilter(this);
    // The queued call runs once the paint pass, and with it the flush, has finished.
    QTimer::singleShot(0, this, [this] {
      const timespec now = Now();
      std::printf("first frame: monotonic %lld ns, %.1f ms after main; mapped %.1f ms after main\n",
                  static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, MsAfterMain(now), mappedMs_);
      std::fflush(stdout);
      window_.close();
    });
    return false;
  }

 private:
  double MsAfterMain(timespec now) const {
    return static_cast<double>(now.tv_sec - mainEntered_.tv_sec) * 1e3 +
           static_cast<double>(now.tv_nsec - mainEntered_.tv_nsec) / 1e6;
  }

  QWidget& window_;
  timespec mainEntered_;
  double mappedMs_ = -1;
};

// Starts the report when the variable is set; the report lives as long as the application.
inline void ReportFirstFrameIfAsked(QWidget& window, timespec mainEntered) {
  if (std::getenv("DOJOKAI_FIRST_FRAME")) new FirstFrameReport(window, mainEntered);
}

}  // namespace floorbench
