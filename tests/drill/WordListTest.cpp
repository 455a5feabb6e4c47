#include "drill/WordList.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>

namespace {

using drill::WordList;

// A word-list image laid out by hand, independent of the builder tool.
class Image {
 public:
  explicit Image(size_t size) : bytes_(size, 0) {}
  Image& U32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
    return *this;
  }
  Image& U16(size_t at, uint16_t v) {
    bytes_[at] = static_cast<uint8_t>(v);
    bytes_[at + 1] = static_cast<uint8_t>(v >> 8);
    return *this;
  }
  Image& Text(size_t at, std::string_view text) {
    std::memcpy(&bytes_[at], text.data(), text.size());
    return *this;
  }
  Image& Directory(int category, uint32_t block) { return U32(16 + 4 * category, block); }
  // A group of words of one length at block + offset, entered in the block's length table.
  Image& Group(size_t block, size_t offset, const std::vector<std::string>& words) {
    const size_t length = words.front().size();
    U32(block + 4 * length, static_cast<uint32_t>(offset));
    U16(block + offset, 0x01FF).U16(block + offset + 2, static_cast<uint16_t>(words.size()));
    for (size_t i = 0; i < words.size(); ++i) Text(block + offset + 4 + i * length, words[i]);
    return *this;
  }
  // Sets the last byte to the XOR of all others.
  std::vector<uint8_t> Sealed() const {
    auto out = bytes_;
    uint8_t sum = 0;
    for (size_t i = 0; i + 1 < out.size(); ++i) sum ^= out[i];
    out.back() = sum;
    return out;
  }

 private:
  std::vector<uint8_t> bytes_;
};

WordList ListOf(std::vector<uint8_t> bytes) {
  WordList list;
  list.SetImage(std::move(bytes));
  return list;
}

