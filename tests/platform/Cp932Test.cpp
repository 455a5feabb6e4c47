#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace cp932 = plat::cp932;

TEST(Cp932, NamesAndKanaRoundTripWithTheirByteCounts) {
  struct Case {
    const char* utf8;
    size_t bytes;
  };
  const Case cases[] = {
      {"ﾃﾞｽ", 3},                                            // half-width katakana: one byte each
      {"｡ｱﾝﾟ", 4},                                           // U+FF61 and U+FF9F are the ends of the single-byte range
      {"山田", 4},   {"山田花子", 8}, {"ＴＡＲＯ太郎", 12},  // full-width letters are double-byte
      {"abc\\~", 5},                                         // ASCII stays ASCII, backslash and tilde included
      {"①ⅰ纊", 6},                                           // NEC and IBM extensions of CP932
      {"", 0},
  };
  for (const Case& c : cases) {
    const auto bytes = cp932::FromUtf8(c.utf8);
    ASSERT_TRUE(bytes.has_value()) << c.utf8;
    EXPECT_EQ(bytes->size(), c.bytes) << c.utf8;
    EXPECT_EQ(cp932::ToUtf8(*bytes), c.utf8);
    EXPECT_EQ(cp932::ToQString(*bytes), QString::fromUtf8(c.utf8));
    EXPECT_EQ(cp932::FromQString(QString::fromUtf8(c.utf8)), bytes);
  }
  EXPECT_EQ(cp932::FromUtf8("ﾃﾞｽ"), std::string("\xC3\xDE\xBD"));
  EXPECT_EQ(cp932::FromUtf8("山"), std::string("\x8E\x52"));
  EXPECT_EQ(cp932::ToUtf8("\x5C\x7E"), "\\~");
}

TEST(Cp932, EveryKanaByteDecodesToItsHalfWidthKatakana) {
  for (int b = 0xA1; b <= 0xDF; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const QString text = cp932::ToQString(byte);
    ASSERT_EQ(text.size(), 1);
    EXPECT_EQ(text[0].unicode(), 0xFF61 + (b - 0xA1));
    EXPECT_EQ(cp932::FromQString(text), byte);
  }
}

TEST(Cp932, CharactersOutsideTheCodePageAreRefused) {
  for (const char* text : {"😀", "é", "Taro é", "한", "¥", "‾"}) {
    EXPECT_FALSE(cp932::FromUtf8(text).has_value()) << text;
    EXPECT_FALSE(cp932::FromQString(QString::fromUtf8(text)).has_value()) << text;
  }
  // Malformed UTF-8 has no CP932 form either.
  EXPECT_FALSE(cp932::FromUtf8("\xE5\xB1").has_value());
  EXPECT_FALSE(cp932::FromUtf8("\xEF"
                               "A"
                               "\xA1")
                   .has_value());
  // The JIS forms of the wave dash and minus sign are taken as their CP932 twins.
  EXPECT_EQ(cp932::FromUtf8("〜"), cp932::FromUtf8("～"));
  EXPECT_EQ(cp932::FromUtf8("−"), std::string("\x81\x7C"));
}

TEST(Cp932, BrokenBytesDecodeToReplacementsAndDecodingGoesOn) {
  // Bytes that are no character, a lead byte with no trail, a lead byte at the end.
  EXPECT_EQ(cp932::ToUtf8("a\x80"
                          "b\xA0"
                          "c\xFD"),
            "a\uFFFDb\uFFFDc\uFFFD");
  EXPECT_EQ(cp932::ToUtf8("\x81 x"), "\uFFFD x");
  EXPECT_EQ(cp932::ToUtf8("x\x88"), "x\uFFFD");
  // An undefined double-byte code is one character cell.
  EXPECT_EQ(cp932::ToUtf8("\x85\x40z"), "\uFFFDz");
  EXPECT_EQ(cp932::ToQString("\x85\x40z").size(), 2);
}

TEST(Cp932, FitBytesNeverCutsADoubleByteCharacter) {
  const std::string name = *cp932::FromUtf8("aｱ山田b");  // 1 + 1 + 2 + 2 + 1 bytes
  const size_t expected[] = {0, 1, 2, 2, 4, 4, 6, 7, 7};
  for (size_t limit = 0; limit < std::size(expected); ++limit) {
    EXPECT_EQ(cp932::FitBytes(name, limit).size(), expected[limit]) << "limit " << limit;
  }
  // Trail bytes that look like ASCII or like a lead byte stay with their lead.
  const std::string hyo = *cp932::FromUtf8("表表");  // 0x95 0x5C twice
  EXPECT_EQ(cp932::FitBytes(hyo, 3), hyo.substr(0, 2));
  const std::string kanji = *cp932::FromUtf8("亜亜");  // 0x88 0x9F twice
  EXPECT_EQ(cp932::FitBytes(kanji, 3).size(), 2u);
  EXPECT_EQ(cp932::FitBytes(kanji, 4).size(), 4u);
}

namespace {

TEST(Cp932, FileNamesReadAsUtf8ElseCp932ElseWithReplacements) {
  using plat::cp932::FileNameText;
  using plat::cp932::ValidUtf8;
  EXPECT_EQ(FileNameText("/home/太郎/データ"), "/home/太郎/データ");
  EXPECT_EQ(FileNameText("/mnt/\x83\x66\x81\x5B\x83\x5E"), "/mnt/データ");  // named on a Japanese Windows
  EXPECT_EQ(FileNameText("/a\xFF\xFE/b"), "/a\uFFFD\uFFFD/b");              // neither
  // Overlong forms, surrogates, code points past U+10FFFF and cut sequences are no UTF-8.
  EXPECT_EQ(ValidUtf8("\xC0\xAF"), "\uFFFD\uFFFD");
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80"), "\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(ValidUtf8("x\xE3\x83"), "x\uFFFD\uFFFD");
  EXPECT_EQ(ValidUtf8("\xF0\x9F\x8E\x8C ok"), "\xF0\x9F\x8E\x8C ok");
}

}  // namespace
