#include "platform/TickPacer.h"

#include <algorithm>
#include <utility>

namespace plat {

TickPacer::Id TickPacer::Add(std::function<void()> onTick) {
  auto entry = std::make_unique<Entry>();
  entry->onTick = std::move(onTick);
  entries_.push_back(std::move(entry));
  return entries_.size() - 1;
}

// A timer removed by its own tick goes once the tick has returned.
void TickPacer::Remove(Id id) {
  if (entries_[id]->active)
    entries_[id]->removed = true;
  else
    entries_[id].reset();
}

void TickPacer::Start(Id id, int intervalMs, int64_t nowMs) {
  Entry& e = *entries_[id];
  e.interval = std::max(intervalMs, 1);
  e.next = e.wakeAt = nowMs + e.interval;
  e.running = true;
  e.ticked = false;
}

void TickPacer::Stop(Id id) { entries_[id]->running = false; }

void TickPacer::SetQuietTicks(Id id, std::function<int()> quietTicks) {
  entries_[id]->quietTicks = std::move(quietTicks);
}

// Ties go to the timer made first, so the order does not depend on the run.
TickPacer::Id TickPacer::Earliest(int64_t nowMs) const {
  Id earliest = kNone;
  for (Id id = 0; id < entries_.size(); ++id) {
    const Entry* e = entries_[id].get();
    if (e && e->running && !e->active && e->next <= nowMs && (earliest == kNone || e->next < entries_[earliest]->next))
      earliest = id;
  }
  return earliest;
}

void TickPacer::Run(int64_t nowMs, bool plan) {
  ++depth_;
  const std::optional<int64_t> outer = tickTime_;
  for (Id id = Earliest(nowMs); id != kNone; id = Earliest(nowMs)) {
    Entry* e = entries_[id].get();
    const int64_t deadline = e->next;
    e->next += e->interval;
    // Further behind than any sleep: the program was held up (a blocking call, a suspended
    // machine). Like any timer, it drops the ticks it missed rather than running them all.
    if (e->next < nowMs - kMaxDelayMs - e->interval) e->next = nowMs + e->interval;
    e->ticked = true;
    e->active = true;
    tickTime_ = deadline;
    e->onTick();  // may stop, restart or remove any timer, this one included
    tickTime_ = outer;
    e->active = false;
    if (e->removed) entries_[id].reset();
  }
  // Inside a tick (a nested event loop) nothing is put off.
  if (--depth_ == 0 && plan)
    Plan();
  else
    WakeForNextTicks();
}

void TickPacer::Plan() {
  for (const auto& e : entries_) {
    if (!e || !e->running) continue;
    e->wakeAt = e->next;
    if (!e->ticked || !e->quietTicks) continue;
    tickTime_ = e->next - e->interval;
    const int quiet = e->quietTicks();
    tickTime_.reset();
    const int64_t most = kMaxDelayMs / e->interval;
    e->wakeAt += std::clamp<int64_t>(quiet, 0, most) * e->interval;
  }
}

void TickPacer::WakeForNextTicks() {
  for (const auto& e : entries_)
    if (e) e->wakeAt = e->next;
}

int64_t TickPacer::NextWake() const {
  int64_t wake = kNever;
  for (const auto& e : entries_)
    if (e && e->running && !e->active) wake = std::min(wake, e->wakeAt);
  return wake == kNever ? wake : wake + kLateMs;
}

}  // namespace plat
