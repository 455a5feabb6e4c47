#pragma once
// An interval timer of a form: interval, enabled flag and handler, run by the platform.
#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace ui {

class Timer {
 public:
  Timer(plat::Platform& platform, std::string name, int intervalMs);
  const std::string& Name() const { return name_; }
  bool Enabled() const { return enabled_; }
  // Enabling an enabled timer changes nothing; a disabled one starts its interval anew.
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  // A new interval restarts a running timer.
  void SetInterval(int ms);
  std::function<void()> OnTimer;
  // How many of the next ticks change nothing on screen (see plat::TimerBackend), and
  // what that says now (0 without one).
  void SetQuietTicks(std::function<int()> quietTicks) {
    quietTicks_ = quietTicks;
    backend_->SetQuietTicks(std::move(quietTicks));
  }
  int QuietTicks() const { return quietTicks_ ? quietTicks_() : 0; }

 private:
  void Tick() {
    if (enabled_ && OnTimer) OnTimer();
  }
  std::string name_;
  int interval_;
  bool enabled_ = false;
  std::function<int()> quietTicks_;
  std::unique_ptr<plat::TimerBackend> backend_;
};

}  // namespace ui
