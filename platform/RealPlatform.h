#pragma once
// The platform of the real game: system clocks, precise Qt timers, Qt message boxes and
// the in-game help viewer.
#include <memory>

#include "platform/Platform.h"

class QWidget;

namespace plat {

class HelpViewer;

class RealPlatform : public Platform {
 public:
  RealPlatform();
  ~RealPlatform() override;

  // Message boxes and the help viewer are centred over this window.
  void SetMainWindow(QWidget* window) { mainWindow_ = window; }

  uint32_t TickCount() override;
  int64_t CalendarSeconds() override;
  LocalDateTime Now() override;
  uint64_t HighResolutionCounter() override;
  std::unique_ptr<TimerBackend> CreateTimer(std::function<void()> onTick) override;
  bool Question(const std::string& text, const std::string& caption) override;
  void Error(const std::string& text, const std::string& caption) override;
  void RunModal(QDialog& dialog) override;
  void OpenHelp(const std::string& path) override;
  std::string ProgramPath() const override;
  std::string VersionText() const override;
  void ProcessPendingEvents() override;

 private:
  QWidget* mainWindow_ = nullptr;
  std::unique_ptr<HelpViewer> help_;
};

}  // namespace plat
