#pragma once
// Word and phrase lists for the romaji drills: UTF-8 text, one entry a line,
// `表記<TAB>よみ` or only the reading when the entry is kana; `#` starts a comment and blank
// lines are ignored. The shipped lists and the player's own are read the same way; nothing
// is ever written back.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace game::romaji {

struct Entry {
  std::string text;     // 表記, UTF-8 (the reading again for a kana entry)
  std::string reading;  // the reading, UTF-8, as in the file
  std::u32string kana;  // the reading as the judge takes it
};

struct List {
  std::string name;  // the file's name, shown and stored with records
  std::string path;  // where it was read from
  std::vector<Entry> entries;
  std::vector<std::string> notices;  // Japanese, one per problem, with file and line
  std::string error;                 // Japanese; non-empty when the list cannot be used
  bool Usable() const { return error.empty() && !entries.empty(); }
};

// Entries longer than this (in characters of the reading) are skipped.
inline constexpr int kMaxReading = 64;
// A file larger than this is refused.
inline constexpr int64_t kMaxListBytes = 1 << 20;

// Reads a list file: refuses what is not a regular file, over kMaxListBytes, binary or not
// UTF-8; skips lines whose reading cannot be typed (`typable` says) with one notice each.
List LoadList(const std::string& path, const std::function<bool(std::u32string_view)>& typable);
// The same from bytes already read.
List ParseList(std::string_view bytes, const std::string& name,
               const std::function<bool(std::u32string_view)>& typable);

}  // namespace game::romaji
