#pragma once
// The platform of the headless driver and the tests: a virtual clock that only moves
// when told, a scheduler that fires due timers in deadline order, message boxes that take
// queued answers and are recorded, and a recorded help viewer.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace plat {

struct RecordedMessage {
  std::string kind;  // "question" or "error"
  std::string text, caption;
  std::string answer;  // "yes", "no" or "" for errors
};

class VirtualPlatform : public Platform {
 public:
  VirtualPlatform();
  ~VirtualPlatform() override;

  // Set-up: local date and time (jumps the clock), tick count at start, program folder.
  void SetNow(const LocalDateTime& when);
  void SetUptime(uint32_t ms) { uptime_ = ms; }
  void SetProgramDir(const std::string& dir) { programDir_ = dir; }

  // Advances time by `ms`: every timer fires as often as it falls due, in deadline order,
  // and the window's posted events run after each firing.
  void Advance(int64_t ms);
  int64_t ElapsedMs() const { return elapsedMs_; }

  void QueueAnswer(bool yes) { answers_.push_back(yes); }
  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  const std::vector<std::string>& HelpFiles() const { return helpFiles_; }
  // Every sound the game played, in order.
  const std::vector<Sound>& Sounds() const { return sounds_; }

  // How a modal dialog runs: the driver installs a loop that feeds it commands until it
  // closes. Without one, a dialog closes at once (as by the window system).
  void SetModalLoop(std::function<void(QDialog&)> loop) { modalLoop_ = std::move(loop); }

  uint32_t TickCount() override;
  int64_t CalendarSeconds() override;
  LocalDateTime Now() override;
  uint64_t HighResolutionCounter() override;
  std::unique_ptr<TimerBackend> CreateTimer(std::function<void()> onTick) override;
  bool Question(const std::string& text, const std::string& caption) override;
  void Error(const std::string& text, const std::string& caption) override;
  void RunModal(QDialog& dialog) override;
  void OpenHelp(const std::string& path) override;
  void PlaySound(Sound sound) override { sounds_.push_back(sound); }
  std::string ProgramPath() const override;
  std::string VersionText() const override;
  void ProcessPendingEvents() override;

 private:
  friend class VirtualTimer;
  struct Slot {
    bool active = false;
    int interval = 0;
    int64_t deadline = 0;
    uint64_t order = 0;  // start order breaks deadline ties
    std::function<void()> onTick;
  };
  std::vector<Slot*> slots_;
  uint64_t startCounter_ = 0;

  int64_t elapsedMs_ = 0;
  uint32_t uptime_ = 3600000;
  int64_t localBaseMs_ = 0;  // local time at elapsed 0, as milliseconds since 1970
  std::string programDir_ = ".";
  std::deque<bool> answers_;
  std::vector<RecordedMessage> messages_;
  std::vector<std::string> helpFiles_;
  std::vector<Sound> sounds_;
  std::function<void(QDialog&)> modalLoop_;
};

}  // namespace plat
