#include "tools/drive/Json.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocale>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "platform/Cp932.h"
#include "tools/drive/Script.h"

namespace drive {

namespace {

void AppendHex4(std::string& out, unsigned u) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\u%04x", u);
  out += buf;
}

// A text of the toolkit's JSON, quoted as its documents quote it: the short escapes where
// JSON has them, other control characters and lone surrogates as \uXXXX.
std::string QuoteToolkit(const QString& text) {
  std::string out = "\"";
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t u = text[i].unicode();
    switch (u) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\b': out += "\\b"; continue;
      case '\f': out += "\\f"; continue;
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      case '\t': out += "\\t"; continue;
      default: break;
    }
    const qsizetype n = QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    if (u < 0x20 || (n == 1 && QChar::isSurrogate(u)))
      AppendHex4(out, u);
    else if (u < 0x80)
      out += static_cast<char>(u);
    else
      out += QStringView(text).mid(i, n).toUtf8().toStdString();
    i += n - 1;
  }
  return out + "\"";
}

}  // namespace

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
        if (c < 0x20)
          AppendHex4(out, c);
        else
          out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void Json::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (layout_ == Layout::Line) {
    if (!first_) out_ += ", ";
  } else {
    if (!first_) out_ += ",\n";
    out_.append(static_cast<size_t>(4 * depth_), ' ');
  }
  first_ = false;
}

// An indented container that held values ends on a line of its own, one level out.
void Json::Close(char bracket) {
  if (layout_ == Layout::Indented) {
    if (!first_) out_ += '\n';
    --depth_;
    out_.append(static_cast<size_t>(4 * depth_), ' ');
  }
  out_ += bracket;
  first_ = false;
}

Json& Json::BeginObject() {
  Separate();
  out_ += layout_ == Layout::Line ? "{" : "{\n";
  ++depth_;
  first_ = true;
  return *this;
}
Json& Json::EndObject() {
  Close('}');
  return *this;
}
Json& Json::BeginArray() {
  Separate();
  out_ += layout_ == Layout::Line ? "[" : "[\n";
  ++depth_;
  first_ = true;
  return *this;
}
Json& Json::EndArray() {
  Close(']');
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

Json& Json::Value(const QJsonValue& v) {
  switch (v.type()) {
    case QJsonValue::Bool: return Bool(v.toBool());
    case QJsonValue::Double:
      // A whole number given as one stays an integer; a real one is written at its shortest
      // exact length, and a non-finite one as null.
      if (v.toVariant().typeId() == QMetaType::LongLong) return Number(v.toInteger());
      Separate();
      if (std::isfinite(v.toDouble()))
        out_ += QByteArray::number(v.toDouble(), 'g', QLocale::FloatingPointShortest).toStdString();
      else
        out_ += "null";
      return *this;
    case QJsonValue::String:
      Separate();
      out_ += QuoteToolkit(v.toString());
      return *this;
    case QJsonValue::Array:
      BeginArray();
      for (const QJsonValue& e : v.toArray()) Value(e);
      return EndArray();
    case QJsonValue::Object: {
      BeginObject();
      const QJsonObject o = v.toObject();
      for (auto it = o.begin(); it != o.end(); ++it) {
        Separate();
        out_ += QuoteToolkit(it.key());
        out_ += ": ";
        afterKey_ = true;
        Value(it.value());
      }
      return EndObject();
    }
    case QJsonValue::Null:
    case QJsonValue::Undefined: break;
  }
  return Null();
}

void WriteDump(const std::string& file, std::string_view json, std::ostream& out) {
  if (file == "-") {
    out << json;
    out.flush();
    return;
  }
  std::ofstream f(file, std::ios::binary);
  if (!(f << json)) throw ScriptError("cannot write " + file);
}

}  // namespace drive
