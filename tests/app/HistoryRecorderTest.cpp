// Drills played through the driver on the virtual clock, and what the history keeps of
// them; G on the title; the weak-key practice started from the statistics window.
#include "app/HistoryRecorder.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <filesystem>
#include <fstream>
#include <sqlite3.h>
#include <QJsonDocument>
#include <QJsonObject>

#include "DamagedHistory.h"
#include "DriverFixture.h"
#include "app/TForm2.h"
#include "stats/StatsWindow.h"
#include "tools/drive/StatsCommands.h"

namespace {

struct HistoryRecorderTest : DriverFixture {
  records::History& History() { return Form().History().History(); }
  // A drill in the history where q and z are missed often and the home row never.
  void AddWeakQAndZ() {
    game::KeyLog log;
    uint32_t t = 1000;
    for (uint8_t c : std::string("asdfjklqzpqzasdfqzjkl;qzqzasdfghjkl")) {
      if (c == 'q' || c == 'z') log.Judge(c, 'w', false, t += 100);
      log.Judge(c, c, true, t += 200);
    }
    records::DrillEntry seed;
    seed.started = "2026-12-05 10:00:00";
    History().AddDrill(seed, log);
  }
};

TEST_F(HistoryRecorderTest, ADrillWithMistakesWritesItsTargetsMissesConfusionsAndTimes) {
  Run(R"(start
wait 2100
key SPACE
key 1
key q
wait 700
key a
wait 300
key b
wait 500
key x
wait 100
key v
wait 100
key c
wait 400
key d
key ESC
)");
  // Written at the end of the drill, before the splash is over.
  const auto drills = History().Drills();
  ASSERT_EQ(drills.size(), 1u);
  const records::DrillEntry& d = drills[0];
  EXPECT_EQ(d.mode, 0);
  EXPECT_EQ(d.timeSetting, 0);
  // As the results show them: q before the first hit is not judged, the Esc is a miss.
  EXPECT_EQ(d.good, 4);
  EXPECT_EQ(d.miss, 3);
  EXPECT_EQ(d.score, 16);
  EXPECT_EQ(d.durationMs, 1400);
  EXPECT_NEAR(d.keysPerSecond, 6 / 1.4, 1e-9);
  EXPECT_EQ(d.started, "2026-12-06 10:00:02");
  EXPECT_EQ(d.endedBy, "esc");
  EXPECT_FALSE(d.practice);

  // The keys typed: the Esc is no attempt at a key.
  const auto keys = History().KeysOfDrill(d.id);
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].ch, 'a');
  EXPECT_EQ(keys[0].hitsTimed, 0);  // the first hit has no hit before it
  EXPECT_EQ(keys[1].ch, 'b');
  EXPECT_DOUBLE_EQ(keys[1].MeanMs(), 300);
  EXPECT_EQ(keys[2].ch, 'c');
  EXPECT_EQ(keys[2].targeted, 1);
  EXPECT_EQ(keys[2].missed, 2);
  EXPECT_DOUBLE_EQ(keys[2].MeanMs(), 700);
  EXPECT_DOUBLE_EQ(keys[3].MeanMs(), 400);
  const auto confusions = History().ConfusionsOfDrill(d.id);
  ASSERT_EQ(confusions.size(), 2u);
  EXPECT_EQ(confusions[0].typed, 'v');
  EXPECT_EQ(confusions[1].typed, 'x');
  Run("wait 1100\nkey ENTER\n");
  EXPECT_EQ(C().F4L37->Caption(), "00016   00004   00003");
}

