#include "app/Game.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "app/CommandLine.h"
#include "app/Pictures.h"
#include "app/WaylandSession.h"
#include "app/XSession.h"
#include "platform/Fonts.h"
#include "platform/QtTranslation.h"
#include "platform/RealPlatform.h"
#include "platform/ShippedFiles.h"
#include "platform/XkbLayout.h"

namespace app {

namespace {

// The window of the running game, for the save at an exit that bypasses it.
TForm2* liveForm = nullptr;

// When the X or Wayland connection breaks (logout, a crashed desktop, a dropped ssh -X) the
// toolkit ends the process from inside the message loop; the window never closes. The
// record is saved here instead, from the state the game had.
void SaveAtUnplannedExit() {
  TForm2* form = std::exchange(liveForm, nullptr);
  if (!form || form->Closed()) return;
  try {
    form->EmergencyClose();
  } catch (...) {
  }
}

}  // namespace

Game::Game(plat::Platform& platform, ui::ControlSet::Widgets widgets) {
  form_ = std::make_unique<TForm2>(platform, widgets);
  dialog_ = std::make_unique<lessons::TForm9>(form_->State(), widgets);
  form_->SetNameDialog(dialog_.get());
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    if (!form_->State().MaximizeAtStart) form_->move(area.center() - form_->rect().center());
    dialog_->move(area.center() - dialog_->rect().center());
    // The window can be neither smaller than the design size nor larger than the screen.
    form_->setMinimumSize(480, 300);
    form_->setMaximumSize(screen->size());
  }
  if (form_->Closed()) return;
  form_->Controls().ShowLive();
  form_->show();
}

bool Game::BuildLateWidgets() {
  // The title's own labels (its intro shows them), the mode select, the drill; then the
  // other screens, then the name dialog.
  const ui::MainControls& c = form_->C;
  if (form_->Controls().MaterializeNext({c.Panel1, c.F6Panel, c.F1Panel})) return true;
  dialog_->BuildWidgets();
  return false;
}

Game::~Game() {
  if (liveForm == form_.get()) liveForm = nullptr;
  dialog_.reset();
  form_.reset();
}

namespace {

// The write end of the socket pair through which the stop signals reach the event loop.
volatile std::sig_atomic_t stopSignalFd = -1;

void OnStopSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(stopSignalFd, &byte, 1);
  errno = saved;
}

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Termination, interrupt and hang-up close the window the normal way, so that the record
// is saved as at any other exit. The handler only writes a byte; the close runs in the
// event loop.
class StopSignals {
 public:
  StopSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0) return;
    stopSignalFd = fds_[1];
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kStopSignals) ::sigaction(sig, &action, nullptr);
  }
  ~StopSignals() {
    if (stopSignalFd < 0) return;
    for (int sig : kStopSignals) std::signal(sig, SIG_DFL);
    stopSignalFd = -1;
    notifier_.reset();
    ::close(fds_[0]);
    ::close(fds_[1]);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // From now on a stop signal closes any open dialog (as if answered No) and then the window.
  void CloseOnSignal(QWidget& window) {
    if (stopSignalFd < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(fds_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, target = QPointer<QWidget>(&window)] {
      char bytes[16];
      while (::read(fds_[0], bytes, sizeof bytes) > 0) {
      }
      for (int i = 0; i < 8; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == target) break;
        modal->close();
      }
      if (target) target->close();
      // Whatever else is still open, the program ends (its record is saved by now).
      QCoreApplication::exit(0);
    });
  }

 private:
  int fds_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

// Runs `then` once the main window has painted for the first time: what the first frame
// does not need waits until after it.
class AfterFirstPaint : public QObject {
 public:
  AfterFirstPaint(QWidget& window, std::function<void()> then) : window_(window), then_(std::move(then)) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || !then_ || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != &window_)
      return false;
    qApp->removeEventFilter(this);
    QTimer::singleShot(0, this, std::exchange(then_, nullptr));
    return false;
  }

 private:
  QWidget& window_;
  std::function<void()> then_;
};

// With DOJOKAI_FIRST_FRAME set (the start-up benchmark), the game prints the monotonic clock
// once the first paint of the main window has reached the window system, and closes. The
// line also tells when the window was first exposed (mapped on the screen).
class FirstFrameReport : public QObject {
 public:
  FirstFrameReport(QWidget& window, timespec mainEntered) : window_(window), mainEntered_(mainEntered) {
    qApp->installEventFilter(this);
  }

