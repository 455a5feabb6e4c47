#include <gtest/gtest.h>

#include <map>

#include "game/DrillJudge.h"
#include "platform/JisLayout.h"

namespace {

// The JIS kana layout as a player reads it off the key caps: each key's character and its
// kana, and the shifted characters of the keys whose Shift gives a kana of its own (# ｧ, < ､).
// The drill adds two: the ro key reaches it as its '_', and it takes Shift+ほ's '=' for ｰ.
std::map<uint8_t, uint8_t> KanaOfKeyCharacters() {
  std::map<uint8_t, uint8_t> layout;
  for (const plat::JisKey& key : plat::kJisKeys) {
    if (key.vk == plat::vk::Space) continue;
    layout.emplace(key.plain, key.kana);  // the backslash stays the yen key's
    if (key.shifted != 0 && !key.ShiftGivesCapital() && key.kanaShifted != key.kana)
      layout.emplace(key.shifted, key.kanaShifted);
  }
  layout.emplace('_', plat::KanaByte("ﾛ"));
  layout.emplace('=', plat::KanaByte("ｰ"));
  return layout;
}

TEST(MapKanaKeyTest, EveryByteMapsByTheJisKanaLayout) {
  const std::map<uint8_t, uint8_t> layout = KanaOfKeyCharacters();
  ASSERT_EQ(layout.size(), 61u);

  for (int b = 0; b < 256; ++b) {
    const auto ch = static_cast<uint8_t>(b);
    for (bool shift : {false, true}) {
      uint8_t expected = 0;
      if (ch == ' ' || (ch >= 0xA1 && ch <= 0xDF)) {
        expected = ch;  // typed with the kana lock on, or the space
      } else {
        const uint8_t key = ch >= 'A' && ch <= 'Z' ? static_cast<uint8_t>(ch + 32) : ch;
        if (auto it = layout.find(key); it != layout.end()) expected = it->second;
      }
      // Shift changes only three keys: ｦ, ｨ and ｯ.
      if (shift && (ch == '0')) expected = 0xA6;
      if (shift && (ch == 'e' || ch == 'E')) expected = 0xA8;
      if (shift && (ch == 'z' || ch == 'Z')) expected = 0xAF;
      EXPECT_EQ(game::MapKanaKey(ch, shift), expected) << "byte " << b << (shift ? " with Shift" : "");
    }
  }
  // Keys without kana, whatever the Shift key.
  for (int ch : {int{'!'}, int{'"'}, int{'*'}, int{'+'}, int{'`'}, int{'|'}, int{'~'}, 0, 9, 13, 27, 0x7F, 0x80, 0xA0,
                 0xE0, 0xFF})
    EXPECT_EQ(game::MapKanaKey(static_cast<uint8_t>(ch), true), 0) << ch;
}

}  // namespace
