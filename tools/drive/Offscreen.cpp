#include "tools/drive/Offscreen.h"

#include <QDir>
#include <QFile>
#include <cstdio>
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
  // Written under a name of its own and renamed into place, so runs side by side never
  // read a half-written file.
  const std::string config = runtime + "/dojokai-offscreen.json";
  const std::string partial = config + "." + std::to_string(getpid());
  QFile file(QString::fromStdString(partial));
  bool ready = false;
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    file.write(R"({"screens": [{"name": "dojokai", "x": 0, "y": 0, "width": 1920, "height": 1200,)"
               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    ready = std::rename(partial.c_str(), config.c_str()) == 0;
  }
  setenv("QT_QPA_PLATFORM", ready ? ("offscreen:configfile=" + config).c_str() : "offscreen", 1);
}

}  // namespace drive
