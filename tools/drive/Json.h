#pragma once
// A small JSON writer that keeps keys in the order written.
#include <cstdint>
#include <string>
#include <string_view>

namespace drive {

class Json {
 public:
  Json& BeginObject();
  Json& EndObject();
  Json& BeginArray();
  Json& EndArray();
  Json& Key(std::string_view key);
  Json& String(std::string_view utf8);
  Json& Number(int64_t v);
  Json& Real(double v);
  Json& Bool(bool v);
  Json& Null();
  const std::string& Text() const { return out_; }

 private:
  void Separate();
  std::string out_;
  bool first_ = true;
  bool afterKey_ = false;
};

std::string Quote(std::string_view utf8);

}  // namespace drive
