#include "ui/Timer.h"

namespace ui {

Timer::Timer(plat::Platform& platform, std::string name, int intervalMs)
    : name_(std::move(name)), interval_(intervalMs), backend_(platform.CreateTimer([this] { Tick(); })) {}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_ && interval_ > 0)
    backend_->Start(interval_);
  else
    backend_->Stop();
}

void Timer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (!enabled_) return;
  if (interval_ > 0)
    backend_->Start(interval_);
  else
    backend_->Stop();
}

}  // namespace ui
