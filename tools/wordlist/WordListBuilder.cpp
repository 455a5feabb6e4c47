#include "tools/wordlist/WordListBuilder.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <regex>

#include "platform/Cp932.h"
#include "tools/wordlist/HalfWidthKana.h"

namespace wordlist {
namespace {

constexpr char kMagic[] = "DOJOKAI WORDLIST";  // the 16 bytes the game does not read
static_assert(sizeof kMagic - 1 == 16);
constexpr size_t kDirectoryOffset = 16;
constexpr size_t kLabelOffset = 256;
constexpr size_t kLengthTableBytes = 255 * 4;
constexpr size_t kMinFileSize = 512;
constexpr size_t kMaxWordLength = 254;
constexpr size_t kMaxGroupWords = 65535;

void PutU16(std::vector<uint8_t>& image, uint16_t v) {
  image.push_back(static_cast<uint8_t>(v));
  image.push_back(static_cast<uint8_t>(v >> 8));
}

void SetU32(std::vector<uint8_t>& image, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) image[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// Why a Latin word cannot be typed, or "".
std::string LatinProblem(std::string_view word) {
  for (size_t i = 0; i < word.size(); ++i) {
    const auto c = static_cast<unsigned char>(word[i]);
    if (c == ' ' || c == '\t') return "a word must not contain spaces";
    if (c < 0x21 || c > 0x7E) return "only printable ASCII characters can be typed without the kana lock";
    // The ろ key sends '_' followed by its own '\', and the drill drops a '\' right after '_'.
    if (c == '\\' && i > 0 && word[i - 1] == '_') return "'\\' right after '_' cannot be typed";
  }
  return "";
}

}  // namespace

std::string WordListBuilder::AddWord(int category, std::string_view utf8) {
  if (category < 0 || category >= kCategories) return "no such category";
  std::string bytes;
  if (IsKanaCategory(category)) {
    std::string why;
    auto kana = ToHalfWidthKana(utf8, &why);
    if (!kana) return why + " (kana categories take katakana only)";
    bytes = std::move(*kana);
  } else {
    if (auto problem = LatinProblem(utf8); !problem.empty()) return problem;
    bytes = std::string(utf8);
  }
  if (bytes.empty()) return "empty word";
  if (bytes.size() > kMaxWordLength) return "longer than 254 characters";
  if (!words_[category].insert(bytes).second) return "the word is listed twice in its category";
  return "";
}

std::string WordListBuilder::SetLabel(std::string_view utf8) {
  if (!label_.empty()) return "a second #label; the list has one label";
  if (utf8.find('\0') != std::string_view::npos) return "the label must not contain NUL";
  static const std::regex kForm(R"(Ver[0-9]{8}\|[0-2][0-9]:[0-5][0-9]:[0-5][0-9],.*)");
  if (!std::regex_match(utf8.begin(), utf8.end(), kForm))
    return "the label must read Ver<yyyymmdd>|<hh:mm:ss>,<description>";
  auto bytes = plat::cp932::FromUtf8(utf8);
  if (!bytes) return "the label has characters that code page 932 cannot hold";
  label_ = std::move(*bytes);
  return "";
}

bool WordListBuilder::AddSource(std::string_view text, const std::string& name) {
  const size_t errorsBefore = errors_.size();
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // byte-order mark
  int category = -1;
  size_t lineNumber = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    const auto fail = [&](const std::string& message) {
      errors_.push_back(name + ":" + std::to_string(lineNumber) + ": " + message);
    };
    if (line.empty() || line == "#" || line.starts_with("# ") || line.starts_with("#\t")) continue;
    if (line.starts_with("#category")) {
      const std::string_view arg = Trim(line.substr(9));
      if (arg.size() != 1 || arg[0] < '0' || arg[0] > '7') {
        fail("#category takes a number 0..7");
        category = -1;
      } else {
        category = arg[0] - '0';
      }
    } else if (line.starts_with("#label")) {
      if (auto problem = SetLabel(Trim(line.substr(6))); !problem.empty()) fail(problem);
    } else if (line.starts_with("#")) {
      fail("unknown directive '" + std::string(line) + "'");
    } else if (category < 0) {
      fail("word '" + std::string(line) + "' before any valid #category line");
    } else if (auto problem = AddWord(category, line); !problem.empty()) {
      fail("word '" + std::string(line) + "' (category " + std::to_string(category) + "): " + problem);
    }
  }
  return errors_.size() == errorsBefore;
}

std::vector<uint8_t> WordListBuilder::Build() {
  if (label_.empty()) {
    errors_.push_back("no #label line in any source");
    return {};
  }
  std::vector<uint8_t> image(kLabelOffset, 0);
  std::memcpy(image.data(), kMagic, 16);
  image.insert(image.end(), label_.begin(), label_.end());
  image.push_back(0);

  for (int category = 0; category < kCategories; ++category) {
    if (words_[category].empty()) continue;  // directory entry 0: no such category
    std::map<size_t, std::vector<const std::string*>> byLength;
    for (const auto& word : words_[category]) byLength[word.size()].push_back(&word);
    while (image.size() % 4 != 0) image.push_back(0);
    const size_t block = image.size();
    SetU32(image, kDirectoryOffset + 4 * category, static_cast<uint32_t>(block));
    image.resize(block + kLengthTableBytes, 0);
    for (const auto& [length, words] : byLength) {
      if (words.size() > kMaxGroupWords) {
        errors_.push_back("category " + std::to_string(category) + " has more than 65535 words of length " +
                          std::to_string(length));
        return {};
      }
      SetU32(image, block + 4 * length, static_cast<uint32_t>(image.size() - block));
      PutU16(image, 0x01FF);
      PutU16(image, static_cast<uint16_t>(words.size()));
      for (const auto* word : words) image.insert(image.end(), word->begin(), word->end());
    }
  }
  if (image.size() >= std::numeric_limits<uint32_t>::max()) {
    errors_.push_back("the word list does not fit in 4 GiB");
    return {};
  }
  // The game refuses lists shorter than 512 bytes.
  if (image.size() < kMinFileSize - 1) image.resize(kMinFileSize - 1, 0);
  uint8_t sum = 0;
  for (uint8_t b : image) sum ^= b;
  image.push_back(sum);
  return image;
}

bool WriteImage(const std::string& path, const std::vector<uint8_t>& image, std::string& error) {
  // Written beside and renamed into place, so a failed write never leaves half a list.
  const std::string temporary = path + ".part";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  out.close();
  if (!out || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace wordlist
