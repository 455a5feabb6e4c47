// The history file: what a drill writes, and a damaged, truncated, locked, newer or
// unreachable file, none of which may stop the game; the CSV export read back.
#include "records/History.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>

#include "DamagedHistory.h"
#include "Unprivileged.h"
#include "records/HistoryCsv.h"

namespace {

struct HistoryFile : ::testing::Test {
  QTemporaryDir dir;
  std::string Path() const { return dir.path().toStdString() + "/dojokai.db"; }
  std::unique_ptr<records::History> Make() {
    return std::make_unique<records::History>(Path(), [] { return std::string("20261206-100000"); });
  }
  static records::DrillEntry Drill(int score) {
    records::DrillEntry d;
    d.started = "2026-12-06 10:00:00";
    d.mode = 4;
    d.timeSetting = 1;
    d.score = score;
    d.good = score / 16;
    d.endedBy = "time";
    return d;
  }
  // ｹ targeted twice, missed once by typing ﾑ; ｱ hit after 250 ms.
  static game::KeyLog Log() {
    game::KeyLog log;
    log.Judge(0xB9, 0xB9, true, 1000);
    log.Judge(0xB1, 0xD1, false, 1100);
    log.Judge(0xB1, 0xB1, true, 1250);
    log.Judge(0xB9, 0xD1, false, 1300);
    log.Judge(0xB9, 0xD1, false, 1400);
    log.Judge(0xB9, 0xB9, true, 1500);
    return log;
  }
};

TEST_F(HistoryFile, DrillRowsKeysAndConfusionsReadBackInWriteOrder) {
  auto h = Make();
  h->Open();
  ASSERT_EQ(h->GetStatus(), records::History::Status::Writable);
  // A clock that jumped back: the rows still come back in the order written.
  auto later = Drill(320);
  auto earlier = Drill(160);
  earlier.started = "2026-12-01 09:00:00";
  h->AddDrill(later, Log());
  h->SetLastPlace(3);
  h->AddDrill(earlier, game::KeyLog{});
  h->AddCertification({"2026-12-06 10:01:00", 0, 4, 1, 160, 7, "合格 7級"});
  const auto drills = h->Drills();
  ASSERT_EQ(drills.size(), 2u);
  EXPECT_EQ(drills[0].score, 320);
  EXPECT_EQ(drills[0].place, 3);
  EXPECT_EQ(drills[1].started, "2026-12-01 09:00:00");
  EXPECT_EQ(drills[1].certification, "合格 7級");
  ASSERT_EQ(h->Certifications().size(), 1u);
  EXPECT_EQ(h->Certifications()[0].drillId, drills[1].id);

  const auto keys = h->KeysOfDrill(drills[0].id);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].ch, 0xB1);
  EXPECT_EQ(keys[0].targeted, 1);
  EXPECT_EQ(keys[0].missed, 1);
  EXPECT_DOUBLE_EQ(keys[0].MeanMs(), 250);
  EXPECT_EQ(keys[1].ch, 0xB9);
  EXPECT_EQ(keys[1].targeted, 2);
  EXPECT_EQ(keys[1].missed, 2);
  EXPECT_DOUBLE_EQ(keys[1].MeanMs(), 250);  // the second ｹ: 1250 -> 1500; the first had no hit before it
  const auto confusions = h->ConfusionTotals();
  ASSERT_EQ(confusions.size(), 2u);
  EXPECT_EQ(confusions[0].target, 0xB9);
  EXPECT_EQ(confusions[0].typed, 0xD1);
  EXPECT_EQ(confusions[0].count, 2);

  // Another connection (a second copy of the game) sees the same rows.
  h.reset();
  EXPECT_EQ(Make()->Drills().size(), 2u);
}

