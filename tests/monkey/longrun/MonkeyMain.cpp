// dojokai-monkey [EVENTS [SEED]] [--trace-from N] [--report DIR]: the long monkey run
// (1,000,000 events from seed 1 by default). Exit 0 when every rule held, 1 otherwise.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdlib>
#include <iostream>
#include <string>

#include "platform/Fonts.h"
#include "tests/monkey/Monkey.h"
#include "tools/drive/Offscreen.h"

namespace {

// The offscreen platform says it cannot raise a window at every maximise; nothing the run
// needs to show. Everything else goes out as usual.
QtMessageHandler standardHandler = nullptr;
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QStringLiteral("does not support raise()"))) return;
  if (standardHandler)
    standardHandler(type, context, message);
  else
    std::cerr << message.toStdString() << "\n";
}

}  // namespace

// Under the sanitizers, leaks of the toolkit's own caches at exit are not the game's.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  monkey::Options options;
  options.events = 1000000;
  options.reportDir = QDir::currentPath().toStdString();
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    char* end = nullptr;
    if (arg == "--trace-from" && i + 1 < argc) {
      options.traceFrom = std::strtoll(argv[++i], &end, 10);
      options.trace = &std::cerr;
    } else if (arg == "--report" && i + 1 < argc) {
      options.reportDir = argv[++i];
    } else if (positional < 2 && !arg.empty() && arg[0] != '-') {
      const unsigned long long v = std::strtoull(arg.c_str(), &end, 10);
      if (*end != '\0') {
        std::cerr << "not a number: " << arg << "\n";
        return 2;
      }
      if (positional++ == 0)
        options.events = static_cast<int64_t>(v);
      else
        options.seed = v;
    } else {
      std::cerr << "usage: dojokai-monkey [EVENTS [SEED]] [--trace-from N] [--report DIR]\n";
      return 2;
    }
  }
  drive::UseOffscreenScreen();
  QApplication app(argc, argv);
  standardHandler = qInstallMessageHandler(QuietOffscreen);
  plat::RegisterFontSubstitutions();
  QTemporaryDir sandbox;
  if (!sandbox.isValid()) {
    std::cerr << "cannot make a temporary folder\n";
    return 2;
  }
  options.sandbox = sandbox.path().toStdString();
  options.progress = &std::cout;
  options.progressEvery = 50000;
  QElapsedTimer clock;
  clock.start();
  monkey::Monkey run(options);
  const bool ok = run.Run();
  std::cout << run.Summary() << "time " << clock.elapsed() / 1000.0 << " s\n";
  if (!ok) std::cerr << run.Failure();
  return ok ? 0 : 1;
}
