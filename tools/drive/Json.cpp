#include "tools/drive/Json.h"

#include <cmath>
#include <cstdio>

#include "platform/Cp932.h"

namespace drive {

// Whatever bytes a text holds (a file name need not be UTF-8), the JSON is valid UTF-8.
std::string Quote(std::string_view text) {
  const std::string s = plat::cp932::ValidUtf8(text);
  std::string out = "\"";
  for (unsigned char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

void Json::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_) out_ += ", ";
  first_ = false;
}

Json& Json::BeginObject() {
  Separate();
  out_ += "{";
  first_ = true;
  return *this;
}
Json& Json::EndObject() {
  out_ += "}";
  first_ = false;
  return *this;
}
Json& Json::BeginArray() {
  Separate();
  out_ += "[";
  first_ = true;
  return *this;
}
Json& Json::EndArray() {
  out_ += "]";
  first_ = false;
  return *this;
}
Json& Json::Key(std::string_view key) {
  Separate();
  out_ += Quote(key);
  out_ += ": ";
  afterKey_ = true;
  return *this;
}
Json& Json::String(std::string_view s) {
  Separate();
  out_ += Quote(s);
  return *this;
}
Json& Json::Number(int64_t v) {
  Separate();
  out_ += std::to_string(v);
  return *this;
}
Json& Json::Real(double v) {
  Separate();
  if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15) {
    out_ += std::to_string(static_cast<int64_t>(v));
  } else {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", std::isfinite(v) ? v : 0.0);
    out_ += buf;
  }
  return *this;
}
Json& Json::Bool(bool v) {
  Separate();
  out_ += v ? "true" : "false";
  return *this;
}
Json& Json::Null() {
  Separate();
  out_ += "null";
  return *this;
}

}  // namespace drive
