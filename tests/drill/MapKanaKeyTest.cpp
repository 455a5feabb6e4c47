#include <gtest/gtest.h>

#include <map>

#include "drill/DrillRun.h"
#include "platform/Cp932.h"

namespace {

using drill::DrillRun;

// The JIS kana layout as a player reads it off the key caps: each key character followed
// by its kana.
constexpr char kLayout[] =
    "1ﾇ2ﾌ3ｱ4ｳ5ｴ6ｵ7ﾔ8ﾕ9ﾖ0ﾜ-ﾎ^ﾍ\\ｰ"
    "qﾀwﾃeｲrｽtｶyﾝuﾅiﾆoﾗpｾ@ﾞ[ﾟ"
    "aﾁsﾄdｼfﾊgｷhｸjﾏkﾉlﾘ;ﾚ:ｹ]ﾑ"
    "zﾂxｻcｿvﾋbｺnﾐmﾓ,ﾈ.ﾙ/ﾒ_ﾛ"
    "#ｧ$ｩ%ｪ&ｫ'ｬ(ｭ)ｮ<､>｡?･{｢}｣=ｰ";

TEST(MapKanaKeyTest, EveryByteMapsByTheJisKanaLayout) {
  const std::string bytes = *plat::cp932::FromUtf8(kLayout);
  ASSERT_EQ(bytes.size() % 2, 0u);
  std::map<uint8_t, uint8_t> layout;
  for (size_t i = 0; i < bytes.size(); i += 2)
    layout[static_cast<uint8_t>(bytes[i])] = static_cast<uint8_t>(bytes[i + 1]);
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
      EXPECT_EQ(DrillRun::MapKanaKey(ch, shift), expected) << "byte " << b << (shift ? " with Shift" : "");
    }
  }
  // Keys without kana, whatever the Shift key.
  for (int ch : {int{'!'}, int{'"'}, int{'*'}, int{'+'}, int{'`'}, int{'|'}, int{'~'}, 0, 9, 13, 27, 0x7F, 0x80, 0xA0, 0xE0, 0xFF})
    EXPECT_EQ(DrillRun::MapKanaKey(static_cast<uint8_t>(ch), true), 0) << ch;
}

}  // namespace
