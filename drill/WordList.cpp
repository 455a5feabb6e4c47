#include "drill/WordList.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/Cp932.h"
#include "platform/Files.h"

namespace drill {
namespace {

constexpr size_t kDirectoryOffset = 16;
constexpr size_t kLengthTableBytes = 255 * 4;  // entry 0 is never read
constexpr size_t kGroupHeaderBytes = 4;        // u16 unused, u16 word count

// About-screen caption of the built-in list.
constexpr char kBuiltinAboutText[] = "[DIC]Ver20120101|00:00:00";

uint32_t ReadU32(const std::vector<uint8_t>& image, size_t at) {
  return static_cast<uint32_t>(image[at]) | static_cast<uint32_t>(image[at + 1]) << 8 |
         static_cast<uint32_t>(image[at + 2]) << 16 | static_cast<uint32_t>(image[at + 3]) << 24;
}

uint16_t ReadU16(const std::vector<uint8_t>& image, size_t at) {
  return static_cast<uint16_t>(image[at] | image[at + 1] << 8);
}

void WriteU32(std::vector<uint8_t>& image, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void WriteU16(std::vector<uint8_t>& image, size_t at, uint16_t value) {
  image[at] = static_cast<uint8_t>(value);
  image[at + 1] = static_cast<uint8_t>(value >> 8);
}

// One built-in block: "DIC" in entry 0, every length 1..20 sharing one pool of 256
// random bytes at block + 1024, whose first four bytes become the group header (N = 10).
template <typename Draw>
void BuildBuiltinBlock(std::vector<uint8_t>& image, size_t block, Draw draw) {
  std::memcpy(&image[block], "DIC", 4);
  for (size_t length = 1; length <= 20; ++length) WriteU32(image, block + 4 * length, 1024);
  const size_t pool = block + 1024;
  for (size_t i = 0; i < 256; ++i) image[pool + i] = draw();
  WriteU16(image, pool, 0x01FF);
  WriteU16(image, pool + 2, 10);
}

// A uniform number 0..n-1 (n >= 1). One draw gives 15 bits; lists with more than 32768
// words take two draws (30 bits). Draws at or above the largest multiple of n are thrown
// away and drawn again, so that no word is favoured by the remainder.
uint64_t UniformBelow(plat::GameRandom& random, uint64_t n) {
  const bool wide = n > (uint64_t{1} << 15);
  const uint64_t range = wide ? uint64_t{1} << 30 : uint64_t{1} << 15;
  const uint64_t limit = range - range % n;
  for (;;) {
    uint64_t r = static_cast<uint64_t>(random.Next());
    if (wide) r = r << 15 | static_cast<uint64_t>(random.Next());
    if (r < limit) return r % n;
  }
}

// A word group that lies wholly inside the image.
struct Group {
  size_t length;  // bytes per word
  size_t count;   // words
  size_t words;   // offset of the first word
};

uint8_t FoldInitial(uint8_t c) { return c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c - 'A' + 'a') : c; }

}  // namespace

void WordList::Load(const std::string& path) {
  auto bytes = plat::ReadWholeFile(path);
  if (bytes) {
    image_ = std::move(*bytes);
  } else {
    image_.clear();
  }
}

int WordList::CheckWordList() const {
  if (image_.size() < kMinFileSize) return 1;
  uint8_t sum = 0;
  for (size_t i = 0; i + 1 < image_.size(); ++i) sum ^= image_[i];
  return sum == image_.back() ? 0 : 1;
}

void WordList::BuildBuiltinWordList(plat::GameRandom& random) {
  image_.assign(kBuiltinSize, 0);
  for (int c = 0; c < kCategories; ++c) WriteU32(image_, kDirectoryOffset + 4 * c, c < 4 ? 256 : 4096);
  BuildBuiltinBlock(image_, 256, [&] { return static_cast<uint8_t>('a' + random.Below(26)); });
  BuildBuiltinBlock(image_, 4096, [&] { return static_cast<uint8_t>(0xB1 + random.Below(40)); });
}

WordList::LoadResult WordList::Finish(plat::GameRandom& random) {
  if (CheckWordList() != 0) {
    BuildBuiltinWordList(random);
    return {true, kBuiltinAboutText};
  }
  // The label ends at its first NUL, or at the end of the image when it has none; the
  // about screen shows the part before its first comma (0x2C is never a CP932 trail byte).
  const auto* begin = reinterpret_cast<const char*>(image_.data()) + kLabelOffset;
  const std::string_view rest(begin, image_.size() - kLabelOffset);
  const std::string_view label = rest.substr(0, rest.find('\0'));
  const size_t comma = label.find(',');
  if (comma == std::string_view::npos) return {false, "[DIC]"};
  return {false, "[DIC]" + plat::cp932::ToUtf8(label.substr(0, comma))};
}

int WordList::FillWordText(int category, uint8_t* buffer, size_t capacity, int& lastPick, uint8_t& lastInitial,
                           plat::GameRandom& random, uint64_t seed) const {
  const size_t size = image_.size();
  if (size <= kLabelOffset) return 1;
  if (category < 0 || category >= kCategories) return 2;
  // Offsets come from the file: everything is added up in 64 bits and checked against
  // the image size before a byte is read.
  const uint64_t block = ReadU32(image_, kDirectoryOffset + 4 * static_cast<size_t>(category));
  if (block < kLabelOffset) return 2;
  if (block >= size || block + kLengthTableBytes > size) return 1;

  // Groups that reach past the end of the image are left out as if absent.
  std::vector<Group> groups;
  uint64_t total = 0;
  for (size_t length = 1; length <= kMaxWordLength; ++length) {
    const uint32_t entry = ReadU32(image_, block + 4 * length);
    if (entry == 0) continue;
    const uint64_t at = block + entry;
    if (at + kGroupHeaderBytes > size) continue;
    const size_t count = ReadU16(image_, at + 2);
    const uint64_t words = at + kGroupHeaderBytes;
    if (words + uint64_t{count} * length > size) continue;
    groups.push_back({length, count, static_cast<size_t>(words)});
    total += count;
  }
  if (total == 0) return 0;

  random.Seed(static_cast<uint32_t>(seed));
  size_t written = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    // The fresh draw is compared with the pick of last time before it becomes 1-based;
    // on a match it is drawn once more, and the second draw stands.
    uint64_t k = UniformBelow(random, total);
    if (static_cast<int64_t>(k) == lastPick) k = UniformBelow(random, total);
    k += 1;
    lastPick = static_cast<int>(k);

    // Every word has the same chance whatever its length: walk the groups by length.
    uint64_t before = 0;
    auto group = groups.begin();
    while (before + group->count < k) before += (group++)->count;
    const size_t index = static_cast<size_t>(k - before - 1);
    const uint8_t* word = image_.data() + group->words + index * group->length;

    // Two words in a row never start with the same letter or kana.
    const uint8_t initial = FoldInitial(word[0]);
    if (initial == lastInitial) continue;
    // The word, its space and the NUL behind must fit (only a tiny buffer can fail this).
    if (written + group->length + 2 > capacity) break;
    lastInitial = initial;
    std::memcpy(buffer + written, word, group->length);
    written += group->length;
    buffer[written++] = ' ';
    buffer[written] = 0;
    if (written + 255 >= capacity) break;
  }
  return 0;
}

void WordList::FillLatinWordText(game::PlayState& state, plat::GameRandom& random, uint64_t seed) const {
  auto& text = state.LatinWordText;
  text.bytes.fill(0);
  for (int attempt = 1; attempt <= 10; ++attempt) {
    const int category = attempt == 10 ? 0 : random.Below(4);
    if (FillWordText(category, text.data(), text.Capacity(), state.LastWordPick, state.LastWordInitial, random, seed) ==
        0)
      return;
  }
}

void WordList::FillKanaWordText(game::PlayState& state, plat::GameRandom& random, uint64_t seed) const {
  auto& text = state.KanaWordText;
  text.bytes.fill(0);
  for (int attempt = 1; attempt <= 10; ++attempt) {
    int category = 4;
    if (attempt < 10) {
      // A draw of 0..3 names no kana category and uses up the try.
      category = random.Below(8);
      if (category < 4) continue;
    }
    if (FillWordText(category, text.data(), text.Capacity(), state.LastWordPick, state.LastWordInitial, random, seed) ==
        0)
      return;
  }
}

}  // namespace drill
