#include "platform/Platform.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace plat {
namespace {

const QEvent::Type kInjectedKey = static_cast<QEvent::Type>(QEvent::registerEventType());

struct InjectedKeyEvent : QEvent {
  explicit InjectedKeyEvent(uint16_t code) : QEvent(kInjectedKey), vk(code) {}
  uint16_t vk;
};

// Receives posted synthetic keys, so they arrive after the click that sent them.
class Injector : public QObject {
 public:
  explicit Injector(Keyboard& keys) : keys_(keys) {}
  bool event(QEvent* e) override {
    if (e->type() != kInjectedKey) return QObject::event(e);
    keys_.Inject(static_cast<InjectedKeyEvent*>(e)->vk);
    return true;
  }

 private:
  Keyboard& keys_;
};

}  // namespace

const char* ShortDayName(int dayOfWeek) {
  static const char* const kNames[] = {"日", "月", "火", "水", "木", "金", "土"};
  return kNames[((dayOfWeek % 7) + 7) % 7];
}

int DayOfWeek(int year, int month, int day) {
  // Sakamoto's method.
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + t[month - 1] + day) % 7;
}

Platform::Platform() : injector_(std::make_unique<Injector>(keyboard_)) {}

Platform::~Platform() = default;

void Platform::InjectKey(uint16_t vk) {
  QCoreApplication::postEvent(injector_.get(), new InjectedKeyEvent(vk));
}

}  // namespace plat
