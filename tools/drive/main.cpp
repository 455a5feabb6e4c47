// dojokai-drive [--exe-dir DIR] SCRIPT: runs the game headless from a script.
#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/Fonts.h"
#include "tools/drive/Driver.h"

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
  // Headless: the offscreen platform and a private runtime folder.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!getenv("XDG_RUNTIME_DIR")) {
    const std::string dir = QDir::tempPath().toStdString() + "/dojokai-drive-runtime";
    QDir().mkpath(QString::fromStdString(dir));
    QFile::setPermissions(QString::fromStdString(dir), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
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
