// Reading word lists for the romaji drills: what is kept, what is skipped with a notice, and
// the files refused outright.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "game/RomajiJudge.h"
#include "game/RomajiList.h"

namespace game::romaji {
namespace {

bool Typable(std::u32string_view reading) { return Table::Shipped().Typable(reading); }

TEST(RomajiList, EntriesCommentsBomAndCrlf) {
  const List list = ParseList(
      "\xEF\xBB\xBF# 日常のことば\r\n"
      "\r\n"
      "漢字\tかんじ\r\n"
      "  ねこ  # 猫\n"
      "東京\tトウキョウ\tメモ\n"
      "\n",
      "/home/user/romaji/mine.txt", Typable);
  EXPECT_TRUE(list.Usable());
  EXPECT_EQ(list.name, "mine.txt");
  ASSERT_EQ(list.entries.size(), 3u);
  EXPECT_EQ(list.entries[0].text, "漢字");
  EXPECT_EQ(list.entries[0].reading, "かんじ");
  EXPECT_EQ(list.entries[0].kana, U"かんじ");
  EXPECT_EQ(list.entries[1].text, "ねこ");  // a kana entry is its own text
  EXPECT_EQ(list.entries[1].reading, "ねこ");
  EXPECT_EQ(list.entries[2].reading, "トウキョウ");
  EXPECT_TRUE(list.notices.empty());
}

TEST(RomajiList, UntypableLinesAreSkippedWithTheirLineNumbers) {
  std::string tooLong;
  for (int i = 0; i < 65; ++i) tooLong += "あ";
  const List list = ParseList("いぬ\n猫\tねこ\n漢字\t漢字\n星\tほし★\n" + tooLong + "\n空\t\n", "w.txt", Typable);
  ASSERT_EQ(list.entries.size(), 2u);
  ASSERT_EQ(list.notices.size(), 4u);
  EXPECT_NE(list.notices[0].find("w.txt 3行目"), std::string::npos) << list.notices[0];
  EXPECT_NE(list.notices[0].find("漢字「漢」"), std::string::npos) << list.notices[0];
  EXPECT_NE(list.notices[1].find("4行目"), std::string::npos) << list.notices[1];
  EXPECT_NE(list.notices[1].find("★"), std::string::npos) << list.notices[1];
  EXPECT_NE(list.notices[2].find("5行目"), std::string::npos) << list.notices[2];
  EXPECT_NE(list.notices[2].find("64"), std::string::npos) << list.notices[2];
  EXPECT_NE(list.notices[3].find("6行目"), std::string::npos) << list.notices[3];
  EXPECT_TRUE(list.Usable());
}

TEST(RomajiList, BadTextIsRefused) {
  struct Row {
    std::string bytes;
    const char* what;
  } rows[] = {
      {std::string("ねこ\n\0\x01\x02", 10), "テキストファイルではありません"},
      {"ねこ\n\xFF\xFE", "UTF-8"},
      {"\xE3\x81", "UTF-8"},  // cut in the middle of a character
      {"\xC0\xAF", "UTF-8"},  // an overlong form
      {"# only comments\n\n漢字\n", "使える行がありません"},
      {"", "使える行がありません"},
      {std::string(kMaxListBytes + 1, 'a'), "大きすぎます"},
  };
  for (const Row& r : rows) {
    const List list = ParseList(r.bytes, "bad.txt", Typable);
    EXPECT_FALSE(list.Usable());
    EXPECT_NE(list.error.find("「bad.txt」"), std::string::npos) << list.error;
    EXPECT_NE(list.error.find(r.what), std::string::npos) << list.error;
  }
}

TEST(RomajiList, FilesThatAreNotPlainListsAreRefusedWithoutBlocking) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string folder = dir.path().toStdString();

  const std::string good = folder + "/good.txt";
  std::ofstream(good) << "すし\n";
  const List list = LoadList(good, Typable);
  EXPECT_TRUE(list.Usable());
  EXPECT_EQ(list.path, good);
  EXPECT_EQ(list.name, "good.txt");

  const std::string fifo = folder + "/pipe.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const List fromFifo = LoadList(fifo, Typable);  // no writer: a blocking open would hang here
  EXPECT_NE(fromFifo.error.find("pipe.txt"), std::string::npos) << fromFifo.error;

  const List fromDevice = LoadList("/dev/zero", Typable);
  EXPECT_NE(fromDevice.error.find("「zero」"), std::string::npos) << fromDevice.error;

  const List fromFolder = LoadList(folder, Typable);
  EXPECT_FALSE(fromFolder.error.empty());

  const std::string huge = folder + "/huge.txt";
  std::ofstream(huge) << std::string(kMaxListBytes + 10, 'a');
  const List fromHuge = LoadList(huge, Typable);
  EXPECT_NE(fromHuge.error.find("大きすぎます"), std::string::npos) << fromHuge.error;

  const List missing = LoadList(folder + "/gone.txt", Typable);
  EXPECT_NE(missing.error.find("「gone.txt」"), std::string::npos) << missing.error;
}

}  // namespace
}  // namespace game::romaji