TEST_F(HistoryRecorderTest, KanaConfusionsUntimedAndMissLimiterDrillsAreAllKept) {
  Run(R"(start
wait 2100
key +
key SPACE
key 5
kanalock on
key ｱ
key ｳ
key ｳ
key ｲ
kanalock off
key ESC
wait 3000
key SPACE
key SPACE
key SPACE
key SPACE
key SPACE
key 1
type aqqqqqqqqq
wait 3000
)");
  const auto drills = History().Drills();
  ASSERT_EQ(drills.size(), 2u);
  EXPECT_EQ(drills[0].mode, 4);
  EXPECT_EQ(drills[0].good, 2);
  EXPECT_EQ(drills[0].miss, 3);  // the Esc too
  const auto kana = History().ConfusionsOfDrill(drills[0].id);
  ASSERT_EQ(kana.size(), 1u);
  EXPECT_EQ(kana[0].target, 0xB2);  // ｲ typed as ｳ, twice
  EXPECT_EQ(kana[0].typed, 0xB3);
  EXPECT_EQ(kana[0].count, 2);
  EXPECT_EQ(drills[1].timeSetting, 3);  // untimed: the game shows no score, the history keeps the keys
  EXPECT_EQ(drills[1].good, 1);
  EXPECT_EQ(drills[1].miss, 9);
  EXPECT_EQ(drills[1].endedBy, "misses");

  // The driver's figures of the views agree.
  Form().History().OpenStatistics();
  const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(drive::StatsJson(Form()))).object();
  const QJsonObject views = root["views"].toObject();
  EXPECT_EQ(views["confusions"].toObject()["kana"].toArray()[0].toObject()["text"].toString(),
            QStringLiteral("ｲ → ｳ 2回"));
  EXPECT_EQ(views["volume"].toObject()["streak"].toInt(), 1);
  EXPECT_EQ(views["drills"].toInt(), 2);
}

TEST_F(HistoryRecorderTest, GOpensTheWindowOnlyWithTheInformationPanelClosed) {
  Run("start\nwait 2100\nkey I\n");
  ASSERT_TRUE(C().Panel6->Visible());
  const int page = State().InfoPage;
  Run("key G\n");
  EXPECT_EQ(Form().History().Window(), nullptr);
  EXPECT_NE(State().InfoPage, page);  // G still turns the page
  Run("key ESC\nwait 500\n");
  while (C().Panel6->Visible()) Run("key G\n");
  Run("key G\n");
  ASSERT_NE(Form().History().Window(), nullptr);
  EXPECT_TRUE(Form().History().Window()->isVisible());
  EXPECT_TRUE(C().Panel1->Visible());
}