TEST_F(HistoryFile, DamagedOrTruncatedFileIsMovedAsideOnceAndStartedAfresh) {
  {
    auto h = Make();
    for (int i = 0; i < 200; ++i) h->AddDrill(Drill(i * 16), Log());
  }
  // Truncated in the middle of its pages, then overwritten with junk in its header.
  std::filesystem::resize_file(Path(), std::filesystem::file_size(Path()) / 2);
  {
    std::fstream f(Path(), std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(0);
    f << "this is no database at all, only words";
  }
  auto h = Make();
  h->Open();
  EXPECT_EQ(h->GetStatus(), records::History::Status::Writable);
  const auto notices = h->TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("壊れていた"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(Path() + ".damaged-20261206-100000"));
  EXPECT_TRUE(h->Drills().empty());
  h->AddDrill(Drill(16), Log());
  EXPECT_EQ(h->Drills().size(), 1u);
  EXPECT_TRUE(h->TakeNotices().empty());
}

// A page damaged after the file was written is found only by the read of its table: that
// read sets the file aside as a write would, tells the player once and gives no rows; the
// history goes on in a fresh file.
TEST_F(HistoryFile, ADamagedPageFoundByAReadSetsTheFileAsideOnce) {
  const std::pair<const char*, std::function<size_t(records::History&)>> readers[] = {
      {"drills", [](records::History& h) { return h.Drills().size(); }},
      {"key_totals", [](records::History& h) { return h.KeyTotals().size(); }},
      {"drill_confusions", [](records::History& h) { return h.ConfusionsOfDrill(1).size(); }},
      {"romaji_drills", [](records::History& h) { return h.RomajiDrills().size(); }}};
  for (const auto& [table, read] : readers) {
    std::filesystem::remove(Path());
    std::filesystem::remove(Path() + ".damaged-20261206-100000");
    {
      auto h = Make();
      for (int i = 0; i < 200; ++i) h->AddDrill(Drill(i * 16), Log());
    }
    DamageTablePage(Path(), table);
    auto h = Make();
    h->Open();
    ASSERT_EQ(h->GetStatus(), records::History::Status::Writable) << table;
    ASSERT_TRUE(h->TakeNotices().empty()) << table;  // the first read of the file sees nothing wrong

    EXPECT_EQ(read(*h), 0u) << table;
    const auto notices = h->TakeNotices();
    ASSERT_EQ(notices.size(), 1u) << table;
    EXPECT_NE(notices[0].find("壊れていた"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(Path() + ".damaged-20261206-100000")) << table;
    EXPECT_EQ(h->GetStatus(), records::History::Status::Writable) << table;
    EXPECT_EQ(read(*h), 0u) << table;
    EXPECT_TRUE(h->TakeNotices().empty()) << table;
    h->AddDrill(Drill(16), Log());
    EXPECT_EQ(h->Drills().size(), 1u) << table;
    EXPECT_EQ(h->KeyTotals().size(), 2u) << table;
  }
}

TEST_F(HistoryFile, LockedFileKeepsTheDrillForTheNextFlush) {
  auto h = Make();
  h->Open();
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(Path().c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  h->AddDrill(Drill(32), Log());
  EXPECT_EQ(h->Queued(), 1u);
  sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  h->AddDrill(Drill(48), Log());
  EXPECT_EQ(h->Queued(), 0u);
  const auto drills = h->Drills();
  ASSERT_EQ(drills.size(), 2u);
  EXPECT_EQ(drills[0].score, 32);
  EXPECT_EQ(h->KeysOfDrill(drills[0].id).size(), 2u);
  // The running totals count the drill that waited once, not once per try.
  const auto totals = h->KeyTotals();
  ASSERT_EQ(totals.size(), 2u);
  EXPECT_EQ(totals[1].ch, 0xB9);
  EXPECT_EQ(totals[1].targeted, 4);
  EXPECT_EQ(totals[1].missed, 4);
  EXPECT_EQ(h->ConfusionTotals()[0].count, 4);
}

// The disk made full at will: SQLite's file layer lets its system calls be replaced (as its
// own tests do), and every write then fails as it does when no block is left.
struct FullDisk {
  static inline bool full = false;
  static inline sqlite3_syscall_ptr write = nullptr, pwrite64 = nullptr;
  static ssize_t Write(int fd, const void* data, size_t n) {
    if (full) return errno = ENOSPC, -1;
    return reinterpret_cast<ssize_t (*)(int, const void*, size_t)>(write)(fd, data, n);
  }
  static ssize_t Pwrite64(int fd, const void* data, size_t n, off64_t at) {
    if (full) return errno = ENOSPC, -1;
    return reinterpret_cast<ssize_t (*)(int, const void*, size_t, off64_t)>(pwrite64)(fd, data, n, at);
  }
  static void Install() {
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    if (write) return;
    write = vfs->xGetSystemCall(vfs, "write");
    pwrite64 = vfs->xGetSystemCall(vfs, "pwrite64");
    ASSERT_TRUE(write && pwrite64);
    vfs->xSetSystemCall(vfs, "write", reinterpret_cast<sqlite3_syscall_ptr>(Write));
    vfs->xSetSystemCall(vfs, "pwrite64", reinterpret_cast<sqlite3_syscall_ptr>(Pwrite64));
  }
};

TEST_F(HistoryFile, AFullDiskIsToldOnceAndTheHistoryCatchesUpWhenThereIsRoom) {
  FullDisk::Install();
  auto h = Make();
  h->AddDrill(Drill(32), Log());
  FullDisk::full = true;
  h->AddDrill(Drill(48), Log());
  h->AddLesson({"2026-12-06 10:05:00", 3, 1, true});
  EXPECT_EQ(h->Queued(), 2u);
  auto notices = h->TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("ディスクがいっぱいです"), std::string::npos);
  FullDisk::full = false;
  ASSERT_TRUE(h->Flush());
  EXPECT_EQ(h->Drills().size(), 2u);
  EXPECT_EQ(h->Lessons().size(), 1u);
  EXPECT_EQ(h->KeyTotals()[1].targeted, 4);  // the drill that waited counts once
  // A second time the disk fills up, the player hears of it again.
  FullDisk::full = true;
  h->AddDrill(Drill(64), Log());
  EXPECT_EQ(h->TakeNotices().size(), 1u);
  FullDisk::full = false;
}

TEST_F(HistoryFile, NewerSchemaIsReadButNeverWritten) {
  {
    auto h = Make();
    h->AddDrill(Drill(64), Log());
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
  const std::string newer =
      "UPDATE schema_version SET version = " + std::to_string(records::History::kSchemaVersion + 1);
  sqlite3_exec(db, newer.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  auto h = Make();
  h->Open();
  EXPECT_EQ(h->GetStatus(), records::History::Status::ReadOnly);
  EXPECT_EQ(h->TakeNotices().size(), 1u);
  h->AddDrill(Drill(80), Log());
  h->Open();
  EXPECT_TRUE(h->TakeNotices().empty());  // told once
  ASSERT_EQ(h->Drills().size(), 1u);
  EXPECT_EQ(h->Drills()[0].score, 64);
}

TEST_F(HistoryFile, MissingOrReadOnlyFolderLeavesTheHistoryOff) {
  records::History missing(dir.path().toStdString() + "/no/such/folder/dojokai.db", nullptr);
  missing.AddDrill(Drill(16), Log());
  EXPECT_EQ(missing.GetStatus(), records::History::Status::Unavailable);
  EXPECT_EQ(missing.Queued(), 0u);
  EXPECT_TRUE(missing.Drills().empty());
  RunAsUnprivilegedUser([](const std::string& folder) {
    const std::string ro = folder + "/ro";
    std::filesystem::create_directory(ro);
    std::filesystem::permissions(ro, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    records::History readOnly(ro + "/dojokai.db", nullptr);
    readOnly.AddDrill(Drill(16), Log());
    EXPECT_EQ(readOnly.GetStatus(), records::History::Status::Unavailable);
    EXPECT_EQ(readOnly.Queued(), 0u);
    EXPECT_FALSE(std::filesystem::exists(ro + "/dojokai.db"));
    std::filesystem::permissions(ro, std::filesystem::perms::owner_all);
  });
}

TEST_F(HistoryFile, CsvExportReadsBackRowForRow) {
  auto h = Make();
  auto practice = Drill(0);
  practice.practice = true;
  practice.mode = 2;
  practice.timeSetting = 3;
  practice.certification = "不合格, \"MISS\"";  // a field that needs quoting
  practice.keysPerSecond = 4.125;
  h->AddDrill(Drill(320), Log());
  h->AddDrill(practice, Log());
  const std::string path = dir.path().toStdString() + "/out.csv";
  ASSERT_TRUE(records::ExportDrillsCsv(*h, path));
  std::ifstream f(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  // UTF-8 with a byte-order mark, the columns named in Japanese.
  EXPECT_EQ(text.substr(0, text.find('\r')),
            "\xEF\xBB\xBF番号,日時,モード番号,モード,時間番号,時間,スコア,GOOD,MISS,正確さ(%),所要時間(ms),打鍵/秒,"
            "ベスト10順位,検定,苦手キー練習,終わり方");
  EXPECT_NE(text.find("ｱｲｳ"), std::string::npos);
  const auto rows = records::ParseDrillsCsv(text);
  ASSERT_TRUE(rows.has_value());
  const auto drills = h->Drills();
  ASSERT_EQ(rows->size(), drills.size());
  for (size_t i = 0; i < drills.size(); ++i) {
    EXPECT_EQ((*rows)[i].id, drills[i].id);
    EXPECT_EQ((*rows)[i].started, drills[i].started);
    EXPECT_EQ((*rows)[i].mode, drills[i].mode);
    EXPECT_EQ((*rows)[i].score, drills[i].score);
    EXPECT_EQ((*rows)[i].certification, drills[i].certification);
    EXPECT_EQ((*rows)[i].practice, drills[i].practice);
    EXPECT_DOUBLE_EQ((*rows)[i].keysPerSecond, drills[i].keysPerSecond);
  }
  // A file of the first exports: English column names, no byte-order mark.
  const std::string old =
      "id,started,mode,mode_name,time_setting,time_name,score,good,miss,accuracy_percent,duration_ms,keys_per_sec,"
      "top10_place,certification,practice,ended_by\r\n"
      "7,2026-12-01 10:00:00,4,ｱｲｳ,1,60s,1200,80,5,94.1,60000,1.417,3,,0,time\r\n";
  const auto oldRows = records::ParseDrillsCsv(old);
  ASSERT_TRUE(oldRows.has_value());
  ASSERT_EQ(oldRows->size(), 1u);
  EXPECT_EQ((*oldRows)[0].score, 1200);
  EXPECT_EQ((*oldRows)[0].place, 3);
  EXPECT_FALSE(records::ParseDrillsCsv("id,started\r\n1,2\r\n").has_value());
  EXPECT_FALSE(records::ParseDrillsCsv(text.substr(0, text.size() - 20) + "\"").has_value());
}

}  // namespace
