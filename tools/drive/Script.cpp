#include "tools/drive/Script.h"

#include <cctype>

#include "platform/Cp932.h"

namespace drive {
namespace {

// Appends UTF-8 text to both forms.
void AddUtf8(Text& t, std::string_view utf8) {
  t.utf8 += utf8;
  if (!t.cp932) return;
  if (auto bytes = plat::cp932::FromUtf8(utf8))
    *t.cp932 += *bytes;
  else
    t.cp932.reset();
}

void AddByte(Text& t, unsigned char b) {
  if (b < 0x80) {
    AddUtf8(t, std::string(1, static_cast<char>(b)));
    return;
  }
  t.utf8 += plat::cp932::ToUtf8(std::string(1, static_cast<char>(b)));
  if (t.cp932) *t.cp932 += static_cast<char>(b);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

const std::string& Text::Bytes() const {
  if (!cp932) throw ScriptError("text has a character that CP932 cannot hold: " + utf8);
  return *cp932;
}

void LineReader::SkipBlanks() {
  while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
}

bool LineReader::Empty() const {
  size_t p = 0;
  while (p < line_.size() && IsBlank(line_[p])) ++p;
  return p == line_.size() || line_[p] == '#';
}

Text LineReader::Quoted() {
  Text t{"", std::string()};
  ++pos_;  // opening quote
  std::string run;
  auto flush = [&] {
    AddUtf8(t, run);
    run.clear();
  };
  while (pos_ < line_.size()) {
    const char c = line_[pos_++];
    if (c == '"') {
      flush();
      return t;
    }
    if (c != '\\') {
      run += c;
      continue;
    }
    if (pos_ >= line_.size()) break;
    const char e = line_[pos_++];
    flush();
    switch (e) {
      case 'e': AddByte(t, 27); break;
      case 'r': AddByte(t, 13); break;
      case 't': AddByte(t, 9); break;
      case 'b': AddByte(t, 8); break;
      case '\\': AddByte(t, '\\'); break;
      case '"': AddByte(t, '"'); break;
      case 'x': {
        if (pos_ + 2 > line_.size() || !std::isxdigit(static_cast<unsigned char>(line_[pos_])) ||
            !std::isxdigit(static_cast<unsigned char>(line_[pos_ + 1])))
          throw ScriptError("\\x needs two hexadecimal digits");
        AddByte(t, static_cast<unsigned char>(std::stoi(std::string(line_.substr(pos_, 2)), nullptr, 16)));
        pos_ += 2;
        break;
      }
      default: throw ScriptError(std::string("unknown escape \\") + e);
    }
  }
  throw ScriptError("text without its closing quote");
}

Text LineReader::Word(const char* what) {
  SkipBlanks();
  if (pos_ >= line_.size()) throw ScriptError(std::string("missing ") + what);
  if (line_[pos_] == '"') return Quoted();
  const size_t start = pos_;
  while (pos_ < line_.size() && !IsBlank(line_[pos_])) ++pos_;
  Text t{"", std::string()};
  AddUtf8(t, line_.substr(start, pos_ - start));
  return t;
}

int LineReader::Number(const char* what) {
  const std::string word = PlainWord(what);
  size_t used = 0;
  long long v = 0;
  try {
    v = std::stoll(word, &used);
  } catch (...) {
    used = 0;
  }
  if (used != word.size() || v < -2147483647LL || v > 2147483647LL)
    throw ScriptError(std::string(what) + " must be a whole number: " + word);
  return static_cast<int>(v);
}

Text LineReader::Rest(const char* what) {
  SkipBlanks();
  if (pos_ >= line_.size()) throw ScriptError(std::string("missing ") + what);
  if (line_[pos_] == '"') {
    Text t = Quoted();
    End();
    return t;
  }
  std::string_view rest = line_.substr(pos_);
  // A comment starts at " #" followed by a blank or the end.
  for (size_t i = 1; i < rest.size(); ++i) {
    if (rest[i] == '#' && IsBlank(rest[i - 1]) && (i + 1 == rest.size() || IsBlank(rest[i + 1]))) {
      rest = rest.substr(0, i);
      break;
    }
  }
  while (!rest.empty() && IsBlank(rest.back())) rest.remove_suffix(1);
  pos_ = line_.size();
  Text t{"", std::string()};
  AddUtf8(t, rest);
  return t;
}

bool LineReader::AtEnd() {
  SkipBlanks();
  return pos_ == line_.size() || line_[pos_] == '#';
}

void LineReader::End() {
  SkipBlanks();
  if (pos_ < line_.size() && line_[pos_] != '#')
    throw ScriptError("unexpected text: " + std::string(line_.substr(pos_)));
}

}  // namespace drive
