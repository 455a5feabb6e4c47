// Thousands of random and mutated word-list images: the reader answers each with one of
// its results and never reads or writes outside the image and the buffer (the sanitizer
// build of the suite runs this too).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "drill/WordList.h"
#include "platform/Random.h"

namespace {

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4 && at + i < b.size(); ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A small valid image: two categories sharing one block with words of lengths 2 and 3.
std::vector<uint8_t> ValidImage() {
  std::vector<uint8_t> b(2048, 0);
  for (int c = 0; c < 8; ++c) PutU32(b, 16 + 4 * c, 512);
  std::memcpy(&b[256], "Ver20261206|10:00:00,test", 26);
  PutU32(b, 512 + 4 * 2, 1100);  // group of length 2 at 1612
  PutU32(b, 512 + 4 * 3, 1200);  // group of length 3 at 1712
  b[1612] = 0xFF, b[1613] = 0x01, b[1614] = 3, b[1615] = 0;
  std::memcpy(&b[1616], "abcdef", 6);
  b[1712] = 0xFF, b[1713] = 0x01, b[1714] = 2, b[1715] = 0;
  std::memcpy(&b[1716], "xyzuvw", 6);
  return b;
}

void Seal(std::vector<uint8_t>& b) {
  if (b.empty()) return;
  uint8_t sum = 0;
  for (size_t i = 0; i + 1 < b.size(); ++i) sum ^= b[i];
  b.back() = sum;
}

TEST(WordListFuzzTest, RandomAndMutatedImagesNeverReachOutsideImageOrBuffer) {
  std::mt19937 gen(20261207);
  auto below = [&](uint32_t n) { return static_cast<uint32_t>(gen() % n); };
  const std::vector<uint8_t> valid = ValidImage();
  constexpr size_t kGuard = 64;
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> image;
    switch (round % 4) {
      case 0:  // pure noise of any size around the limits
        image.resize(below(3) == 0 ? below(600) : below(5000));
        for (auto& b : image) b = static_cast<uint8_t>(gen());
        break;
      case 1:  // a valid image with some bytes changed
        image = valid;
        for (uint32_t n = 1 + below(8); n > 0; --n)
          image[below(static_cast<uint32_t>(image.size()))] = static_cast<uint8_t>(gen());
        break;
      case 2:  // directory and length tables aimed near and past the end, huge word counts
        image = valid;
        PutU32(image, 16 + 4 * below(8), below(2) ? below(4000) : gen());
        PutU32(image, 512 + 4 * (1 + below(254)), below(2) ? below(2000) : gen());
        image[1614 + 100 * below(2)] = static_cast<uint8_t>(gen());
        image[1615 + 100 * below(2)] = static_cast<uint8_t>(gen());
        break;
      default:  // a valid image cut short or with no NUL after its label
        image = valid;
        if (below(2)) std::fill(image.begin() + 256, image.begin() + 512, 'x');
        image.resize(std::max<size_t>(1, below(static_cast<uint32_t>(image.size()) + 200)));
        break;
    }
    if (below(2)) Seal(image);
    drill::WordList list;
    list.SetImage(image);
    const int check = list.CheckWordList();
    ASSERT_TRUE(check == 0 || check == 1);
    plat::GameRandom random;
    const size_t capacity = below(3) == 0 ? 300 + below(300) : 65000;
    std::vector<uint8_t> buffer(capacity + kGuard, 0xA5);
    std::fill(buffer.begin(), buffer.begin() + static_cast<long>(capacity), 0);
    int lastPick = 0;
    uint8_t lastInitial = 0;
    for (int category = 0; category < 8; ++category) {
      const int result = list.FillWordText(category, buffer.data(), capacity, lastPick, lastInitial, random, gen());
      ASSERT_TRUE(result >= 0 && result <= 2) << round;
      for (size_t g = capacity; g < buffer.size(); ++g) ASSERT_EQ(buffer[g], 0xA5) << "round " << round;
    }
    // Finish never reads past the image for the about text either.
    const drill::WordList::LoadResult shown = list.Finish(random);
    EXPECT_EQ(shown.aboutText.rfind("[DIC]", 0), 0u);
  }
}

}  // namespace
