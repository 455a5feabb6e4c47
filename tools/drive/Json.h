#pragma once
// The driver's one JSON writer: the `dump` snapshot, the `stats dump` figures and the value
// an `expect state` compares all go through it, and so does every dump written out.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

class QJsonValue;

namespace drive {

class Json {
 public:
  // Line: the snapshot on one line, keys in the order written. Indented: four spaces a
  // level, a value a line, laid out as the toolkit lays out its documents (the figures of
  // the statistics window come as the toolkit's JSON values).
  enum class Layout { Line, Indented };
  explicit Json(Layout layout = Layout::Line) : layout_(layout) {}

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
  // A value of the toolkit's JSON, its objects' keys in the toolkit's (sorted) order.
  Json& Value(const QJsonValue& v);
  const std::string& Text() const { return out_; }

 private:
  void Separate();
  void Close(char bracket);
  Layout layout_;
  std::string out_;
  int depth_ = 0;
  bool first_ = true;
  bool afterKey_ = false;
};

std::string Quote(std::string_view utf8);

// A dump goes to `out` for "-", else into FILE (a ScriptError when it cannot be written).
void WriteDump(const std::string& file, std::string_view json, std::ostream& out);

}  // namespace drive