TEST_F(HistoryRecorderTest, WeakKeyPracticeIsAnUntimedDrillOfTheWeakKeysOutsideTheTables) {
  Run("start\nwait 2100\n");
  AddWeakQAndZ();
  game::DatRecord before;
  before.Bytes() = Record().Bytes();
  State().Mode = 5;
  State().DurationIndex = 1;
  State().CertSwitch = 1;  // a practice is never judged
  Form().History().OpenStatistics();
  stats::StatsWindow& w = *Form().History().Window();
  const auto weak = w.WeakKeys(stats::Layer::Latin);
  ASSERT_GE(weak.size(), 2u);
  EXPECT_EQ(std::string(weak.begin(), weak.begin() + 2), "qz");
  ASSERT_EQ(Form().History().StartPractice(stats::Layer::Latin), "");
  EXPECT_TRUE(C().F1Panel->Visible());
  EXPECT_EQ(State().DurationIndex, 3);
  const std::string text = State().DrillText.View();
  ASSERT_FALSE(text.empty());
  for (char c : text) EXPECT_NE(std::string("asdfghjkl;qzp").find(c), std::string::npos) << c;
  // A second press while the practice runs starts nothing.
  EXPECT_NE(Form().History().StartPractice(stats::Layer::Latin), "");
  Run("type " + text.substr(0, 12) + "\nkey ~\nwait 200\nkey ESC\nwait 1500\n");
  // Its own figures (the Esc a miss, as in any drill), with no table, then the title.
  ASSERT_TRUE(C().F4Panel->Visible());
  EXPECT_EQ(C().F4L37->Caption(), "00160   00012   00002");
  EXPECT_EQ(C().F4L14->Caption(), "苦手キー練習");
  EXPECT_EQ(C().c_no1->Caption(), "");
  EXPECT_EQ(State().PendingRank, 10);
  Run("key SPACE\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_FALSE(C().LmPanel->Visible());
  EXPECT_EQ(State().Mode, 5);  // the player's choice comes back
  EXPECT_EQ(State().DurationIndex, 1);
  const auto drills = History().Drills();
  ASSERT_EQ(drills.size(), 2u);
  EXPECT_TRUE(drills[1].practice);
  EXPECT_EQ(drills[1].good, 12);
  EXPECT_EQ(drills[1].miss, 2);
  EXPECT_EQ(drills[1].place, 0);
  // No top-10 table changed (only the counters of keys and drills moved).
  for (int table = 0; table < game::DatRecord::kRankTables; ++table)
    for (int r = 0; r < game::DatRecord::kRanksPerTable; ++r)
      EXPECT_EQ(Record().RankEntry(table, r).Score, before.RankEntry(table, r).Score);
}

TEST_F(HistoryRecorderTest, PracticeStartsWhateverTheTitleShowsButNotDuringADrill) {
  Run("start\nwait 2100\nkey SPACE\nkey 1\ntype abcdefghij\nkey ESC\nwait 1500\nkey ENTER\nkey SPACE\n");
  AddWeakQAndZ();  // no statistics window is needed for a practice
  ASSERT_EQ(Form().History().Window(), nullptr);
  auto practiceFrom = [&](const std::string& script) {
    Run(script);
    const std::string refused = Form().History().StartPractice(stats::Layer::Latin);
    const bool started = refused.empty() && C().F1Panel->Visible() && !C().F4Panel->Visible() &&
                         !C().Panel6->Visible() && !C().Panel1->Visible();
    if (started) Run("key ESC\nwait 200\n");
    return started;
  };
  EXPECT_TRUE(practiceFrom("wait 11000\nexpect visible F4Panel\nexpect state IdleScoreShow 1\n"));
  EXPECT_EQ(State().IdleScoreShow, 0);
  EXPECT_TRUE(practiceFrom("key I\nkey I\nexpect visible Panel6\n"));
  EXPECT_EQ(State().InfoPage, 0);
  EXPECT_TRUE(practiceFrom("key SPACE\nexpect visible F6Panel\n"));
  EXPECT_FALSE(practiceFrom("key SPACE\nkey 2\n"));
  EXPECT_TRUE(C().F1Panel->Visible());
}

}  // namespace

