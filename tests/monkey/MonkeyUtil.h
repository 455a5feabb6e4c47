#pragma once
// Small helpers of the monkey: the virtual calendar in milliseconds and whole files.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace monkey {

// Local date and time as milliseconds since 1970, and back.
inline int64_t ToMs(const plat::LocalDateTime& t) {
  using namespace std::chrono;
  const sys_days days = year{t.year} / month{static_cast<unsigned>(t.month)} / day{static_cast<unsigned>(t.day)};
  return days.time_since_epoch().count() * int64_t{86400000} +
         ((t.hour * 60 + t.minute) * 60 + t.second) * int64_t{1000} + t.millisecond;
}

inline plat::LocalDateTime FromMs(int64_t ms) {
  using namespace std::chrono;
  const int64_t dayCount = ms >= 0 ? ms / 86400000 : (ms - 86399999) / 86400000;
  const year_month_day ymd{sys_days{days{dayCount}}};
  const int64_t inDay = ms - dayCount * 86400000;
  plat::LocalDateTime t;
  t.year = static_cast<int>(ymd.year());
  t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  t.hour = static_cast<int>(inDay / 3600000);
  t.minute = static_cast<int>(inDay / 60000 % 60);
  t.second = static_cast<int>(inDay / 1000 % 60);
  return t;
}

// The driver command that sets the clock to `t`.
inline std::string NowLine(const plat::LocalDateTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "now %04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

// A whole file; nothing when it cannot be read.
inline std::optional<std::string> ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace monkey
