#pragma once
// Reading one line of a driver script: words, and TEXT that may be quoted
// ("…" with \e \r \t \b \\ \" \xNN). UTF-8 text is sent to the game as CP932.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace drive {

struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A TEXT argument in both forms: UTF-8 (with \xNN bytes decoded as CP932) and the CP932
// bytes (nullopt when a character has no CP932 form).
struct Text {
  std::string utf8;
  std::optional<std::string> cp932;
  const std::string& Bytes() const;  // throws ScriptError when there are none
};

class LineReader {
 public:
  explicit LineReader(std::string_view line) : line_(line) {}
  // True for a blank line or a comment line.
  bool Empty() const;
  // The next word (quoted or up to white space); throws when there is none.
  Text Word(const char* what);
  std::string PlainWord(const char* what) { return Word(what).utf8; }
  int Number(const char* what);
  // TEXT: a quoted string, or the rest of the line without its trailing blanks and comment.
  Text Rest(const char* what);
  // Nothing but blanks or a comment may follow.
  void End();
  // Whether only blanks or a comment follow.
  bool AtEnd();

 private:
  void SkipBlanks();
  Text Quoted();
  std::string_view line_;
  size_t pos_ = 0;
};

}  // namespace drive
