#include "app/WaylandSession.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>

namespace app {
namespace {

QtMessageHandler toolkitHandler = nullptr;
void (*saveRecords)() = nullptr;

std::mutex saveMutex;
std::condition_variable saveFinished;
bool saveDone = false;

// On the main thread only; the second report of the same loss finds the record saved.
void SaveOnMainThread() {
  static bool saved = false;
  if (!std::exchange(saved, true) && saveRecords) saveRecords();
  {
    const std::lock_guard lock(saveMutex);
    saveDone = true;
  }
  saveFinished.notify_all();
}

void OnMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && saveRecords && IsWaylandConnectionLoss(message.toStdString())) {
    QCoreApplication* application = QCoreApplication::instance();
    if (application && QThread::currentThread() == application->thread()) {
      SaveOnMainThread();
    } else if (application) {
      QMetaObject::invokeMethod(application, SaveOnMainThread, Qt::QueuedConnection);
      std::unique_lock lock(saveMutex);
      saveFinished.wait_for(lock, std::chrono::milliseconds(kWaylandSaveWaitMs), [] { return saveDone; });
    }
  }
  if (toolkitHandler) toolkitHandler(type, context, message);
}

}  // namespace

bool IsWaylandConnectionLoss(std::string_view warning) {
  // "The Wayland connection broke. Did the Wayland compositor die?" and "The Wayland
  // connection experienced a fatal error: ..."; the toolkit ends the process after either.
  return warning.starts_with("The Wayland connection ");
}

void SaveWhenWaylandConnectionBreaks(void (*save)()) {
  saveRecords = save;
  toolkitHandler = qInstallMessageHandler(OnMessage);
}

}  // namespace app
