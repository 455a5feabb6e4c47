#include "platform/Platform.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <chrono>

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

namespace {

int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

int64_t EpochMs(const LocalDateTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 86400000 + ((t.hour * 60 + t.minute) * 60 + t.second) * int64_t{1000} +
         t.millisecond;
}

// Local time is kept as milliseconds since 1970 counted as if it were UTC.
LocalDateTime FromEpochMs(int64_t ms) {
  using namespace std::chrono;
  const sys_days days{std::chrono::days{ms >= 0 ? ms / 86400000 : (ms - 86399999) / 86400000}};
  const int64_t inDay = ms - days.time_since_epoch().count() * int64_t{86400000};
  const year_month_day ymd{days};
  LocalDateTime t;
  t.year = static_cast<int>(ymd.year());
  t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  t.hour = static_cast<int>(inDay / 3600000);
  t.minute = static_cast<int>(inDay / 60000 % 60);
  t.second = static_cast<int>(inDay / 1000 % 60);
  t.millisecond = static_cast<int>(inDay % 1000);
  t.dayOfWeek = static_cast<int>(weekday{days}.c_encoding());
  return t;
}

Platform::Platform() : injector_(std::make_unique<Injector>(keyboard_)) {}

Platform::~Platform() = default;

void Platform::InjectKey(uint16_t vk) { QCoreApplication::postEvent(injector_.get(), new InjectedKeyEvent(vk)); }

}  // namespace plat
