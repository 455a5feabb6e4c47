#pragma once
// The platform of the real game: system clocks, paced Qt timers (quiet ticks are run late,
// see TickPacer), Qt message boxes and the in-game help viewer.
#include <QApplication>
#include <memory>

#include "platform/Platform.h"

class QWidget;

namespace plat {

class HelpViewer;
class SoundPlayer;

// The application object of the real game: every event passes the platform first, which
// runs the timers' ticks that fell due before it.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

class RealPlatform : public Platform {
 public:
  RealPlatform();
  ~RealPlatform() override;

  // Message boxes and the help viewer are centred over this window. From then on, events
  // bring the ticks put off before them (not while the window is still being built).
  void SetMainWindow(QWidget* window);

  uint32_t TickCount() override;
  int64_t CalendarSeconds() override;
  LocalDateTime Now() override;
  uint64_t HighResolutionCounter() override;
  std::unique_ptr<TimerBackend> CreateTimer(std::function<void()> onTick) override;
  bool Question(const std::string& text, const std::string& caption) override;
  void Error(const std::string& text, const std::string& caption) override;
  void RunModal(QDialog& dialog) override;
  void OpenHelp(const std::string& path) override;
  void CloseHelp() override;
  bool ArrangesWindows() const override { return true; }
  void Raise(QWidget& window) override;
  void PlaySound(Sound sound) override;
  std::string ProgramPath() const override;
  std::string VersionText() const override;
  void ProcessPendingEvents() override;

  class Pacing;

 private:
  int64_t RealMs() const;  // calendar milliseconds since 1970, at the running tick's time
  std::unique_ptr<Pacing> pacing_;
  QWidget* mainWindow_ = nullptr;
  std::unique_ptr<HelpViewer> help_;
  std::unique_ptr<SoundPlayer> sounds_;  // from the first sound on
};

}  // namespace plat
