#pragma once
// A small reader and writer of INI profile files, standing in for the Windows profile
// functions: section and key names compare case-insensitively, keys stay in the order
// in which they were first written, values are text.
#include <string>
#include <utility>
#include <vector>

namespace plat {

class IniFile {
 public:
  // Reads `path` up to kMaxBytes; a missing or unreadable file gives an empty profile.
  explicit IniFile(std::string path);
  // A profile is a few lines; the rest of a larger file is ignored (and dropped when the
  // file is written).
  static constexpr size_t kMaxBytes = 64 * 1024;

  std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
  // Integer value of a key, or `fallback` when the key is missing or its text is not a
  // whole decimal number (leading and trailing blanks are allowed).
  int ReadInteger(const std::string& section, const std::string& key, int fallback) const;

  // Changes the profile in memory and writes the whole file at once; false when the file
  // cannot be written (the file on disk is then unchanged). A section, key or value with a
  // line break (CR or LF) is refused the same way: it would break the file's lines.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Several keys of one section in a single write of the file, new keys in the order given;
  // false when the file cannot be written (the file on disk is then unchanged).
  bool WriteStrings(const std::string& section, const std::vector<std::pair<std::string, std::string>>& keyValues);

  // Sets several keys of one section in memory only, for one write of several sections
  // (Write); false, and nothing set, for a text with a line break.
  bool SetStrings(const std::string& section, const std::vector<std::pair<std::string, std::string>>& keyValues);
  // Writes the profile as it stands in memory; false when the file cannot be written.
  bool Write() const { return Save(); }
  // Whether the profile has the section (with or without keys).
  bool HasSection(const std::string& section) const;

  // Removes a key in memory (every line of that name); the next write leaves it out.
  void Erase(const std::string& section, const std::string& key);

  const std::string& Path() const { return path_; }
  // Writes go to another file from now on.
  void SetPath(std::string path) { path_ = std::move(path); }

 private:
  // A line of the file. Lines that are not "key=value" (comments, blanks, anything
  // unrecognised) are kept verbatim in `raw` so that a rewrite preserves them.
  struct Entry {
    std::string key, value;
    bool isRaw = false;
    std::string raw;
  };
  // `header` is the section's line as read ("" for a section added by WriteString);
  // the lines before the first section belong to a leading section with no header.
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    bool preamble = false;
    std::string header;
  };
  void Parse(const std::string& text);
  std::string Serialize() const;
  bool Save() const;
  bool SaveInPlace(const std::string& target) const;
  // Sets a key in memory only.
  void Put(const std::string& section, const std::string& key, const std::string& value);
  Section* FindSection(const std::string& name);
  const Section* FindSection(const std::string& name) const;

  std::string path_;
  std::vector<Section> sections_;
};

}  // namespace plat
