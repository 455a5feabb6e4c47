#include "platform/VirtualPlatform.h"

#include <QCoreApplication>
#include <QDialog>
#include <algorithm>
#include <chrono>

namespace plat {

class VirtualTimer : public TimerBackend {
 public:
  VirtualTimer(VirtualPlatform& owner, std::function<void()> onTick) : owner_(owner) {
    slot_.onTick = std::move(onTick);
    owner_.slots_.push_back(&slot_);
  }
  ~VirtualTimer() override {
    auto& s = owner_.slots_;
    s.erase(std::remove(s.begin(), s.end(), &slot_), s.end());
  }
  void Start(int intervalMs) override {
    slot_.active = true;
    slot_.interval = std::max(intervalMs, 1);
    slot_.deadline = owner_.elapsedMs_ + slot_.interval;
    slot_.order = ++owner_.startCounter_;
  }
  void Stop() override { slot_.active = false; }

 private:
  VirtualPlatform& owner_;
  VirtualPlatform::Slot slot_;
};

VirtualPlatform::VirtualPlatform() { SetNow({2026, 12, 6, 10, 0, 0, 0, 0}); }
VirtualPlatform::~VirtualPlatform() = default;

void VirtualPlatform::SetNow(const LocalDateTime& when) { localBaseMs_ = EpochMs(when) - elapsedMs_; }

void VirtualPlatform::Advance(int64_t ms) {
  const int64_t target = elapsedMs_ + std::max<int64_t>(ms, 0);
  for (;;) {
    Slot* next = nullptr;
    for (Slot* s : slots_) {
      if (!s->active || s->deadline > target) continue;
      if (!next || s->deadline < next->deadline || (s->deadline == next->deadline && s->order < next->order)) next = s;
    }
    if (!next) break;
    elapsedMs_ = std::max(elapsedMs_, next->deadline);
    next->deadline += next->interval;
    next->onTick();
    ProcessPendingEvents();
  }
  elapsedMs_ = target;
}

uint32_t VirtualPlatform::TickCount() { return static_cast<uint32_t>(uptime_ + static_cast<uint64_t>(elapsedMs_)); }

int64_t VirtualPlatform::CalendarSeconds() {
  const int64_t ms = localBaseMs_ + elapsedMs_;
  return ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
}

LocalDateTime VirtualPlatform::Now() { return FromEpochMs(localBaseMs_ + elapsedMs_); }

uint64_t VirtualPlatform::HighResolutionCounter() { return static_cast<uint64_t>(localBaseMs_ + elapsedMs_) * 1000u; }

std::unique_ptr<TimerBackend> VirtualPlatform::CreateTimer(std::function<void()> onTick) {
  return std::make_unique<VirtualTimer>(*this, std::move(onTick));
}

bool VirtualPlatform::Question(const std::string& text, const std::string& caption) {
  bool yes = false;  // an unqueued question is answered No
  if (!answers_.empty()) {
    yes = answers_.front();
    answers_.pop_front();
  }
  messages_.push_back({"question", text, caption, yes ? "yes" : "no"});
  return yes;
}

void VirtualPlatform::Error(const std::string& text, const std::string& caption) {
  messages_.push_back({"error", text, caption, ""});
}

void VirtualPlatform::RunModal(QDialog& dialog) {
  dialog.setModal(true);
  dialog.show();
  if (modalLoop_) modalLoop_(dialog);
  if (dialog.isVisible()) dialog.reject();
}

void VirtualPlatform::OpenHelp(const std::string& path) { helpFiles_.push_back(path); }

std::string VirtualPlatform::ProgramPath() const { return programDir_ + "/dojokai"; }

std::string VirtualPlatform::VersionText() const { return DOJOKAI_VERSION_TEXT; }

void VirtualPlatform::ProcessPendingEvents() { QCoreApplication::sendPostedEvents(); }

}  // namespace plat
