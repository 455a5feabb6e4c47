#include "tools/drive/Offscreen.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace drive {

void UseOffscreenScreen() {
  std::string runtime;
  if (const char* dir = getenv("XDG_RUNTIME_DIR"); dir && *dir) {
    runtime = dir;
  } else {
    runtime = QDir::tempPath().toStdString() + "/dojokai-runtime-" + std::to_string(getuid());
    QDir().mkpath(QString::fromStdString(runtime));
    QFile::setPermissions(QString::fromStdString(runtime),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
  const std::string config = runtime + "/dojokai-offscreen.json";
  QFile file(QString::fromStdString(config));
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    file.write(R"({"screens": [{"name": "dojokai", "x": 0, "y": 0, "width": 1920, "height": 1200,)"
               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
  } else {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
}

}  // namespace drive
