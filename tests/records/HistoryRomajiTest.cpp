// The romaji drills in the history file: their rows read back, a file of the first schema
// upgraded in place, the queue kept while the file is locked, the top-10 tables per list and
// time setting, and a file of a newer game only read.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "records/History.h"

namespace {

struct RomajiHistory : ::testing::Test {
  QTemporaryDir dir;
  std::string Path() const { return dir.path().toStdString() + "/dojokai.db"; }
  std::unique_ptr<records::History> Make() {
    return std::make_unique<records::History>(Path(), [] { return std::string("20261206-100000"); });
  }
  static records::RomajiDrillEntry Drill(int score, const std::string& list = "words.txt", int time = 1) {
    records::RomajiDrillEntry d;
    d.started = "2026-12-06 10:00:00";
    d.list = list;
    d.timeSetting = time;
    d.score = score;
    d.good = score / 16;
    d.endedBy = "time";
    return d;
  }
  static records::RomajiRank Rank(const std::string& name, int score) {
    return {name, score, score / 16, 0, "2026-12-06 10:01:00"};
  }
  // The SQL run on the file with the game's connection closed.
  void Run(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
  }
  int Version() {
    sqlite3* db = nullptr;
    sqlite3_open(Path().c_str(), &db);
    sqlite3_stmt* q = nullptr;
    sqlite3_prepare_v2(db, "SELECT group_concat(version) FROM schema_version", -1, &q, nullptr);
    int v = sqlite3_step(q) == SQLITE_ROW ? sqlite3_column_int(q, 0) : -1;
    if (sqlite3_column_bytes(q, 0) > 1) v = -2;  // more than one row
    sqlite3_finalize(q);
    sqlite3_close(db);
    return v;
  }
};

TEST_F(RomajiHistory, DrillsKanaAndWrongKeysReadBackAndAddUp) {
  auto h = Make();
  auto first = Drill(320);
  first.kind = 1;
  first.entries = 4;
  first.kana = 37;
  first.fewestKeys = 70;
  first.keysPerSecond = 3.25;
  first.kanaPerMinute = 95.5;
  first.accuracy = 97.25;
  first.durationMs = 60000;
  auto practice = Drill(48, "苦手かな");
  practice.practice = true;
  practice.timeSetting = 3;
  practice.endedBy = "esc";
  // ゔ has no CP932 code: the kana stay UTF-8 from end to end. A kana given twice adds up.
  h->AddRomajiDrill(first, {{"し", 4, 1, 1200, 3}, {"ゔ", 1, 1, 900, 1}, {"し", 1, 0, 300, 1}},
                    {{'s', 'a', 2}, {'h', 'j', 1}, {'s', 'a', 1}});
  h->AddRomajiDrill(practice, {{"し", 5, 2, 2000, 5}}, {{'h', 'j', 4}});

  const auto drills = h->RomajiDrills();
  ASSERT_EQ(drills.size(), 2u);
  const auto& d = drills[0];
  EXPECT_EQ(d.list, "words.txt");
  EXPECT_EQ(d.kind, 1);
  EXPECT_EQ(d.entries, 4);
  EXPECT_EQ(d.kana, 37);
  EXPECT_EQ(d.fewestKeys, 70);
  EXPECT_EQ(d.durationMs, 60000);
  EXPECT_DOUBLE_EQ(d.keysPerSecond, 3.25);
  EXPECT_DOUBLE_EQ(d.kanaPerMinute, 95.5);
  EXPECT_DOUBLE_EQ(d.accuracy, 97.25);
  EXPECT_EQ(drills[1].list, "苦手かな");
  EXPECT_TRUE(drills[1].practice);
  EXPECT_EQ(drills[1].endedBy, "esc");

  const auto kana = h->RomajiKanaOfDrill(d.id);
  ASSERT_EQ(kana.size(), 2u);
  EXPECT_EQ(kana[0].kana, "し");  // by code point: U+3057 before U+3094
  EXPECT_EQ(kana[0].targeted, 5);
  EXPECT_DOUBLE_EQ(kana[0].MeanMs(), 375);
  EXPECT_EQ(kana[1].kana, "\xE3\x82\x94");
  const auto wrong = h->RomajiConfusionsOfDrill(d.id);
  ASSERT_EQ(wrong.size(), 2u);
  EXPECT_EQ(wrong[0].expected, 's');
  EXPECT_EQ(wrong[0].typed, 'a');
  EXPECT_EQ(wrong[0].count, 3);

  // The totals take every drill, practice included, most frequent wrong key first.
  const auto totals = h->RomajiKanaTotals();
  ASSERT_EQ(totals.size(), 2u);
  EXPECT_EQ(totals[0].kana, "し");
  EXPECT_EQ(totals[0].targeted, 10);
  EXPECT_EQ(totals[0].missed, 3);
  const auto wrongTotals = h->RomajiConfusionTotals();
  ASSERT_EQ(wrongTotals.size(), 2u);
  EXPECT_EQ(wrongTotals[0].expected, 'h');
  EXPECT_EQ(wrongTotals[0].count, 5);
  // The seven drills' tables know nothing of them.
  EXPECT_TRUE(h->Drills().empty());
  EXPECT_TRUE(h->KeyTotals().empty());
}

// A file of the first schema (the romaji tables taken off a new one) gains the tables and
// the new version once, keeps its drills, and takes romaji drills at once.
TEST_F(RomajiHistory, AFileOfTheFirstSchemaIsUpgradedInPlace) {
  {
    auto h = Make();
    records::DrillEntry d;
    d.started = "2026-12-01 09:00:00";
    d.score = 160;
    h->AddDrill(d, game::KeyLog{});
  }
  EXPECT_EQ(Version(), records::History::kSchemaVersion);
  Run("DROP TABLE romaji_drills; DROP TABLE romaji_kana; DROP TABLE romaji_confusions; DROP TABLE romaji_top10;"
      "UPDATE schema_version SET version = 1");
  ASSERT_EQ(Version(), 1);
  {
    auto h = Make();
    EXPECT_TRUE(h->RomajiDrills().empty());
    EXPECT_EQ(h->GetStatus(), records::History::Status::Writable);
    EXPECT_TRUE(h->TakeNotices().empty());
    ASSERT_EQ(h->Drills().size(), 1u);
    EXPECT_EQ(h->Drills()[0].score, 160);
    h->AddRomajiDrill(Drill(64), {{"か", 2, 0, 500, 2}}, {});
    h->AddRomajiRank("words.txt", 1, Rank("たろう", 64));
    EXPECT_EQ(h->Queued(), 0u);
  }
  EXPECT_EQ(Version(), records::History::kSchemaVersion);
  auto again = Make();
  ASSERT_EQ(again->RomajiDrills().size(), 1u);
  EXPECT_EQ(again->RomajiDrills()[0].place, 1);
  EXPECT_EQ(again->RomajiKanaTotals().size(), 1u);
  EXPECT_EQ(again->Drills().size(), 1u);
}

// While another copy of the game holds the file, romaji drills and ranks wait in the queue
// in their order; the rank's place goes to the drill queued before it, not to a later one.
TEST_F(RomajiHistory, LockedFileKeepsRomajiDrillsAndRanksInOrder) {
  auto h = Make();
  h->Open();
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(Path().c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  h->AddRomajiDrill(Drill(96), {{"あ", 3, 1, 600, 2}}, {{'a', 's', 1}});
  h->AddRomajiRank("words.txt", 1, Rank("はなこ", 96));
  EXPECT_EQ(h->Queued(), 2u);
  EXPECT_TRUE(h->RomajiTop10("words.txt", 1).empty());  // still waiting
  sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  // A top-10 read right after a drill writes what waits first.
  ASSERT_EQ(h->RomajiTop10("words.txt", 1).size(), 1u);
  EXPECT_EQ(h->Queued(), 0u);
  h->AddRomajiDrill(Drill(32), {{"あ", 1, 0, 200, 1}}, {});
  EXPECT_EQ(h->Queued(), 0u);
  const auto drills = h->RomajiDrills();
  ASSERT_EQ(drills.size(), 2u);
  EXPECT_EQ(drills[0].score, 96);
  EXPECT_EQ(drills[0].place, 1);
  EXPECT_EQ(drills[1].place, 0);
  EXPECT_EQ(h->RomajiKanaTotals()[0].targeted, 4);  // the drill that waited counts once
  EXPECT_EQ(h->RomajiConfusionTotals()[0].count, 1);
}

// Each list and time setting has a table of its own: best first, a tie below the earlier
// entries, never more than ten; a score that would be eleventh takes no place.
TEST_F(RomajiHistory, TopTenTablesPerListAndTimeSetting) {
  auto h = Make();
  h->AddRomajiRank("words.txt", 0, Rank("other time", 16));
  h->AddRomajiRank("phrases.txt", 1, Rank("other list", 16));
  const int scores[] = {160, 320, 160, 480, 64, 640, 160, 800, 96, 112, 128};
  for (size_t i = 0; i < std::size(scores); ++i) {
    ASSERT_GT(h->RomajiPlace("words.txt", 1, scores[i]), 0) << i;
    h->AddRomajiDrill(Drill(scores[i]), {}, {});
    h->AddRomajiRank("words.txt", 1, Rank("p" + std::to_string(i), scores[i]));
  }

  const auto table = h->RomajiTop10("words.txt", 1);
  std::string names;
  for (const auto& r : table) names += r.name + " ";
  // 64 was pushed off by the eleventh; the three 160s in the order they came.
  EXPECT_EQ(names, "p7 p5 p3 p1 p0 p2 p6 p10 p9 p8 ");
  ASSERT_EQ(table.size(), 10u);
  EXPECT_EQ(table[0].score, 800);
  EXPECT_EQ(table[0].good, 50);
  EXPECT_EQ(table[0].at, "2026-12-06 10:01:00");

  const struct { int score, place; } places[] = {{801, 1}, {800, 2}, {161, 5}, {160, 8}, {97, 10}, {96, 0}, {0, 0}};
  for (const auto& p : places) EXPECT_EQ(h->RomajiPlace("words.txt", 1, p.score), p.place) << p.score;
  EXPECT_EQ(h->RomajiPlace("words.txt", 2, 0), 1);  // an empty table
  EXPECT_EQ(h->RomajiTop10("words.txt", 0).size(), 1u);
  EXPECT_EQ(h->RomajiTop10("phrases.txt", 1).size(), 1u);
  EXPECT_EQ(h->RomajiTables(),
            (std::vector<std::pair<std::string, int>>{{"phrases.txt", 1}, {"words.txt", 0}, {"words.txt", 1}}));

  // Each drill keeps the place its rank took when written; the 64 lost its seat later.
  const auto drills = h->RomajiDrills();
  ASSERT_EQ(drills.size(), std::size(scores));
  EXPECT_EQ(drills[0].place, 1);
  EXPECT_EQ(drills[1].place, 1);   // 320 over 160
  EXPECT_EQ(drills[2].place, 3);   // the second 160 below the first
  EXPECT_EQ(drills[7].place, 1);   // 800
  EXPECT_EQ(drills[10].place, 8);  // 128
}

TEST_F(RomajiHistory, NewerSchemaIsReadButNeverWritten) {
  {
    auto h = Make();
    h->AddRomajiDrill(Drill(64), {{"か", 2, 1, 500, 2}}, {{'k', 'l', 1}});
    h->AddRomajiRank("words.txt", 1, Rank("たろう", 64));
  }
  Run("UPDATE schema_version SET version = " + std::to_string(records::History::kSchemaVersion + 1));
  auto h = Make();
  h->Open();
  EXPECT_EQ(h->GetStatus(), records::History::Status::ReadOnly);
  EXPECT_EQ(h->TakeNotices().size(), 1u);
  h->AddRomajiDrill(Drill(80), {{"か", 9, 9, 500, 9}}, {});
  h->AddRomajiRank("words.txt", 1, Rank("じろう", 80));
  EXPECT_EQ(h->Queued(), 0u);
  ASSERT_EQ(h->RomajiDrills().size(), 1u);
  EXPECT_EQ(h->RomajiDrills()[0].place, 1);
  EXPECT_EQ(h->RomajiKanaTotals()[0].targeted, 2);
  ASSERT_EQ(h->RomajiTop10("words.txt", 1).size(), 1u);
  EXPECT_EQ(h->RomajiTop10("words.txt", 1)[0].name, "たろう");
  EXPECT_EQ(h->RomajiPlace("words.txt", 1, 80), 1);
  EXPECT_EQ(Version(), records::History::kSchemaVersion + 1);
}

}  // namespace
