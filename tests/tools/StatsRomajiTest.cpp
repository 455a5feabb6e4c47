// The statistics window's ローマ字 tab under the driver: a few dozen romaji drills written
// through the history, their trend, kana table and wrong keys dumped, the 苦手かな練習 asking
// the game for a drill of the right entries, and the romaji drills exported beside the others.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "DriverFixture.h"
#include "app/HistoryRecorder.h"
#include "records/HistoryCsv.h"
#include "stats/RomajiPage.h"
#include "stats/StatsWindow.h"

namespace {

// Kana a learner meets, with how often each is missed (per mille) and its time.
struct KanaHabit {
  const char* kana;
  int missPerMille, ms;
};
constexpr KanaHabit kHabits[] = {{"あ", 10, 260},  {"い", 15, 250},  {"う", 20, 270}, {"か", 20, 300}, {"し", 60, 380},
                                 {"つ", 180, 520}, {"ふ", 140, 480}, {"ち", 90, 420}, {"ん", 70, 400}, {"っ", 120, 450},
                                 {"ょ", 50, 300},  {"じ", 80, 440},  {"な", 20, 280}, {"た", 25, 290}, {"て", 30, 300},
                                 {"ー", 40, 350},  {"コ", 30, 310},  {"、", 10, 250}};

// `count` romaji drills over three weeks: faster and surer as they go, a practice among them.
void WriteRomajiDrills(records::History& h, int count) {
  uint32_t x = 7;
  auto next = [&x](int n) {
    x = x * 1664525u + 1013904223u;
    return static_cast<int>((x >> 8) % static_cast<uint32_t>(n));
  };
  for (int i = 0; i < count; ++i) {
    records::RomajiDrillEntry d;
    char at[32];
    std::snprintf(at, sizeof at, "2026-11-%02d 19:%02d:00", 16 + i * 20 / count, i % 60);
    d.started = at;
    d.kind = i % 3 == 2 ? 1 : 0;
    d.list = d.kind == 0 ? "words.txt" : "phrases.txt";
    d.timeSetting = 1;
    d.practice = i == count / 2;
    d.durationMs = 60000;
    const double progress = static_cast<double>(i) / count;
    std::vector<records::KanaFigures> kana;
    std::vector<records::RomajiConfusion> wrong;
    for (const KanaHabit& k : kHabits) {
      const int targeted = 2 + next(5);
      const int missed = next(1000) < k.missPerMille * (1.3 - 0.6 * progress) * targeted ? 1 + next(2) : 0;
      const int ms = static_cast<int>(k.ms * (1.15 - 0.3 * progress)) + next(40);
      kana.push_back({k.kana, targeted, missed, int64_t{ms} * targeted, targeted});
      d.kana += targeted;
      d.miss += missed;
    }
    d.good = d.kana * 2 + next(20);
    d.fewestKeys = d.good - 3;
    d.entries = d.kana / 4;
    d.score = 16 * (d.good - d.miss);
    d.keysPerSecond = d.good / 60.0 + progress;
    d.kanaPerMinute = d.kana + 30 * progress;
    d.accuracy = 100.0 * d.good / (d.good + d.miss);
    d.endedBy = "time";
    wrong.push_back({'t', 'r', 1 + next(3)});
    wrong.push_back({'h', 'j', next(3)});
    wrong.push_back({'u', 'i', 1 + next(2)});
    if (next(2)) wrong.push_back({'n', 'm', 1});
    h.AddRomajiDrill(d, kana, wrong);
  }
}

struct StatsRomajiTest : DriverFixture {
  std::string File(const char* name) const { return dir.path().toStdString() + "/" + name; }
  QJsonObject Json(const std::string& file) {
    std::ifstream f(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
  }
  // Pictures of the tab, for a developer to look at (DOJOKAI_ROMAJI_SHOTS=folder).
  std::string Shots(const char* view) const {
    const char* folder = std::getenv("DOJOKAI_ROMAJI_SHOTS");
    return folder ? std::string("shot ") + folder + "/stats-romaji-" + view + ".png\n" : std::string();
  }
};

TEST_F(StatsRomajiTest, TheRomajiTabShowsTrendKanaTableAndWrongKeys) {
  Run("start\nwait 2100\n");
  WriteRomajiDrills(Form().History().History(), 36);
  Run("stats open\nstats tab romaji\n" + Shots("trend") + "stats romaji select 5\nstats romaji kana\n" + Shots("kana") +
      "stats romaji confusions\n" + Shots("confusions") + "stats dump " + File("romaji.json") + "\n");
  const QJsonObject root = Json(File("romaji.json"));
  const QJsonArray drills = root["romaji_drills"].toArray();
  ASSERT_EQ(drills.size(), 36);
  EXPECT_EQ(drills[0].toObject()["kana_figures"].toArray().size(), static_cast<int>(std::size(kHabits)));
  const QJsonObject views = root["views"].toObject();
  EXPECT_EQ(views["tab"].toString(), QStringLiteral("romaji"));
  EXPECT_TRUE(views["drills"].toInt() == 0);  // the seven drills' figures as they were
  const QJsonObject romaji = views["romaji"].toObject();
  EXPECT_EQ(romaji["view"].toString(), QStringLiteral("confusions"));
  EXPECT_EQ(romaji["drills"].toInt(), 36);
  const QJsonObject trend = romaji["trend"].toObject();
  EXPECT_EQ(trend["selection"].toString(), QStringLiteral("文 60秒"));
  EXPECT_EQ(trend["choices"].toArray(), (QJsonArray{"すべて", "ことば 60秒", "文 60秒"}));
  EXPECT_EQ(trend["drills"].toInt(), 12);  // every third drill, none of them the practice
  EXPECT_EQ(trend["kana_per_minute"].toArray().size(), 12);
  // The kana table: コ counted as こ, in the か row.
  const QJsonObject kana = romaji["kana"].toObject();
  bool sawKo = false;
  for (const auto& c : kana["table"].toArray())
    if (c.toObject()["kana"].toString() == QStringLiteral("こ")) {
      sawKo = true;
      EXPECT_EQ(c.toObject()["row"].toInt(), 1);
      EXPECT_EQ(c.toObject()["column"].toInt(), 4);
    }
  EXPECT_TRUE(sawKo);
  // The kana missed most and slowest lead; the easy ones are not weak.
  const QJsonArray weakest = kana["weakest"].toArray();
  ASSERT_GE(weakest.size(), 3);
  const QJsonArray firstThree = {weakest[0], weakest[1], weakest[2]};
  EXPECT_TRUE(firstThree.contains(QStringLiteral("つ")));
  EXPECT_TRUE(firstThree.contains(QStringLiteral("ふ")));
  EXPECT_FALSE(weakest.contains(QStringLiteral("あ")));
  EXPECT_EQ(romaji["confusions"].toArray()[0].toObject()["text"].toString().left(5), QStringLiteral("t → r"));
}

TEST_F(StatsRomajiTest, KanaPracticeAsksTheGameForEntriesRichInTheWeakKana) {
  Run("start\nwait 2100\nstats open\nstats romaji practice\n");
  stats::RomajiPage& page = Form().History().Window()->Romaji();
  EXPECT_TRUE(page.PracticeNote().contains(QStringLiteral("記録がまだありません")))
      << page.PracticeNote().toStdString();

  WriteRomajiDrills(Form().History().History(), 30);
  std::vector<game::romaji::Entry> asked;
  page.RomajiEntries = [] {
    return std::vector<game::romaji::Entry>{
        {"朝", "あさ", U"あさ"}, {"夏", "なつ", U"なつ"}, {"冬", "ふゆ", U"ふゆ"}, {"いか", "いか", U"いか"}};
  };
  page.StartKanaPractice = [&asked](std::vector<game::romaji::Entry> entries) {
    asked = std::move(entries);
    return std::string();
  };
  Run("stats close\nstats open\nstats romaji practice\n");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].text, "夏");
  EXPECT_EQ(asked[1].text, "冬");
  EXPECT_TRUE(page.PracticeNote().isEmpty());
  page.StartKanaPractice = [](std::vector<game::romaji::Entry>) { return std::string("ドリルの途中です"); };
  Run("stats romaji practice\n");
  EXPECT_EQ(page.PracticeNote(), QStringLiteral("ドリルの途中です"));
}

TEST_F(StatsRomajiTest, ExportWritesTheRomajiDrillsBesideTheOthers) {
  Run("start\nwait 2100\nstats export " + File("plain.csv") + "\n");
  EXPECT_FALSE(std::ifstream(records::RomajiCsvPath(File("plain.csv"))).good());  // none yet: no second file
  WriteRomajiDrills(Form().History().History(), 3);
  Run("stats export " + File("out.csv") + "\n");
  std::ifstream f(records::RomajiCsvPath(File("out.csv")), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(text.find("リスト"), std::string::npos);
  EXPECT_NE(text.find("phrases.txt"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
  EXPECT_EQ(RunCode("stats romaji select 9\n"), 1);
  EXPECT_EQ(RunCode("stats romaji nothing\n"), 1);
}

}  // namespace
