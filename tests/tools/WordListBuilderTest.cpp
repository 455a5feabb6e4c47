#include "tools/wordlist/WordListBuilder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "drill/WordList.h"
#include "platform/Files.h"
#include "tools/wordlist/HalfWidthKana.h"

namespace {

using wordlist::ToHalfWidthKana;
using wordlist::WordListBuilder;

constexpr char kLabel[] = "#label Ver20261206|10:00:00,test words\n";

std::vector<std::string> Words(const uint8_t* text) {
  std::istringstream in(reinterpret_cast<const char*>(text));
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// Every word the game draws from `category` of the image.
std::set<std::string> Drawn(const drill::WordList& list, int category, int& result) {
  std::set<std::string> drawn;
  int lastPick = 0;
  uint8_t lastInitial = 0;
  for (uint64_t seed = 1; seed <= 30; ++seed) {
    std::vector<uint8_t> buffer(65001, 0);
    plat::GameRandom random;
    result = list.FillWordText(category, buffer.data(), 65000, lastPick, lastInitial, random, seed);
    if (result != 0) break;
    for (auto& w : Words(buffer.data())) drawn.insert(w);
  }
  return drawn;
}

TEST(WordListBuilderTest, KatakanaBecomesHalfWidthWithVoicedMarksOfTheirOwn) {
  EXPECT_EQ(ToHalfWidthKana("デ"), "\xC3\xDE");  // ﾃﾞ
  EXPECT_EQ(ToHalfWidthKana("パ"), "\xCA\xDF");  // ﾊﾟ
  EXPECT_EQ(ToHalfWidthKana("ー"), "\xB0");      // ｰ
  EXPECT_EQ(ToHalfWidthKana("ヴ"), "\xB3\xDE");  // ｳﾞ
  // ｺﾝﾋﾟｭｰﾀｰ: small kana and the long vowel mark are characters of their own.
  EXPECT_EQ(ToHalfWidthKana("コンピューター"), "\xBA\xDD\xCB\xDF\xAD\xB0\xC0\xB0");
  EXPECT_EQ(ToHalfWidthKana("ヲッ"), "\xA6\xAF");
  // Half-width input stays as it is; the stand-alone marks and punctuation map too.
  EXPECT_EQ(ToHalfWidthKana("ｶﾞｲﾄﾞ"), "\xB6\xDE\xB2\xC4\xDE");
  EXPECT_EQ(ToHalfWidthKana("「・」、。゛゜"), "\xA2\xA5\xA3\xA4\xA1\xDE\xDF");

  // Every full-width katakana from ァ to ヴ that has a half-width form gives bytes
  // 0xA1..0xDF only, and at most a base and a mark.
  int converted = 0;
  for (char32_t c = U'ァ'; c <= U'ヴ'; ++c) {
    const std::string utf8 = {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                              static_cast<char>(0x80 | (c & 0x3F))};
    auto half = ToHalfWidthKana(utf8);
    if (!half) continue;
    ++converted;
    ASSERT_GE(half->size(), 1u);
    ASSERT_LE(half->size(), 2u);
    for (unsigned char b : *half) EXPECT_TRUE(b >= 0xA1 && b <= 0xDF) << static_cast<int>(c);
  }
  EXPECT_EQ(converted, 84 - 3) << "all but ヮ ヰ ヱ";

  std::string why;
  EXPECT_FALSE(ToHalfWidthKana("ひらがな", &why));
  EXPECT_NE(why.find("ひ"), std::string::npos);
  EXPECT_FALSE(ToHalfWidthKana("カ行"));
  EXPECT_FALSE(ToHalfWidthKana("ヶ"));
  EXPECT_FALSE(ToHalfWidthKana("ヰ"));
  EXPECT_FALSE(ToHalfWidthKana("カメラ1"));
}

TEST(WordListBuilderTest, WordsThatCannotBeTypedInTheirCategoryAreRejected) {
  WordListBuilder b;
  EXPECT_EQ(b.AddWord(0, "hello"), "");
  EXPECT_EQ(b.AddWord(3, "C++"), "");
  EXPECT_EQ(b.AddWord(3, "~/a_b"), "");
  EXPECT_EQ(b.AddWord(5, "コンピューター"), "");
  EXPECT_NE(b.AddWord(0, "two words"), "");
  EXPECT_NE(b.AddWord(1, "café"), "") << "no accented letters on a JIS keyboard";
  EXPECT_NE(b.AddWord(2, "ＵＳＢ"), "") << "full-width letters are not typed in the Latin drill";
  EXPECT_NE(b.AddWord(2, "カメラ"), "") << "kana belong to the kana categories";
  EXPECT_NE(b.AddWord(3, "a_\\b"), "") << "'\\' right after '_' is dropped by the drill";
  EXPECT_NE(b.AddWord(4, "camera"), "");
  EXPECT_NE(b.AddWord(0, "hello"), "") << "listed twice";
  EXPECT_EQ(b.AddWord(1, "hello"), "") << "another category may list it again";
  EXPECT_NE(b.AddWord(0, std::string(255, 'x')), "");
  EXPECT_EQ(b.AddWord(0, std::string(254, 'x')), "");
  // ﾊﾟ counts two characters: 127 of them are 254 bytes, 128 are too long.
  std::string pa;
  for (int i = 0; i < 127; ++i) pa += "パ";
  EXPECT_EQ(b.AddWord(6, pa), "");
  EXPECT_NE(b.AddWord(7, pa + "パ"), "");
  EXPECT_NE(b.AddWord(8, "x"), "");
  EXPECT_EQ(b.WordCount(0), 2u);
  EXPECT_EQ(b.WordCount(4), 0u);

  EXPECT_NE(b.SetLabel("20261206 10:00:00,words"), "");
  EXPECT_NE(b.SetLabel("Ver20261206|10:00:00"), "") << "the about screen needs the comma";
  EXPECT_EQ(b.SetLabel("Ver20261206|10:00:00,単語"), "");
  EXPECT_NE(b.SetLabel("Ver20261207|10:00:00,again"), "");
}

TEST(WordListBuilderTest, SourcesReportEveryBadLineByFileAndLine) {
  WordListBuilder b;
  EXPECT_TRUE(b.AddSource("\xEF\xBB\xBF# comment\r\n#\n\n#category 0\r\n  apple \r\nbanana\n#category 4\nカメラ\n",
                          "good.txt"));
  EXPECT_FALSE(b.AddSource("orphan\n#category 9\n#categories 1\n#category 1\nok\nnot ok\n#define X\n", "bad.txt"));
  const std::vector<std::string> expected = {
      "bad.txt:1: word 'orphan' before any valid #category line",
      "bad.txt:2: #category takes a number 0..7",
      "bad.txt:3: unknown directive '#categories 1'",
      "bad.txt:6: word 'not ok' (category 1): a word must not contain spaces",
      "bad.txt:7: unknown directive '#define X'",
  };
  EXPECT_EQ(b.Errors(), expected);
  EXPECT_EQ(b.WordCount(0), 2u);
  EXPECT_EQ(b.WordCount(1), 1u);
  EXPECT_EQ(b.WordCount(4), 1u);

  WordListBuilder noLabel;
  noLabel.AddSource("#category 0\nword\n", "words.txt");
  EXPECT_TRUE(noLabel.Build().empty());
  EXPECT_EQ(noLabel.Errors().back(), "no #label line in any source");
}

TEST(WordListBuilderTest, BuiltFilePassesTheGamesCheckAndGivesBackItsWords) {
  WordListBuilder b;
  ASSERT_TRUE(b.AddSource(std::string(kLabel) + "#category 0\napple\nBanana\ncherry\nfig\nkiwi\n"
                                                "#category 3\ne-mail\nC++\n"
                                                "#category 5\nデパート\nパン\nピアノ\n",
                          "src.txt"))
      << b.Errors().front();
  const std::vector<uint8_t> image = b.Build();
  ASSERT_FALSE(image.empty());

  // Written to disk and loaded as the game loads it.
  QTemporaryDir dir;
  const std::string path = dir.filePath("dojokai.bin").toStdString();
  std::string error;
  ASSERT_TRUE(wordlist::WriteImage(path, image, error)) << error;
  drill::WordList list;
  list.Load(path);
  EXPECT_EQ(list.Image(), image);
  EXPECT_GE(image.size(), 512u) << "a small list is padded to the smallest size the game takes";
  EXPECT_EQ(list.CheckWordList(), 0);
  plat::GameRandom random;
  const auto loaded = list.Finish(random);
  EXPECT_FALSE(loaded.builtin);
  EXPECT_EQ(loaded.aboutText, "[DIC]Ver20261206|10:00:00");

  int result = -1;
  EXPECT_EQ(Drawn(list, 0, result), (std::set<std::string>{"apple", "Banana", "cherry", "fig", "kiwi"}));
  EXPECT_EQ(Drawn(list, 3, result), (std::set<std::string>{"e-mail", "C++"}));
  // ﾃﾞﾊﾟｰﾄ, ﾊﾟﾝ, ﾋﾟｱﾉ
  EXPECT_EQ(Drawn(list, 5, result),
            (std::set<std::string>{"\xC3\xDE\xCA\xDF\xB0\xC4", "\xCA\xDF\xDD", "\xCB\xDF\xB1\xC9"}));
  for (int empty : {1, 2, 4, 6, 7}) {
    Drawn(list, empty, result);
    EXPECT_EQ(result, 2) << "category " << empty << " has no block";
  }
}

TEST(WordListBuilderTest, TheShippedSourcesBuildAFullList) {
  const auto folder = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "words";
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
  WordListBuilder b;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".txt") continue;
    const auto text = plat::ReadWholeFile(entry.path().string());
    ASSERT_TRUE(text);
    b.AddSource(std::string(text->begin(), text->end()), entry.path().filename().string());
  }
  const auto image = b.Build();
  for (const auto& e : b.Errors()) ADD_FAILURE() << e;
  ASSERT_FALSE(image.empty());
  for (int c = 0; c < wordlist::kCategories; ++c) EXPECT_GE(b.WordCount(c), 300u) << "category " << c;

  drill::WordList list;
  list.SetImage(image);
  EXPECT_EQ(list.CheckWordList(), 0);
  for (int c = 0; c < 8; ++c) {
    int result = -1;
    const auto drawn = Drawn(list, c, result);
    EXPECT_EQ(result, 0);
    EXPECT_GT(drawn.size(), 250u) << "category " << c;
    for (const auto& w : drawn)
      for (unsigned char ch : w) ASSERT_TRUE(c < 4 ? ch >= 0x21 && ch <= 0x7E : ch >= 0xA1 && ch <= 0xDF) << w;
  }
}

}  // namespace