 protected:
  // The panels cover the window, so the first paint may go to any widget inside it.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && mappedMs_ < 0 && watched == window_.windowHandle())
      mappedMs_ = MsAfterMain();
    if (event->type() != QEvent::Paint || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != &window_)
      return false;
    qApp->removeEventFilter(this);
    // The queued call runs after the paint pass, and with it the flush, has finished.
    QTimer::singleShot(0, this, [this] {
      timespec now{};
      clock_gettime(CLOCK_MONOTONIC, &now);
      std::printf("first frame: monotonic %lld ns, %.1f ms after main; mapped %.1f ms after main\n",
                  static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, MsAfterMain(now), mappedMs_);
      std::fflush(stdout);
      window_.close();
    });
    return false;
  }

 private:
  double MsAfterMain(timespec now) const {
    return static_cast<double>(now.tv_sec - mainEntered_.tv_sec) * 1e3 +
           static_cast<double>(now.tv_nsec - mainEntered_.tv_nsec) / 1e6;
  }
  double MsAfterMain() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return MsAfterMain(now);
  }
  QWidget& window_;
  timespec mainEntered_;
  double mappedMs_ = -1;
};

// Shipped files missing from an install: the game still runs (with its built-in word list),
// but the player learns what to reinstall.
void ReportMissingFiles(plat::Platform& platform) {
  const std::vector<std::string> missing = plat::MissingShippedFiles(platform.ProgramPath());
  if (missing.empty()) return;
  std::string text = "ゲームのファイルが見つかりません:\n";
  for (const std::string& path : missing) text += "  " + path + "\n";
  text += "dojokai をインストールし直してください。";
  std::fprintf(stderr, "dojokai: %s\n", text.c_str());
  platform.Error(text, "DOJOKAI");
}

}  // namespace

int RunEntryRoutine(int argc, char** argv) {
  timespec mainEntered{};
  clock_gettime(CLOCK_MONOTONIC, &mainEntered);
  const CommandLine options = ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  switch (options.action) {
    case CommandLine::Action::Help: std::fputs(HelpText().c_str(), stdout); return 0;
    case CommandLine::Action::Version: std::fputs(VersionLine().c_str(), stdout); return 0;
    case CommandLine::Action::Error:
      std::fprintf(stderr, "dojokai: %s\n使い方は dojokai --help で表示されます。\n", options.error.c_str());
      return kUsageExit;
    case CommandLine::Action::Run: break;
  }
  if (!HasDisplay(options, [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
      })) {
    std::fputs(
        "dojokai: 表示する画面がありません (DISPLAY も WAYLAND_DISPLAY も設定されていません)。\n"
        "X か Wayland のデスクトップの中で起動してください。\n",
        stderr);
    return kNoDisplayExit;
  }
  plat::Application application(argc, argv);
  // The application name names the window class; no display name, so that every title
  // reads exactly as the game sets it ("DOJOKAI").
  QApplication::setApplicationName(QStringLiteral("dojokai"));
  const std::unique_ptr<QTranslator> japaneseDialogs = plat::InstallJapaneseDialogs();
  if (!japaneseDialogs) std::fputs("dojokai: qtbase_ja が読めないため、ダイアログのボタンは英語です\n", stderr);
  plat::RegisterFontSubstitutions();
  StopSignals stopSignals;
  // A write to a vanished X server must end in the toolkit's error handling (which saves),
  // not in a silent death by SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  try {
    plat::RealPlatform platform;
    // Only the controls of the first frame get widgets before it; the rest follow in idle
    // time after it, or as soon as they come on screen.
    Game game(platform, ui::ControlSet::Widgets::Late);
    platform.SetMainWindow(&game.Form());
    if (game.Form().Closed()) return 0;
    if (!options.wordsFile.empty())
      game.Form().Romaji().SetWordsFile(std::filesystem::absolute(options.wordsFile).string());
    if (game.Form().UseKeyboard(options.keyboard, plat::DetectKeyMap).source == plat::KeyMapSource::Undetected)
      std::fputs(
          "dojokai: キー配列を読めないため JIS キーボードとして扱います"
          " (US キーボードなら設定画面のキーボードで US を選ぶか --keyboard=us)\n",
          stderr);
    liveForm = &game.Form();
    static const bool registered = std::atexit(SaveAtUnplannedExit) == 0;
    (void)registered;
    SaveWhenXConnectionBreaks(SaveAtUnplannedExit);
    SaveWhenWaylandConnectionBreaks(SaveAtUnplannedExit);
    stopSignals.CloseOnSignal(game.Form());
    AfterFirstPaint icon(game.Form(), [] {
      QIcon icon(QPixmap::fromImage(pictures::Logo()));
      for (int size : {16, 24}) icon.addPixmap(QPixmap::fromImage(pictures::SmallIcon(size)));
      QApplication::setWindowIcon(icon);
    });
    const std::function<void()> buildLate = [&game, &buildLate] {
      if (game.BuildLateWidgets()) QTimer::singleShot(0, qApp, buildLate);
    };
    AfterFirstPaint lateWidgets(game.Form(), buildLate);
    ReportMissingFiles(platform);
    std::unique_ptr<FirstFrameReport> firstFrame;
    if (std::getenv("DOJOKAI_FIRST_FRAME")) firstFrame = std::make_unique<FirstFrameReport>(game.Form(), mainEntered);
    QApplication::exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("DOJOKAI"), QString::fromLocal8Bit(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QStringLiteral("DOJOKAI"), QString());
  }
  return 0;
}

}  // namespace app
