#pragma once
// The interval timers of the real game on one millisecond clock. The owner of a timer may
// say that its next ticks change nothing on screen (and write nothing); the pacer then
// sleeps through them and runs them late, in order and each at its own time, together with
// the next tick that must be on time, or before the next key, click or window change
// reaches the game. An idle screen wakes the process a few times a second instead of for
// every tick, and the game sees the same ticks in the same order.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace plat {

class TickPacer {
 public:
  // Ticks are put off at most this long: the catch-up before a key stays short.
  static constexpr int64_t kMaxDelayMs = 1000;
  // A tick that must be on time may come this much late, so that what comes meanwhile takes
  // it along in one wake-up and one repaint: a key of a drill (the drill's clock between
  // keys), another timer's tick (the counters after a key, a blink and a clock second).
  static constexpr int64_t kLateMs = 40;
  static constexpr int64_t kNever = INT64_MAX;
  using Id = size_t;

  Id Add(std::function<void()> onTick);
  void Remove(Id id);
  // (Re)starts a timer: its first tick falls `intervalMs` after `nowMs`.
  void Start(Id id, int intervalMs, int64_t nowMs);
  void Stop(Id id);
  // How many of the timer's next ticks are quiet, asked with the clock set to its last tick.
  void SetQuietTicks(Id id, std::function<int()> quietTicks);

  // Runs every tick due at `nowMs`, the earliest first, then plans the next wake-up. A timer
  // whose handler is still running (a message box opened from it) is not run again.
  void RunDue(int64_t nowMs) { Run(nowMs, true); }
  // Something outside the timers is about to happen: every tick due runs first, and the
  // next tick of every timer is on time again.
  void CatchUp(int64_t nowMs) { Run(nowMs, false); }
  // When the program next wakes for ticks that must be on time; kNever when no timer runs.
  int64_t NextWake() const;
  // The time of the tick being run; empty outside ticks (and in the quiet-tick questions,
  // the time of the timer's last tick).
  std::optional<int64_t> TickTime() const { return tickTime_; }

 private:
  struct Entry {
    std::function<void()> onTick;
    std::function<int()> quietTicks;
    int64_t interval = 0, next = 0, wakeAt = 0;
    bool running = false, ticked = false, active = false, removed = false;
  };
  // The running timer whose tick falls first, not later than `nowMs`; kNone if none.
  static constexpr Id kNone = SIZE_MAX;
  Id Earliest(int64_t nowMs) const;
  void Run(int64_t nowMs, bool plan);
  // The next tick of every timer is on time again.
  void WakeForNextTicks();
  void Plan();

  std::vector<std::unique_ptr<Entry>> entries_;
  std::optional<int64_t> tickTime_;
  int depth_ = 0;
};

}  // namespace plat
