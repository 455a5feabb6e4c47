// Fuzz target: the configuration file dojokai.cfg through the INI reader and writer. The
// input is a folder text (up to the first backslash that escapes no backslash, as
// FuzzedDataProvider reads it) followed by the file's bytes. The game's keys are read,
// then the folder is written back and the file read again: the written key must read back
// as written and no other key may change; a folder with a line break must be refused.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/FuzzFiles.h"
#include "platform/Ini.h"

namespace {

constexpr char kSection[] = "DOJOKAI";
constexpr char kFolderKey[] = "DOJDATPATH";
constexpr std::array<const char*, 8> kKeys = {"DOJCFGVERSION", "DOJDATPATH", "DOJDATPATHON", "RESETSW",
                                              "DOJDATNOTRW",   "STARTZKEY",  "TITSCOREOFF",  "BMPJPGLOADON"};
constexpr char kMissing[] = "\x01missing";
constexpr int kNoNumber = INT_MIN + 7;

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "ini fuzz: %s: [%s]\n", what, detail.c_str());
  std::abort();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// What a profile read gives back for a written value: blanks at both ends and one pair of
// matching quotes around it are not part of the value (as in the Windows profile files).
std::string AsRead(const std::string& value) {
  std::string v = Trim(value);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return v;
}

// An independent reading of a whole decimal number with optional sign and blanks.
int Number(const std::string& text, int fallback) {
  const std::string t = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  if (i == t.size()) return fallback;
  long long v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return fallback;
    v = v * 10 + (t[i] - '0');
    if (v > 1LL << 32) return fallback;
  }
  v = negative ? -v : v;
  return v < INT_MIN || v > INT_MAX ? fallback : static_cast<int>(v);
}

struct Values {
  std::array<std::string, kKeys.size()> text;
  std::array<int, kKeys.size()> number;
};

Values ReadKeys(const plat::IniFile& ini) {
  Values v;
  for (size_t i = 0; i < kKeys.size(); ++i) {
    v.text[i] = ini.ReadString(kSection, kKeys[i], kMissing);
    v.number[i] = ini.ReadInteger(kSection, kKeys[i], kNoNumber);
    // Names compare without regard to case.
    std::string lower = kKeys[i];
    for (char& c : lower)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (ini.ReadString("dojokai", lower, kMissing) != v.text[i]) Fail("case-insensitive read differs", kKeys[i]);
    const int expected = v.text[i] == kMissing ? kNoNumber : Number(v.text[i], kNoNumber);
    if (v.number[i] != expected) Fail("ReadInteger", v.text[i]);
  }
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string folder = input.ConsumeRandomLengthString(300);
  const std::vector<uint8_t> file = input.ConsumeRemainingBytes<uint8_t>();

  const std::string path = fuzz::WorkFolder() + "/dojokai.cfg";
  fuzz::WriteFile(path, file.data(), file.size());

  plat::IniFile ini(path);
  const Values before = ReadKeys(ini);
  // A line break cannot be written: the write is refused and the file stays as it was.
  if (folder.find_first_of("\r\n") != std::string::npos) {
    if (ini.WriteString(kSection, kFolderKey, folder)) Fail("a line break was written", folder);
    if (ini.WriteStrings(kSection, {{"RESETSW", "1"}, {kFolderKey, folder}})) Fail("a line break was written", folder);
    if (fuzz::ReadFile(path) != file) Fail("a refused write changed the file", folder);
    const Values after = ReadKeys(ini);
    for (size_t i = 0; i < kKeys.size(); ++i)
      if (after.text[i] != before.text[i]) Fail("a refused write changed a key", kKeys[i]);
    return 0;
  }
  if (!ini.WriteString(kSection, kFolderKey, folder)) Fail("WriteString failed", folder);
  const Values after = ReadKeys(plat::IniFile(path));
  for (size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i] == std::string(kFolderKey)) {
      if (after.text[i] != AsRead(folder)) Fail("written value reads back otherwise", after.text[i]);
    } else if (after.text[i] != before.text[i] || after.number[i] != before.number[i]) {
      Fail("writing one key changed another", kKeys[i]);
    }
  }

  // Writing the same again changes no key (lines that are no key may lose a stray CR).
  if (!plat::IniFile(path).WriteString(kSection, kFolderKey, folder)) Fail("second WriteString failed", folder);
  const Values again = ReadKeys(plat::IniFile(path));
  if (again.text != after.text || again.number != after.number) Fail("a repeated write changed a key", folder);

  // The settings screen's write: all eight keys at once.
  std::vector<std::pair<std::string, std::string>> keys;
  for (size_t i = 0; i < kKeys.size(); ++i)
    keys.emplace_back(kKeys[i], i == 1 ? folder : i == 0 ? "301" : std::to_string(i % 2));
  if (!plat::IniFile(path).WriteStrings(kSection, keys)) Fail("WriteStrings failed", folder);
  const Values all = ReadKeys(plat::IniFile(path));
  for (size_t i = 0; i < kKeys.size(); ++i)
    if (all.text[i] != AsRead(keys[i].second)) Fail("WriteStrings value reads back otherwise", kKeys[i]);
  return 0;
}
