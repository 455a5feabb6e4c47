// dojokai-drive [--exe-dir DIR] SCRIPT: runs the game headless from a script.
#include <QApplication>
#include <QDir>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/Fonts.h"
#include "tools/drive/Driver.h"
#include "tools/drive/Offscreen.h"

// Under the sanitizers, leaks of the toolkit's own caches at exit are not the game's.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  std::string exeDir = ".", scriptPath;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--exe-dir" && i + 1 < argc) {
      exeDir = argv[++i];
    } else if (scriptPath.empty() && (arg == "-" || arg.rfind("--", 0) != 0)) {
      scriptPath = arg;
    } else {
      std::cerr << "usage: dojokai-drive [--exe-dir DIR] SCRIPT\n";
      return 1;
    }
  }
  if (scriptPath.empty()) {
    std::cerr << "usage: dojokai-drive [--exe-dir DIR] SCRIPT\n";
    return 1;
  }
  std::stringstream script;
  if (scriptPath == "-") {
    script << std::cin.rdbuf();
  } else {
    std::ifstream in(scriptPath, std::ios::binary);
    if (!in) {
      std::cerr << "cannot read " << scriptPath << "\n";
      return 1;
    }
    script << in.rdbuf();
  }
  drive::UseOffscreenScreen();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("dojokai"));
  plat::RegisterFontSubstitutions();
  const std::string dir = QDir(QString::fromStdString(exeDir)).absolutePath().toStdString();
  int code = 0;
  {
    drive::Driver driver(dir, std::cout, std::cerr);
    code = driver.Run(script.str());
  }
  return code;
}
