#pragma once
// The word list of the two word drills (HAO, ﾃﾐｽ): the whole dojokai.bin file held in
// memory, or a small built-in list in its place, and the picker that fills a drill text
// with random words of one category.
//
// File layout (little-endian): directory of eight u32 block offsets at 16 (below 256: no
// such category), label text at 256 ("Ver...|..,about"), category blocks anywhere from
// 256 on, and an XOR check byte at the very end. A block is a table of 255 u32 entries;
// entry L (1..254) is the offset from the block of the group of words L bytes long
// (0: none). A group is a u16 (unused), a u16 word count N and N words of L bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/PlayState.h"
#include "platform/Random.h"

namespace drill {

class WordList {
 public:
  // What the start-up shows about the list that is in use.
  struct LoadResult {
    bool builtin = false;   // the file was missing or damaged: the built-in list is used
    std::string aboutText;  // UTF-8 caption of the about screen's word-list line
  };

  // Image sizes and offsets of the format.
  static constexpr size_t kMinFileSize = 512;
  static constexpr size_t kLabelOffset = 256;
  static constexpr size_t kBuiltinSize = 8192;
  static constexpr int kCategories = 8;
  static constexpr size_t kMaxWordLength = 254;

  // Reads the whole file into the image; any failure leaves the image empty.
  void Load(const std::string& path);
  // 0 when the image is usable, 1 when it is shorter than 512 bytes or its last byte is
  // not the XOR of all bytes before it.
  int CheckWordList() const;
  // Replaces the image with the 8192-byte built-in list: random letter pools for the
  // Latin categories 0..3, random kana pools (ｱ..ﾘ) for the kana categories 4..7.
  void BuildBuiltinWordList(plat::GameRandom& random);
  // The second half of loading: checks the image, falls back to the built-in list, and
  // tells what the about screen shows.
  LoadResult Finish(plat::GameRandom& random);

  // Appends random words of `category` to `buffer`, each followed by a space and a NUL.
  // 0: done (also when the category has no words; the buffer is then unchanged),
  // 1: the image is too small or the category block does not fit in it,
  // 2: the directory has no block for the category.
  // `seed` (a high-resolution counter value) reseeds `random` before the words are drawn.
  int FillWordText(int category, uint8_t* buffer, size_t capacity, int& lastPick, uint8_t& lastInitial,
                   plat::GameRandom& random, uint64_t seed) const;

  // The drill texts of the HAO and ﾃﾐｽ drills: up to ten tries with random categories
  // (0..3, resp. 4..7), the last try with category 0, resp. 4. When every try fails the
  // text stays empty.
  void FillLatinWordText(game::PlayState& state, plat::GameRandom& random, uint64_t seed) const;
  void FillKanaWordText(game::PlayState& state, plat::GameRandom& random, uint64_t seed) const;

  const std::vector<uint8_t>& Image() const { return image_; }
  void SetImage(std::vector<uint8_t> image) { image_ = std::move(image); }

 private:
  std::vector<uint8_t> image_;
};

}  // namespace drill
