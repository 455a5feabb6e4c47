#pragma once
// Small helpers of the monkey: the virtual calendar in milliseconds and whole files.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace monkey {

// Local date and time as milliseconds since 1970, and back.
inline int64_t ToMs(const plat::LocalDateTime& t) { return plat::EpochMs(t); }
inline plat::LocalDateTime FromMs(int64_t ms) { return plat::FromEpochMs(ms); }

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
