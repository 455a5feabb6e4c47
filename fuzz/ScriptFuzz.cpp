// Fuzz target: the driver's script-line reader. Every line of the input is read the ways
// the driver reads its commands (a command word and its arguments), and again with each
// reading operation on its own. Bad lines must end in drive::ScriptError and nothing else.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Cp932.h"
#include "tools/drive/Script.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view line) {
  std::fprintf(stderr, "script fuzz: %s: [%.*s]\n", what, static_cast<int>(line.size()), line.data());
  std::abort();
}

// A TEXT in its two forms: the CP932 bytes, when there are any, show as the same text.
void CheckText(const drive::Text& text, std::string_view line) {
  try {
    const std::string& bytes = text.Bytes();
    if (!text.cp932 || &bytes != &*text.cp932) Fail("Bytes() is not the CP932 form", line);
  } catch (const drive::ScriptError&) {
    if (text.cp932) Fail("Bytes() threw although there is a CP932 form", line);
  }
}

template <typename Step>
void Try(Step step) {
  try {
    step();
  } catch (const drive::ScriptError&) {
  }
}

// The argument shapes of the driver's commands.
void ReadCommand(std::string_view line) {
  drive::LineReader r(line);
  if (r.Empty()) return;
  const std::string command = r.PlainWord("command");
  auto text = [&](const char* what) { CheckText(r.Rest(what), line); };
  if (command == "now" || command == "check") {
    r.PlainWord("first");
    r.PlainWord("second");
    r.End();
  } else if (command == "uptime" || command == "wait") {
    r.Number("MS");
    r.End();
  } else if (command == "resize") {
    r.Number("width");
    r.Number("height");
    r.End();
  } else if (command == "char" || command == "type") {
    text("text");
  } else if (command == "set") {
    r.PlainWord("control name");
    text("text");
  } else if (command == "expect") {
    const std::string what = r.PlainWord("what");
    r.PlainWord("name");
    if (what == "caption" || what == "state")
      text("value");
    else
      r.End();
  } else if (command == "start" || command == "close" || command == "maximize" || command == "restore") {
    r.End();
  } else {
    CheckText(r.Word("argument"), line);
    r.End();
  }
}

void ReadLine(std::string_view line) {
  const bool empty = drive::LineReader(line).Empty();
  Try([&] { ReadCommand(line); });
  Try([&] {
    drive::LineReader r(line);
    // Each word takes at least one byte of the line, so this ends.
    for (size_t i = 0; i <= line.size(); ++i) CheckText(r.Word("word"), line);
    Fail("more words than bytes", line);
  });
  Try([&] {
    drive::LineReader r(line);
    r.Number("number");
    r.Number("number");
    r.End();
  });
  Try([&] {
    drive::LineReader r(line);
    CheckText(r.Rest("text"), line);
    r.End();
  });
  Try([&] {
    drive::LineReader r(line);
    r.End();
    // Only a blank or comment line has nothing to read.
    if (!empty) Fail("End() accepted a line that is not empty", line);
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  size_t pos = 0;
  while (pos <= script.size()) {
    size_t end = script.find('\n', pos);
    if (end == std::string_view::npos) end = script.size();
    ReadLine(script.substr(pos, end - pos));
    pos = end + 1;
  }
  return 0;
}