// The words of a filled text: each word is followed by one space, the text ends in a NUL.
std::vector<std::string> WordsOf(const uint8_t* buffer) {
  std::istringstream in(reinterpret_cast<const char*>(buffer));
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

struct Fill {
  int result;
  std::vector<std::string> words;
  std::string text;
};

Fill FillOnce(const WordList& list, int category, uint64_t seed, int& lastPick, uint8_t& lastInitial,
              size_t capacity = 65000) {
  std::vector<uint8_t> buffer(capacity + 1, 0);
  plat::GameRandom random;
  const int result = list.FillWordText(category, buffer.data(), capacity, lastPick, lastInitial, random, seed);
  return {result, WordsOf(buffer.data()), reinterpret_cast<const char*>(buffer.data())};
}

Fill FillOnce(const WordList& list, int category, uint64_t seed = 1) {
  int lastPick = 0;
  uint8_t lastInitial = 0;
  return FillOnce(list, category, seed, lastPick, lastInitial);
}

TEST(WordListTest, CheckAcceptsOnlyWholeImagesOfAtLeast512BytesWithTheirXorByte) {
  EXPECT_EQ(ListOf({}).CheckWordList(), 1);
  EXPECT_EQ(ListOf(Image(511).Sealed()).CheckWordList(), 1);
  EXPECT_EQ(ListOf(Image(512).Sealed()).CheckWordList(), 0);

  // Changing any single byte, the check byte included, breaks the check.
  std::vector<uint8_t> good = Image(600).Text(20, "word list").Text(256, "Ver1|2,x").Sealed();
  ASSERT_EQ(ListOf(good).CheckWordList(), 0);
  for (size_t i = 0; i < good.size(); ++i) {
    auto damaged = good;
    damaged[i] ^= 0x10;
    EXPECT_EQ(ListOf(damaged).CheckWordList(), 1) << "byte " << i;
  }
}

TEST(WordListTest, BuiltinListIsTheFixed8192ByteImageWithRandomPools) {
  plat::GameRandom random;
  random.Seed(1234);
  WordList list;
  list.BuildBuiltinWordList(random);
  const auto& b = list.Image();
  ASSERT_EQ(b.size(), 8192u);

  // The pools take 256 letter draws, then 256 kana draws, from where the generator stood.
  plat::GameRandom replay;
  replay.Seed(1234);
  std::vector<uint8_t> letters(256), kana(256);
  for (auto& c : letters) c = static_cast<uint8_t>('a' + replay.Below(26));
  for (auto& c : kana) c = static_cast<uint8_t>(0xB1 + replay.Below(40));
  EXPECT_EQ(random.State(), replay.State());

  auto u32 = [&](size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t{b[at + 3]} << 24; };
  for (int c = 0; c < 8; ++c) EXPECT_EQ(u32(16 + 4 * c), c < 4 ? 256u : 4096u);
  for (size_t block : {size_t{256}, size_t{4096}}) {
    EXPECT_EQ(std::memcmp(&b[block], "DIC", 4), 0);
    for (size_t l = 1; l <= 254; ++l) EXPECT_EQ(u32(block + 4 * l), l <= 20 ? 1024u : 0u) << l;
    EXPECT_EQ(b[block + 1024], 0xFF);
    EXPECT_EQ(b[block + 1025], 0x01);
    EXPECT_EQ(b[block + 1026], 10);
    EXPECT_EQ(b[block + 1027], 0);
    const auto& pool = block == 256 ? letters : kana;
    EXPECT_TRUE(std::equal(pool.begin() + 4, pool.end(), b.begin() + block + 1028));
  }
  // Everything else is zero: per block "DIC", one non-zero byte in each of the 20 table
  // entries, the pool less the high byte of N; one non-zero byte per directory entry.
  size_t nonZero = 0;
  for (uint8_t x : b) nonZero += x != 0;
  EXPECT_EQ(nonZero, 2 * (3 + 20 + 255) + 8);
}

TEST(WordListTest, FinishFallsBackToTheBuiltinListOrShowsTheLabelUpToItsComma) {
  plat::GameRandom random;
  QTemporaryDir dir;
  WordList missing;
  missing.Load(dir.filePath("missing.bin").toStdString());
  EXPECT_TRUE(missing.Image().empty());
  auto result = missing.Finish(random);
  EXPECT_TRUE(result.builtin);
  EXPECT_EQ(result.aboutText, "[DIC]Ver20120101|00:00:00");
  EXPECT_EQ(missing.Image().size(), 8192u);

  auto shown = [&](std::vector<uint8_t> bytes) {
    WordList list = ListOf(std::move(bytes));
    auto r = list.Finish(random);
    EXPECT_FALSE(r.builtin);
    return r.aboutText;
  };
  EXPECT_EQ(shown(Image(600).Text(256, "Ver20261206|10:00:00,more, text").Sealed()), "[DIC]Ver20261206|10:00:00");
  EXPECT_EQ(shown(Image(600).Text(256, "no comma here").Sealed()), "[DIC]");
  EXPECT_EQ(shown(Image(600).Text(256, ",").Sealed()), "[DIC]");
  // The label is CP932: 単語 is 0x92 0x50 0x8C 0xEA.
  EXPECT_EQ(shown(Image(600).Text(256, "\x92\x50\x8C\xEA,x").Sealed()), "[DIC]単語");
  // A label without NUL ends with the image; the comma is found in its last bytes.
  Image full(512);
  for (size_t i = 256; i < 509; ++i) full.Text(i, "v");
  full.Text(509, ",w");
  auto bytes = full.Sealed();
  EXPECT_EQ(shown(bytes), "[DIC]" + std::string(253, 'v'));
  // A damaged file also falls back.
  bytes[300] ^= 1;
  WordList damaged = ListOf(bytes);
  EXPECT_TRUE(damaged.Finish(random).builtin);
}

TEST(WordListTest, FillReportsMissingCategoriesAndBlocksOutsideTheImage) {
  EXPECT_EQ(FillOnce(ListOf(std::vector<uint8_t>(256, 0)), 0).result, 1);

  Image image(4096);
  image
      .Directory(0, 255)                     // below 256: no such category
      .Directory(1, 4096)                    // at the end of the image
      .Directory(2, 0xFFFFFFFF)              // far beyond it
      .Directory(3, 4096 - 1019)             // its length table would run past the end
      .Directory(4, 256)                     // a block without groups
      .Directory(5, 1300);                   // a block with groups, some of them broken
  image.Group(1300, 1024, {"ab", "cd"});     // 1300 + 1024 + 4 + 4 = 2332, inside
  image.U32(1300 + 4 * 3, 4096 - 1300 - 5);  // header fits, 3 words of 3 bytes do not
  image.U16(4096 - 5 + 2, 3);
  image.U32(1300 + 4 * 4, 4096 - 1300 - 2);                  // the header itself runs past the end
  image.U32(1300 + 4 * 5, 0xFFFFFFEC);                       // 1300 + this wraps to 1280 in 32 bits,
  image.U16(1280, 0x01FF).U16(1282, 1).Text(1284, "zzzzz");  // where a bogus group lies
  const WordList list = ListOf(image.Sealed());

  EXPECT_EQ(FillOnce(list, 0).result, 2);
  EXPECT_EQ(FillOnce(list, 1).result, 1);
  EXPECT_EQ(FillOnce(list, 2).result, 1);
  EXPECT_EQ(FillOnce(list, 3).result, 1);
  EXPECT_EQ(FillOnce(list, 6).result, 2) << "directory entry 0";

  const Fill empty = FillOnce(list, 4);
  EXPECT_EQ(empty.result, 0);
  EXPECT_EQ(empty.text, "") << "no words: the buffer stays as it was";

  // Only the group that lies inside the image gives words.
  const Fill broken = FillOnce(list, 5);
  EXPECT_EQ(broken.result, 0);
  ASSERT_FALSE(broken.words.empty());
  for (const auto& w : broken.words) EXPECT_TRUE(w == "ab" || w == "cd") << w;
}

TEST(WordListTest, WordsAreDrawnEvenlyWithoutRepeatingTheirInitial) {
  // Lengths 3 and 5 with 10 and 30 words: about three words in four are five letters long.
  std::vector<std::string> three, five;
  for (int i = 0; i < 10; ++i) three.push_back(std::string(1, static_cast<char>('a' + i)) + "xx");
  // Half of the five-letter words begin with a capital, to meet the three-letter ones.
  for (int i = 0; i < 30; ++i) {
    const char initial = static_cast<char>((i % 2 ? 'A' : 'a') + i % 26);
    five.push_back(initial + std::string("yy") + std::to_string(10 + i));
  }
  Image image(2048);
  image.Directory(0, 256).Group(256, 1024, three).Group(256, 1100, five);
  const WordList list = ListOf(image.Sealed());

  int lastPick = 0;
  uint8_t lastInitial = 0;
  size_t fives = 0, all = 0;
  char previous = 0;
  std::set<std::string> seen;
  for (uint64_t seed = 1; seed <= 20; ++seed) {
    const Fill fill = FillOnce(list, 0, seed * 7919, lastPick, lastInitial);
    ASSERT_EQ(fill.result, 0);
    // Every text is words, each with one space behind it.
    ASSERT_EQ(fill.text.back(), ' ');
    EXPECT_EQ(fill.text.find("  "), std::string::npos);
    for (const auto& w : fill.words) {
      const char initial = static_cast<char>(std::tolower(static_cast<unsigned char>(w[0])));
      EXPECT_NE(initial, previous) << "two words in a row start with " << initial;
      previous = initial;
      fives += w.size() == 5;
      ++all;
      seen.insert(w);
    }
    EXPECT_GE(lastPick, 1);
    EXPECT_LE(lastPick, 40);
    EXPECT_EQ(lastInitial, static_cast<uint8_t>(std::tolower(static_cast<unsigned char>(fill.words.back()[0]))));
  }
  EXPECT_EQ(seen.size(), 40u) << "every word is reachable";

  // The words depend on the seed alone, not on where the generator stood before.
  auto fillAfter = [&](uint32_t state, uint64_t seed) {
    std::vector<uint8_t> buffer(65001, 0);
    plat::GameRandom random;
    random.Seed(state);
    int pick = 0;
    uint8_t initial = 0;
    list.FillWordText(0, buffer.data(), 65000, pick, initial, random, seed);
    return std::string(reinterpret_cast<const char*>(buffer.data()));
  };
  EXPECT_EQ(fillAfter(1, 42), fillAfter(2, 42));
  EXPECT_NE(fillAfter(1, 42), fillAfter(1, 43));
  EXPECT_EQ(fillAfter(1, 42), fillAfter(1, 42 + (uint64_t{1} << 32))) << "the counter's low 32 bits seed";
  EXPECT_NEAR(static_cast<double>(fives) / all, 0.75, 0.04);
  // 1000 attempts per fill; only words with a repeated initial are skipped.
  EXPECT_GT(all, 20u * 900u);
}

TEST(WordListTest, AFreshDrawEqualToTheStoredPickIsDrawnOnceMore) {
  // Two words with different initials: a word is appended whenever the pick changes. The
  // 0-based draw is compared with the 1-based pick stored last time, so only after the
  // first word does a draw of the second get a second chance: the pick then changes in
  // one attempt of three (every other one without the rule, three of four with a 1-based
  // comparison).
  Image image(2048);
  image.Directory(0, 256).Group(256, 1024, {"ax", "by"});
  const WordList list = ListOf(image.Sealed());
  size_t words = 0;
  for (uint64_t seed = 1; seed <= 40; ++seed) {
    int lastPick = 0;
    uint8_t lastInitial = 0;
    words += FillOnce(list, 0, seed, lastPick, lastInitial).words.size();
  }
  EXPECT_NEAR(static_cast<double>(words) / (40 * 1000), 1.0 / 3, 0.03);
}

TEST(WordListTest, LargeCategoriesReachEveryWordAndSmallBuffersStayWithinTheirCapacity) {
  // 40000 four-letter words, more than one 15-bit draw can reach.
  std::vector<std::string> words;
  for (int i = 0; i < 40000; ++i) {
    std::string w;
    for (int n = i, d = 0; d < 4; ++d, n /= 26) w += static_cast<char>('a' + n % 26);
    words.push_back(w);
  }
  Image image(256 + 1024 + 4 + 40000 * 4 + 1);
  image.Directory(0, 256).Group(256, 1024, words);
  const WordList list = ListOf(image.Sealed());
  const Fill fill = FillOnce(list, 0);
  int highest = 0;
  for (const auto& w : fill.words) {
    int index = 0;
    for (int d = 3; d >= 0; --d) index = index * 26 + (w[d] - 'a');
    highest = std::max(highest, index);
  }
  EXPECT_GT(highest, 32767);

  // Filling stops once the text plus 255 reaches the capacity, and never writes past it.
  for (size_t capacity : {size_t{6}, size_t{255}, size_t{300}, size_t{1000}}) {
    std::vector<uint8_t> buffer(capacity + 64, 0xEE);
    std::fill(buffer.begin(), buffer.begin() + capacity, 0);
    int lastPick = 0;
    uint8_t lastInitial = 0;
    plat::GameRandom random;
    ASSERT_EQ(list.FillWordText(0, buffer.data(), capacity, lastPick, lastInitial, random, 5), 0);
    const size_t written = std::strlen(reinterpret_cast<const char*>(buffer.data()));
    EXPECT_LT(written, capacity) << capacity;
    EXPECT_EQ(written % 5, 0u) << "whole words with their spaces";
    EXPECT_GE(written + 255, capacity) << "stops at the capacity";
    if (written > 5) {
      EXPECT_LT(written - 5 + 255, capacity) << "and not a word earlier";
    }
    for (size_t i = capacity; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xEE) << capacity;
  }
}

TEST(WordListTest, DrillTextsTryRandomCategoriesAndFallBackToTheFirst) {
  // Only categories 0 and 4 exist: whatever the draws, the tenth try at the latest fills.
  Image image(4096);
  image.Directory(0, 256).Group(256, 1024, {"cat", "dog"});
  image.Directory(4, 1400).Group(1400, 1024, {"\xB1\xB2", "\xB3\xB4"});
  const WordList list = ListOf(image.Sealed());
  game::PlayState state;
  plat::GameRandom random;
  for (uint32_t seed = 0; seed < 20; ++seed) {
    random.Seed(seed);
    state.LatinWordText.bytes.fill('q');
    list.FillLatinWordText(state, random, seed);
    const auto latin = WordsOf(state.LatinWordText.data());
    ASSERT_FALSE(latin.empty());
    for (const auto& w : latin) EXPECT_TRUE(w == "cat" || w == "dog");
    EXPECT_EQ(state.LatinWordText.bytes[65000], 0);
    EXPECT_EQ(state.LatinWordText.bytes[64999], 0) << "the old content is cleared";

    list.FillKanaWordText(state, random, seed);
    const auto kana = WordsOf(state.KanaWordText.data());
    ASSERT_FALSE(kana.empty());
    for (const auto& w : kana) EXPECT_TRUE(w == "\xB1\xB2" || w == "\xB3\xB4");
  }

  // Generator states whose first ten draws never name the one category that exists: the
  // tenth try alone fills the text.
  auto seedAvoiding = [](int range, int avoid) {
    for (uint32_t seed = 0;; ++seed) {
      plat::GameRandom r;
      r.Seed(seed);
      bool hit = false;
      for (int i = 0; i < 10; ++i) hit |= r.Below(range) == avoid;
      if (!hit) return seed;
    }
  };
  random.Seed(seedAvoiding(4, 0));
  list.FillLatinWordText(state, random, 1);
  EXPECT_FALSE(WordsOf(state.LatinWordText.data()).empty());
  random.Seed(seedAvoiding(8, 4));
  list.FillKanaWordText(state, random, 1);
  EXPECT_FALSE(WordsOf(state.KanaWordText.data()).empty());

  // No category at all: the texts are left empty.
  const WordList none = ListOf(Image(600).Sealed());
  state.LatinWordText.bytes.fill('q');
  state.KanaWordText.bytes.fill('q');
  none.FillLatinWordText(state, random, 7);
  none.FillKanaWordText(state, random, 7);
  EXPECT_EQ(state.LatinWordText.View(), "");
  EXPECT_EQ(state.KanaWordText.View(), "");
}

}  // namespace
