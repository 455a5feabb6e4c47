// The driver's stats commands: the window opened, its views dumped and pictured at the
// main window's size, the history exported, and bad commands told by line.
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <fstream>

#include "DriverFixture.h"
#include "records/HistoryCsv.h"

namespace {

struct StatsCommandsTest : DriverFixture {
  std::string File(const char* name) const { return dir.path().toStdString() + "/" + name; }
  QJsonObject Json(const std::string& file) {
    std::ifstream f(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
  }
};

const std::string kTwoDrills = R"(start
wait 2100
key SPACE
key 1
key a
wait 250
key c
key b
wait 250
key c
key ESC
wait 1500
key ENTER
key SPACE
wait 100
now 2026-12-07 09:00:00
key SPACE
key 1
type ab
wait 500
type cdefghijk
key ESC
wait 1500
key ENTER
key SPACE
wait 100
)";

TEST_F(StatsCommandsTest, DumpShowsEveryViewsFiguresAndShotPicturesTheWindow) {
  Run(kTwoDrills + "stats dump " + File("closed.json") + "\nstats open\nstats tab keys\nstats layer latin\n" + "shot " +
      File("small.png") + "\nstats select 0\nstats dump " + File("open.json") + "\nstats dump -\nstats close\n" +
      "resize 1920 1200\nkey G\nshot " + File("large.png") + "\nstats close\nshot " + File("game.png") + "\n");
  EXPECT_FALSE(Json(File("closed.json"))["window_open"].toBool());
  // Laid out as the toolkit lays out a document, so that dumps of old and new games compare.
  const QByteArray dumped = QByteArray::fromStdString(out.str());
  EXPECT_EQ(dumped, QJsonDocument::fromJson(dumped).toJson(QJsonDocument::Indented));
  const QJsonObject root = Json(File("open.json"));
  const QJsonArray drills = root["drills"].toArray();
  ASSERT_EQ(drills.size(), 2);
  EXPECT_EQ(drills[0].toObject()["miss"].toInt(), 2);  // one wrong key and the Esc
  EXPECT_EQ(drills[1].toObject()["started"].toString(), QStringLiteral("2026-12-07 09:00:00"));
  const QJsonObject views = root["views"].toObject();
  EXPECT_EQ(views["tab"].toString(), QStringLiteral("keys"));
  // The first drill, of four keys, is left out of the trends but not of the practice per day.
  const QJsonObject trend = views["trend"].toObject();
  EXPECT_EQ(trend["selection"].toString(), QStringLiteral("ABC 30s"));
  EXPECT_EQ(trend["choices"].toArray(), (QJsonArray{"all", "ABC 30s"}));
  EXPECT_EQ(trend["left_out"].toInt(), 1);
  EXPECT_EQ(trend["score"].toArray(), (QJsonArray{160}));  // 11 hits, and the Esc a miss
  const QJsonArray drillAxis = trend["axes"].toObject()["drill"].toArray();
  EXPECT_DOUBLE_EQ(drillAxis[0].toDouble() + drillAxis[1].toDouble(), 2);  // the one drill in the middle
  // b: targeted twice (once in each drill), missed once (c typed for it).
  const QJsonArray ranked = views["keys"].toObject()["latin"].toObject()["ranked"].toArray();
  bool sawB = false;
  for (const auto& k : ranked)
    if (k.toObject()["char"].toString() == QStringLiteral("b")) {
      sawB = true;
      EXPECT_EQ(k.toObject()["targeted"].toInt(), 2);
      EXPECT_EQ(k.toObject()["missed"].toInt(), 1);
      EXPECT_DOUBLE_EQ(k.toObject()["miss_rate"].toDouble(), 0.5);
      EXPECT_FALSE(k.toObject()["enough"].toBool());
    }
  EXPECT_TRUE(sawB);
  EXPECT_EQ(views["confusions"].toObject()["latin"].toArray()[0].toObject()["text"].toString(),
            QStringLiteral("b → c 1回"));
  const QJsonObject volume = views["volume"].toObject();
  EXPECT_EQ(volume["streak"].toInt(), 2);
  EXPECT_EQ(volume["days"].toArray().size(), 2);
  EXPECT_EQ(volume["axis"].toArray().last().toObject()["date"].toString(), QStringLiteral("2026-12-07"));
  // Headless there is no screen to fit: never smaller than 800 × 600, else as large as the
  // game's window.
  EXPECT_EQ(QImage(QString::fromStdString(File("small.png"))).size(), QSize(800, 600));
  EXPECT_EQ(QImage(QString::fromStdString(File("large.png"))).size(), QSize(1920, 1200));
  EXPECT_EQ(QImage(QString::fromStdString(File("game.png"))).size(), QSize(1920, 1200));
}

TEST_F(StatsCommandsTest, ExportWritesTheDrillsAsCsv) {
  Run(kTwoDrills + "stats export " + File("history.csv") + "\n");
  std::ifstream f(File("history.csv"), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  const auto rows = records::ParseDrillsCsv(text);
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 2u);
  EXPECT_EQ((*rows)[0].good, 3);
  EXPECT_EQ((*rows)[1].endedBy, "esc");
}

TEST_F(StatsCommandsTest, BadStatsCommandsExitOne) {
  for (const char* bad : {"stats open\n", "start\nstats\n", "start\nstats fly\n", "start\nstats tab nowhere\n",
                          "start\nstats layer greek\n", "start\nstats select 28\n", "start\nstats select x\n",
                          "start\nstats practice\n", "start\nstats export /no/such/folder/x.csv\n"}) {
    drive::Driver d(dir.path().toStdString(), out, err);
    EXPECT_EQ(d.Run(bad), 1) << bad;
  }
}

}  // namespace
