#pragma once
// The operating-system services the game calls, each with a real form (RealPlatform)
// and a virtual one for the headless driver and the tests (VirtualPlatform).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Keyboard.h"

class QDialog;
class QObject;
class QWidget;

namespace plat {

struct LocalDateTime {
  int year = 2026, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  int dayOfWeek = 0;  // 0 = Sunday
};

// Japanese short day names, 0 = Sunday: 日 月 火 水 木 金 土 (UTF-8).
const char* ShortDayName(int dayOfWeek);
// Day of the week of a calendar date (0 = Sunday).
int DayOfWeek(int year, int month, int day);
// A local date and time as milliseconds since 1970 (counted as if it were UTC), and back.
int64_t EpochMs(const LocalDateTime& t);
LocalDateTime FromEpochMs(int64_t ms);

// One interval timer as the platform runs it; the ui Timer control owns one.
class TimerBackend {
 public:
  virtual ~TimerBackend() = default;
  // (Re)starts the timer: the first tick falls `intervalMs` from now.
  virtual void Start(int intervalMs) = 0;
  virtual void Stop() = 0;
  // How many of the next ticks are sure to change nothing on screen and write nothing, if
  // no input comes first; the real platform may then run them late. 0 when in doubt.
  virtual void SetQuietTicks(std::function<int()> quietTicks) { (void)quietTicks; }
};

class Platform {
 public:
  virtual ~Platform();

  // Clock: milliseconds since system start (32 bits, wraps), calendar seconds since
  // 1970, local date and time, and a fine counter for seeding.
  virtual uint32_t TickCount() = 0;
  virtual int64_t CalendarSeconds() = 0;
  virtual LocalDateTime Now() = 0;
  virtual uint64_t HighResolutionCounter() = 0;

  virtual std::unique_ptr<TimerBackend> CreateTimer(std::function<void()> onTick) = 0;

  // The keyboard and its state: Shift held at this moment, and the kana lock.
  Keyboard& Keys() { return keyboard_; }
  bool ShiftDown() const { return keyboard_.ShiftDown(); }
  bool KanaLock() const { return keyboard_.KanaLock(); }

  // A synthetic key press (key down, its character if any, key up) that reaches the
  // window after the current handler has returned, exactly like a typed key.
  void InjectKey(uint16_t vk);

  // Message boxes. Question: Yes/No with the question icon; true on Yes.
  virtual bool Question(const std::string& text, const std::string& caption) = 0;
  // Error icon; an empty caption means the platform's own default caption.
  virtual void Error(const std::string& text, const std::string& caption) = 0;

  // Shows a modal dialog and returns when it has closed.
  virtual void RunModal(QDialog& dialog) = 0;

  // The help viewer, opened on a help file at its contents.
  virtual void OpenHelp(const std::string& path) = 0;
  // Closes the help viewer if it is open.
  virtual void CloseHelp() {}

  // Windows of the game's own beside the main one: whether they are placed on a screen at
  // all (not in a headless run), and bringing one to the front for the player.
  virtual bool ArrangesWindows() const { return false; }
  virtual void Raise(QWidget& /*window*/) {}

  // The drills' two short sounds. Silent where the platform has no sound (the headless
  // driver records them instead); the real one sets its sound library up on first use.
  enum class Sound : uint8_t { Key, Miss };
  virtual void PlaySound(Sound /*sound*/) {}

  // Full path of the program file and its version text ("" when it cannot be read).
  virtual std::string ProgramPath() const = 0;
  virtual std::string VersionText() const = 0;

  // Lets queued window events (posted keys, repaints) run; used where the game waits for
  // the toolkit to catch up.
  virtual void ProcessPendingEvents() = 0;

 protected:
  Platform();

 private:
  Keyboard keyboard_;
  std::unique_ptr<QObject> injector_;
};

}  // namespace plat
