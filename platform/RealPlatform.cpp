#include "platform/RealPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <ctime>
#include <unistd.h>

#include "platform/HelpViewer.h"
#include "platform/ShippedFiles.h"
#include "platform/SoundPlayer.h"
#include "platform/TickPacer.h"

namespace plat {
namespace {

int64_t ClockMs(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// The tick count's clock: milliseconds since the system started, suspended time included.
int64_t BootMs() { return ClockMs(CLOCK_BOOTTIME); }

// Events after which the game may act differently: they get the ticks put off so far first.
bool ReachesTheGame(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Close:
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::WindowStateChange:
    case QEvent::InputMethod: return true;
    default: return type >= QEvent::User;  // the platform's own (a synthetic key)
  }
}

}  // namespace

// The real timers: one precise single-shot Qt timer woken for the next tick that must be
// on time. Events that reach the game get every tick due before them (Application).
class RealPlatform::Pacing {
 public:
  Pacing() {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);  // coarse timers drift by up to 5 %
    QObject::connect(&wake_, &QTimer::timeout, [this] {
      pacer_.RunDue(BootMs());
      Arm();
    });
    activePacing = this;
  }
  ~Pacing() {
    if (activePacing == this) activePacing = nullptr;
  }
  static Pacing* Active() { return activePacing; }
  TickPacer& Pacer() { return pacer_; }
  int64_t Now() const { return pacer_.TickTime().value_or(BootMs()); }
  void Arm() {
    const int64_t wake = pacer_.NextWake();
    if (wake == TickPacer::kNever) {
      wake_.stop();
      return;
    }
    wake_.start(static_cast<int>(std::clamp<int64_t>(wake - BootMs(), 0, INT32_MAX)));
  }

  void SetLive(bool live) { live_ = live; }
  void BeforeEvent(QEvent::Type type) {
    if (!live_ || !ReachesTheGame(type)) return;
    pacer_.CatchUp(BootMs());
    Arm();
  }

 private:
  static inline Pacing* activePacing = nullptr;
  bool live_ = false;
  TickPacer pacer_;
  QTimer wake_;
};

namespace {

class PacedTimer : public TimerBackend {
 public:
  PacedTimer(RealPlatform::Pacing& pacing, std::function<void()> onTick)
      : pacing_(pacing), id_(pacing.Pacer().Add(std::move(onTick))) {}
  ~PacedTimer() override { pacing_.Pacer().Remove(id_); }
  void Start(int intervalMs) override {
    pacing_.Pacer().Start(id_, intervalMs, pacing_.Now());
    pacing_.Arm();
  }
  void Stop() override {
    pacing_.Pacer().Stop(id_);
    pacing_.Arm();
  }
  void SetQuietTicks(std::function<int()> quietTicks) override {
    pacing_.Pacer().SetQuietTicks(id_, std::move(quietTicks));
  }

 private:
  RealPlatform::Pacing& pacing_;
  TickPacer::Id id_;
};

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

// Before any event filter, so that no handler sees the game behind its ticks.
bool Application::notify(QObject* receiver, QEvent* event) {
  if (RealPlatform::Pacing* pacing = RealPlatform::Pacing::Active()) pacing->BeforeEvent(event->type());
  return QApplication::notify(receiver, event);
}

RealPlatform::RealPlatform() : pacing_(std::make_unique<Pacing>()) {}
RealPlatform::~RealPlatform() = default;

void RealPlatform::SetMainWindow(QWidget* window) {
  mainWindow_ = window;
  pacing_->SetLive(window != nullptr);
}

// Inside a tick the clocks read the tick's own time, also when it runs late.
uint32_t RealPlatform::TickCount() { return static_cast<uint32_t>(pacing_->Now()); }

int64_t RealPlatform::CalendarSeconds() { return RealMs() / 1000; }

int64_t RealPlatform::RealMs() const {
  const int64_t real = ClockMs(CLOCK_REALTIME);
  const auto tick = pacing_->Pacer().TickTime();
  return tick ? real - (BootMs() - *tick) : real;
}

LocalDateTime RealPlatform::Now() {
  const int64_t ms = RealMs();
  const time_t seconds = static_cast<time_t>(ms / 1000);
  std::tm tm{};
  localtime_r(&seconds, &tm);
  LocalDateTime t;
  t.year = tm.tm_year + 1900;
  t.month = tm.tm_mon + 1;
  t.day = tm.tm_mday;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  t.second = tm.tm_sec;
  t.millisecond = static_cast<int>(ms % 1000);
  t.dayOfWeek = tm.tm_wday;
  return t;
}

uint64_t RealPlatform::HighResolutionCounter() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000000000u + static_cast<uint64_t>(ts.tv_nsec);
}

std::unique_ptr<TimerBackend> RealPlatform::CreateTimer(std::function<void()> onTick) {
  return std::make_unique<PacedTimer>(*pacing_, std::move(onTick));
}

bool RealPlatform::Question(const std::string& text, const std::string& caption) {
  const auto answer = QMessageBox::question(mainWindow_, QString::fromStdString(caption), QString::fromStdString(text),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  return answer == QMessageBox::Yes;
}

void RealPlatform::Error(const std::string& text, const std::string& caption) {
  QMessageBox::critical(mainWindow_, caption.empty() ? QStringLiteral("エラー") : QString::fromStdString(caption),
                        QString::fromStdString(text));
}

void RealPlatform::RunModal(QDialog& dialog) { dialog.exec(); }

void RealPlatform::OpenHelp(const std::string& path) {
  if (!help_) help_ = std::make_unique<HelpViewer>();
  help_->Open(path);
}

void RealPlatform::Raise(QWidget& window) {
  window.activateWindow();
  window.raise();
}

void RealPlatform::PlaySound(Sound sound) {
  if (!sounds_) {
    const std::string program = ProgramPath();
    sounds_ = std::make_unique<SoundPlayer>(
        [program](Sound s) { return ShippedSoundPath(program, s == Sound::Key ? "key.wav" : "miss.wav"); });
  }
  sounds_->Play(sound);
}

void RealPlatform::CloseHelp() {
  if (help_) help_->Close();
}

std::string RealPlatform::ProgramPath() const {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return QCoreApplication::applicationFilePath().toStdString();
  return std::string(buf, static_cast<size_t>(n));
}

std::string RealPlatform::VersionText() const { return DOJOKAI_VERSION_TEXT; }

void RealPlatform::ProcessPendingEvents() { QCoreApplication::processEvents(); }

}  // namespace plat
