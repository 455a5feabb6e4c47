#include "platform/RealPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <ctime>
#include <unistd.h>

#include "platform/HelpViewer.h"

namespace plat {
namespace {

class QtTimer : public TimerBackend {
 public:
  explicit QtTimer(std::function<void()> onTick) {
    timer_.setTimerType(Qt::PreciseTimer);  // coarse timers drift by up to 5 %
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
  }
  void Start(int intervalMs) override { timer_.start(intervalMs); }
  void Stop() override { timer_.stop(); }

 private:
  QTimer timer_;
};

}  // namespace

RealPlatform::RealPlatform() = default;
RealPlatform::~RealPlatform() = default;

uint32_t RealPlatform::TickCount() {
  timespec ts{};
  clock_gettime(CLOCK_BOOTTIME, &ts);
  const uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

int64_t RealPlatform::CalendarSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

LocalDateTime RealPlatform::Now() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  std::tm tm{};
  localtime_r(&ts.tv_sec, &tm);
  LocalDateTime t;
  t.year = tm.tm_year + 1900;
  t.month = tm.tm_mon + 1;
  t.day = tm.tm_mday;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  t.second = tm.tm_sec;
  t.millisecond = static_cast<int>(ts.tv_nsec / 1000000);
  t.dayOfWeek = tm.tm_wday;
  return t;
}

uint64_t RealPlatform::HighResolutionCounter() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000000000u + static_cast<uint64_t>(ts.tv_nsec);
}

std::unique_ptr<TimerBackend> RealPlatform::CreateTimer(std::function<void()> onTick) {
  return std::make_unique<QtTimer>(std::move(onTick));
}

bool RealPlatform::Question(const std::string& text, const std::string& caption) {
  const auto answer = QMessageBox::question(mainWindow_, QString::fromStdString(caption),
                                            QString::fromStdString(text),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  return answer == QMessageBox::Yes;
}

void RealPlatform::Error(const std::string& text, const std::string& caption) {
  QMessageBox::critical(mainWindow_,
                        caption.empty() ? QStringLiteral("エラー") : QString::fromStdString(caption),
                        QString::fromStdString(text));
}

void RealPlatform::RunModal(QDialog& dialog) { dialog.exec(); }

void RealPlatform::OpenHelp(const std::string& path) {
  if (!help_) help_ = std::make_unique<HelpViewer>();
  help_->Open(path);
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
