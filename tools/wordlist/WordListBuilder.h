#pragma once
// Builds dojokai.bin, the word list of the HAO and ﾃﾐｽ drills, from plain UTF-8 sources.
//
// A source has one word per line. Lines starting with "# " (or a lone "#") are comments;
// two directives start with '#' too:
//   #category N   the words that follow belong to category N (0..3 Latin, 4..7 kana)
//   #label TEXT   the list's label, "Ver<yyyymmdd>|<hh:mm:ss>,<description>"; once in all
// Latin words may use the printable ASCII characters a JIS keyboard types without the
// kana lock; kana words are written in katakana and stored as half-width katakana.
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace wordlist {

constexpr int kCategories = 8;
constexpr bool IsKanaCategory(int category) { return category >= 4; }

class WordListBuilder {
 public:
  // Adds the words and directives of one source text. Problems are kept in Errors() as
  // "NAME:LINE: message" and the bad lines are skipped; false when this source had any.
  bool AddSource(std::string_view text, const std::string& name);
  // Adds one word (UTF-8) to a category; "" when taken, else why not.
  std::string AddWord(int category, std::string_view utf8);
  // Sets the label (UTF-8); "" when taken, else why not.
  std::string SetLabel(std::string_view utf8);

  // The file image: header, directory, label, one block per category that has words,
  // the XOR check byte. Empty (with the reasons in Errors()) when no file can be made.
  std::vector<uint8_t> Build();

  const std::vector<std::string>& Errors() const { return errors_; }
  bool HasLabel() const { return !label_.empty(); }
  size_t WordCount(int category) const { return words_[category].size(); }

 private:
  std::string label_;                                     // CP932
  std::array<std::set<std::string>, kCategories> words_;  // CP932, sorted, unique
  std::vector<std::string> errors_;
};

// Writes the image to `path`; false (with `error` set) when the file cannot be written.
bool WriteImage(const std::string& path, const std::vector<uint8_t>& image, std::string& error);

}  // namespace wordlist
