// Fuzz target: the word-list image (dojokai.bin) as the word drills read it. The bytes are
// the whole file; every category is drawn from whether or not the check byte is right (the
// picker must stay inside any image), and the about text is made both from the image as it
// is and from the image with its check byte set right, so the label is reached too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "game/PlayState.h"
#include "drill/WordList.h"

namespace {

constexpr size_t kCapacity = 65000;  // the drill text buffer of the word drills

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "word-list fuzz: %s\n", what);
    std::abort();
  }
}

bool IsUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

void CheckFinish(std::vector<uint8_t> image) {
  drill::WordList list;
  list.SetImage(std::move(image));
  const bool usable = list.CheckWordList() == 0;
  plat::GameRandom random;
  const auto result = list.Finish(random);
  Require(result.builtin == !usable, "Finish disagrees with CheckWordList");
  Require(result.aboutText.rfind("[DIC]", 0) == 0, "about text without [DIC]");
  Require(IsUtf8(result.aboutText), "about text is not UTF-8");
  if (result.builtin) Require(list.Image().size() == drill::WordList::kBuiltinSize, "built-in list size");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> image(data, data + size);
  drill::WordList list;
  list.SetImage(image);

  static const auto buffer = std::make_unique<uint8_t[]>(kCapacity);
  plat::GameRandom random;
  int lastPick = 0;
  uint8_t lastInitial = 0;
  for (int category = 0; category < drill::WordList::kCategories; ++category) {
    std::memset(buffer.get(), 0, kCapacity);
    const int rc = list.FillWordText(category, buffer.get(), kCapacity, lastPick, lastInitial, random, 20260101u);
    Require(rc >= 0 && rc <= 2, "FillWordText result out of range");
    if (rc != 0) {
      for (size_t i = 0; i < kCapacity; ++i) Require(buffer[i] == 0, "failed fill wrote to the buffer");
    }
    Require(buffer[kCapacity - 1] == 0, "text not terminated inside the buffer");
  }

  // The drill texts as the word drills make them, on a play state of their own.
  static const auto state = std::make_unique<game::PlayState>();
  state->LastWordPick = 0;
  state->LastWordInitial = 0;
  list.FillLatinWordText(*state, random, 77u);
  list.FillKanaWordText(*state, random, 78u);

  CheckFinish(image);
  if (!image.empty()) {
    uint8_t sum = 0;
    for (size_t i = 0; i + 1 < image.size(); ++i) sum ^= image[i];
    image.back() = sum;
    CheckFinish(std::move(image));
  }
  return 0;
}