namespace {

TEST_F(HistoryRecorderTest, NoFileWithoutADrillAndAJudgementWithTheGradeFinallyReached) {
  Run("start\nwait 2100\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path().toStdString() + "/dojokai.db"));
  // 157 hits at ABC 30 s with LICENCE on climb three grades, one key each.
  std::string script = "key l\nset F9M1 TARO\nkey ENTER\nkey SPACE\nkey 1\n";
  for (int i = 0; i < 6; ++i) script += "type abcdefghijklmnopqrstuvwxyz\n";
  script += "type a\nwait 31100\nkey ENTER\nkey SPACE\nkey SPACE\nkey SPACE\nkey SPACE\n";
  Run(script);
  ASSERT_TRUE(C().Panel1->Visible());
  const auto drills = History().Drills();
  ASSERT_EQ(drills.size(), 1u);
  EXPECT_EQ(drills[0].good, 157);
  EXPECT_EQ(drills[0].endedBy, "time");
  EXPECT_EQ(drills[0].place, 2);                    // behind the 3000 points of the new table
  EXPECT_TRUE(History().Certifications().empty());  // the grade may still climb
  Run("close\n");
  const auto certs = History().Certifications();
  ASSERT_EQ(certs.size(), 1u);
  EXPECT_EQ(certs[0].drillId, drills[0].id);
  EXPECT_EQ(certs[0].grade, 6);
  EXPECT_EQ(certs[0].result, "合格 6級");
  EXPECT_EQ(History().Drills()[0].certification, "合格 6級");
}

}  // namespace

namespace {

TEST_F(HistoryRecorderTest, LessonResultsAreKept) {
  std::string script = "start\nwait 2100\nkey SPACE\nkey 0\nwait 100\n";
  for (int i = 0; i < 12; ++i) script += "key TAB\n";
  script += "wait 100\ntype abcdefghijklmnopqrstuvwxyz13579\nkey x\ntype 24680\n";
  Run(script);
  ASSERT_EQ(State().LessonNo, 14);
  const auto lessons = History().Lessons();
  ASSERT_EQ(lessons.size(), 1u);  // lessons passed over with Tab are not results
  EXPECT_EQ(lessons[0].lesson, 13);
  EXPECT_EQ(lessons[0].misses, 1);
  EXPECT_TRUE(lessons[0].passed);
  EXPECT_TRUE(History().Drills().empty());
}

TEST_F(HistoryRecorderTest, ADamagedFileIsToldOnceAtTheStartAndTheGameGoesOn) {
  const std::string db = dir.path().toStdString() + "/dojokai.db";
  {
    std::ofstream f(db, std::ios::binary);
    f << std::string(4096, 'x');
  }
  Run("now 2026-12-06 21:30:05\nstart\nwait 2100\nkey SPACE\nkey 1\ntype abc\nkey ESC\nwait 1500\n");
  int told = 0;
  for (const auto& m : Platform().Messages()) told += m.text.find("壊れていた") != std::string::npos;
  EXPECT_EQ(told, 1);
  EXPECT_TRUE(std::filesystem::exists(db + ".damaged-20261206-213005"));
  ASSERT_EQ(History().Drills().size(), 1u);
  EXPECT_EQ(History().Drills()[0].good, 3);
}

// A page damaged where only the keys tab reads is told as soon as the tab is shown.
TEST_F(HistoryRecorderTest, ADamagedPageFoundInTheWindowIsToldAtOnceAndTheGameGoesOn) {
  const std::string db = dir.path().toStdString() + "/dojokai.db";
  {
    records::History h(db, nullptr);
    game::KeyLog log;
    log.Judge('a', 'a', true, 1000);
    for (int i = 0; i < 50; ++i) h.AddDrill(records::DrillEntry{}, log);
  }
  DamageTablePage(db, "key_totals");
  Run("now 2026-12-06 21:30:05\nstart\nwait 2100\nkey G\n");
  auto told = [&] {
    int n = 0;
    for (const auto& m : Platform().Messages())
      n += m.text.find("壊れていた") != std::string::npos && m.caption == "成績";
    return n;
  };
  EXPECT_EQ(told(), 0);  // the trend reads only the drills
  Run("stats tab keys\nstats tab confusions\nstats close\n");
  EXPECT_EQ(told(), 1);
  EXPECT_TRUE(std::filesystem::exists(db + ".damaged-20261206-213007"));  // after the 2.1 s of the start
  Run("key SPACE\nkey 1\ntype abc\nkey ESC\nwait 1500\n");
  EXPECT_EQ(told(), 1);
  ASSERT_EQ(History().Drills().size(), 1u);
  EXPECT_EQ(History().Drills()[0].good, 3);
}

TEST_F(HistoryRecorderTest, ANewerFileIsReadNotWrittenAndToldOnce) {
  {
    records::History h(dir.path().toStdString() + "/dojokai.db", nullptr);
    records::DrillEntry d;
    d.started = "2026-12-01 10:00:00";
    d.score = 999;
    h.AddDrill(d, game::KeyLog{});
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((dir.path().toStdString() + "/dojokai.db").c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "UPDATE schema_version SET version = 7", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  Run("start\nwait 2100\nkey SPACE\nkey 1\ntype abc\nkey ESC\nwait 1500\nkey ENTER\nkey SPACE\nwait 100\nkey G\n");
  int told = 0;
  for (const auto& m : Platform().Messages()) told += m.text.find("新しい版") != std::string::npos;
  EXPECT_EQ(told, 1);
  const auto drills = History().Drills();
  ASSERT_EQ(drills.size(), 1u);
  EXPECT_EQ(drills[0].score, 999);
}

}  // namespace
