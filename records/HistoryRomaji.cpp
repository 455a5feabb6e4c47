// The romaji drills in the history: each drill with its kana and wrong keys, and the romaji
// top-10 tables (one per list and time setting), written through the same queue as the
// other drills.
#include <sqlite3.h>

#include <utility>

#include "records/History.h"
#include "records/HistorySql.h"
#include "records/Logging.h"

namespace records {

using sql::ForEachRow;
using sql::Stmt;

// A kana is one character of a reading (UTF-8); the keys are ASCII characters.
const char* const sql::kRomajiTables = R"(
CREATE TABLE IF NOT EXISTS romaji_drills(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  started TEXT NOT NULL, list TEXT NOT NULL, kind INTEGER NOT NULL, time_setting INTEGER NOT NULL,
  score INTEGER NOT NULL, good INTEGER NOT NULL, miss INTEGER NOT NULL, duration_ms INTEGER NOT NULL,
  entries INTEGER NOT NULL, kana INTEGER NOT NULL, fewest_keys INTEGER NOT NULL,
  keys_per_sec REAL NOT NULL, kana_per_min REAL NOT NULL, accuracy REAL NOT NULL,
  top10_place INTEGER NOT NULL DEFAULT 0, practice INTEGER NOT NULL DEFAULT 0, ended_by TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS romaji_kana(
  drill_id INTEGER NOT NULL, kana TEXT NOT NULL, targeted INTEGER NOT NULL, missed INTEGER NOT NULL,
  ms_sum INTEGER NOT NULL, timed INTEGER NOT NULL, PRIMARY KEY(drill_id, kana)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS romaji_confusions(
  drill_id INTEGER NOT NULL, expected INTEGER NOT NULL, typed INTEGER NOT NULL, count INTEGER NOT NULL,
  PRIMARY KEY(drill_id, expected, typed)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS romaji_top10(
  id INTEGER PRIMARY KEY AUTOINCREMENT, list TEXT NOT NULL, time_setting INTEGER NOT NULL,
  name TEXT NOT NULL, score INTEGER NOT NULL, good INTEGER NOT NULL, miss INTEGER NOT NULL, at TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS romaji_top10_by_table ON romaji_top10(list, time_setting, score DESC, id);
)";

namespace {

// Best first; of equal scores the earlier entry stays above.
constexpr const char* kTop10Order = "ORDER BY score DESC, id";
constexpr size_t kTableSize = 10;

int StepDone(Stmt& s) {
  if (!s.Ok()) return s.PrepareCode() == SQLITE_OK ? SQLITE_ERROR : s.PrepareCode();
  const int r = s.Step();
  s.Reset();
  return r == SQLITE_DONE ? SQLITE_OK : r;
}

int64_t Byte(char c) { return static_cast<unsigned char>(c); }

}  // namespace

void History::AddRomajiDrill(const RomajiDrillEntry& drill, const std::vector<KanaFigures>& kana,
                             const std::vector<RomajiConfusion>& confusions) {
  Op op;
  op.kind = Op::RomajiDrill;
  op.romaji = drill;
  op.kana = kana;
  op.romajiConfusions = confusions;
  Enqueue(std::move(op));
  Flush();
}

void History::AddRomajiRank(const std::string& list, int timeSetting, const RomajiRank& rank) {
  Op op;
  op.kind = Op::RomajiRank;
  op.rankList = list;
  op.rankTime = timeSetting;
  op.rank = rank;
  Enqueue(std::move(op));
  Flush();
}

int History::WriteRomajiOp(Op& op) {
  int rc = SQLITE_OK;
  if (op.kind == Op::RomajiDrill) {
    const RomajiDrillEntry& d = op.romaji;
    Stmt ins(db_,
             "INSERT INTO romaji_drills(started, list, kind, time_setting, score, good, miss, duration_ms, entries,"
             " kana, fewest_keys, keys_per_sec, kana_per_min, accuracy, top10_place, practice, ended_by)"
             " VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    if (ins.Ok())
      ins.Bind(1, d.started)
          .Bind(2, d.list)
          .Bind(3, int64_t{d.kind})
          .Bind(4, int64_t{d.timeSetting})
          .Bind(5, int64_t{d.score})
          .Bind(6, int64_t{d.good})
          .Bind(7, int64_t{d.miss})
          .Bind(8, d.durationMs)
          .Bind(9, int64_t{d.entries})
          .Bind(10, int64_t{d.kana})
          .Bind(11, int64_t{d.fewestKeys})
          .Bind(12, d.keysPerSecond)
          .Bind(13, d.kanaPerMinute)
          .Bind(14, d.accuracy)
          .Bind(15, int64_t{d.place})
          .Bind(16, int64_t{d.practice})
          .Bind(17, d.endedBy);
    if ((rc = StepDone(ins)) != SQLITE_OK) return rc;
    lastRomajiId_ = sqlite3_last_insert_rowid(db_);
    // A kana or a wrong key given twice adds up rather than failing the whole write.
    Stmt kana(db_,
              "INSERT INTO romaji_kana VALUES(?,?,?,?,?,?) ON CONFLICT(drill_id, kana) DO UPDATE SET"
              " targeted = targeted + excluded.targeted, missed = missed + excluded.missed,"
              " ms_sum = ms_sum + excluded.ms_sum, timed = timed + excluded.timed");
    for (const KanaFigures& k : op.kana) {
      if (kana.Ok())
        kana.Bind(1, lastRomajiId_)
            .Bind(2, k.kana)
            .Bind(3, k.targeted)
            .Bind(4, k.missed)
            .Bind(5, k.msSum)
            .Bind(6, k.timed);
      if ((rc = StepDone(kana)) != SQLITE_OK) return rc;
    }
    Stmt conf(db_,
              "INSERT INTO romaji_confusions VALUES(?,?,?,?) ON CONFLICT(drill_id, expected, typed) DO UPDATE SET"
              " count = count + excluded.count");
    for (const RomajiConfusion& c : op.romajiConfusions) {
      if (conf.Ok()) conf.Bind(1, lastRomajiId_).Bind(2, Byte(c.expected)).Bind(3, Byte(c.typed)).Bind(4, c.count);
      if ((rc = StepDone(conf)) != SQLITE_OK) return rc;
    }
    return SQLITE_OK;
  }
  // A rank: into its table, the table cut back to ten, and the place it took given to the
  // last romaji drill.
  const RomajiRank& r = op.rank;
  Stmt ins(db_, "INSERT INTO romaji_top10(list, time_setting, name, score, good, miss, at) VALUES(?,?,?,?,?,?,?)");
  if (ins.Ok())
    ins.Bind(1, op.rankList)
        .Bind(2, int64_t{op.rankTime})
        .Bind(3, r.name)
        .Bind(4, int64_t{r.score})
        .Bind(5, int64_t{r.good})
        .Bind(6, int64_t{r.miss})
        .Bind(7, r.at);
  if ((rc = StepDone(ins)) != SQLITE_OK) return rc;
  const int64_t rankId = sqlite3_last_insert_rowid(db_);
  Stmt cut(db_, (std::string("DELETE FROM romaji_top10 WHERE list = ?1 AND time_setting = ?2 AND id NOT IN"
                             " (SELECT id FROM romaji_top10 WHERE list = ?1 AND time_setting = ?2 ") +
                 kTop10Order + " LIMIT " + std::to_string(kTableSize) + ")")
                    .c_str());
  if (cut.Ok()) cut.Bind(1, op.rankList).Bind(2, int64_t{op.rankTime});
  if ((rc = StepDone(cut)) != SQLITE_OK) return rc;
  Stmt place(db_,
             "SELECT (SELECT COUNT(*) FROM romaji_top10 WHERE list = ?1 AND time_setting = ?2 AND"
             " (score > t.score OR (score = t.score AND id < t.id))) + 1 FROM romaji_top10 AS t WHERE t.id = ?3");
  if (!place.Ok()) return place.PrepareCode() == SQLITE_OK ? SQLITE_ERROR : place.PrepareCode();
  place.Bind(1, op.rankList).Bind(2, int64_t{op.rankTime}).Bind(3, rankId);
  rc = place.Step();
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) return rc;
  const int64_t taken = rc == SQLITE_ROW ? place.Int(0) : 0;  // none: it fell off the table at once
  if (taken == 0 || lastRomajiId_ == 0) return SQLITE_OK;
  Stmt up(db_, "UPDATE romaji_drills SET top10_place = ? WHERE id = ?");
  if (up.Ok()) up.Bind(1, taken).Bind(2, lastRomajiId_);
  return StepDone(up);
}

std::vector<RomajiDrillEntry> History::RomajiDrills() {
  Open();
  std::vector<RomajiDrillEntry> rows;
  const int rc = ForEachRow(
      db_,
      "SELECT id, started, list, kind, time_setting, score, good, miss, duration_ms, entries, kana, fewest_keys,"
      " keys_per_sec, kana_per_min, accuracy, top10_place, practice, ended_by FROM romaji_drills ORDER BY id",
      [&](Stmt& q) {
        RomajiDrillEntry d;
        d.id = q.Int(0);
        d.started = q.Text(1);
        d.list = q.Text(2);
        d.kind = static_cast<int>(q.Int(3));
        d.timeSetting = static_cast<int>(q.Int(4));
        d.score = static_cast<int>(q.Int(5));
        d.good = static_cast<int>(q.Int(6));
        d.miss = static_cast<int>(q.Int(7));
        d.durationMs = q.Int(8);
        d.entries = static_cast<int>(q.Int(9));
        d.kana = static_cast<int>(q.Int(10));
        d.fewestKeys = static_cast<int>(q.Int(11));
        d.keysPerSecond = q.Real(12);
        d.kanaPerMinute = q.Real(13);
        d.accuracy = q.Real(14);
        d.place = static_cast<int>(q.Int(15));
        d.practice = q.Int(16) != 0;
        d.endedBy = q.Text(17);
        rows.push_back(std::move(d));
      });
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

namespace {
KanaFigures KanaOf(Stmt& q) { return {q.Text(0), q.Int(1), q.Int(2), q.Int(3), q.Int(4)}; }
RomajiConfusion RomajiConfusionOf(Stmt& q) {
  return {static_cast<char>(q.Int(0)), static_cast<char>(q.Int(1)), q.Int(2)};
}
}  // namespace

std::vector<KanaFigures> History::RomajiKanaTotals() {
  Open();
  std::vector<KanaFigures> rows;
  const int rc = ForEachRow(db_,
                            "SELECT kana, SUM(targeted), SUM(missed), SUM(ms_sum), SUM(timed) FROM romaji_kana"
                            " GROUP BY kana ORDER BY kana",
                            [&](Stmt& q) { rows.push_back(KanaOf(q)); });
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

std::vector<RomajiConfusion> History::RomajiConfusionTotals() {
  Open();
  std::vector<RomajiConfusion> rows;
  const int rc = ForEachRow(db_,
                            "SELECT expected, typed, SUM(count) AS n FROM romaji_confusions GROUP BY expected, typed"
                            " ORDER BY n DESC, expected, typed",
                            [&](Stmt& q) { rows.push_back(RomajiConfusionOf(q)); });
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

std::vector<KanaFigures> History::RomajiKanaOfDrill(int64_t drillId) {
  Open();
  std::vector<KanaFigures> rows;
  const int rc = ForEachRow(
      db_, "SELECT kana, targeted, missed, ms_sum, timed FROM romaji_kana WHERE drill_id = ? ORDER BY kana",
      [&](Stmt& q) { rows.push_back(KanaOf(q)); }, drillId);
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

std::vector<RomajiConfusion> History::RomajiConfusionsOfDrill(int64_t drillId) {
  Open();
  std::vector<RomajiConfusion> rows;
  const int rc = ForEachRow(
      db_,
      "SELECT expected, typed, count FROM romaji_confusions WHERE drill_id = ? ORDER BY count DESC, expected, typed",
      [&](Stmt& q) { rows.push_back(RomajiConfusionOf(q)); }, drillId);
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

// A place is read right after the drill that earned it: what waits is written first.
std::vector<RomajiRank> History::RomajiTop10(const std::string& list, int timeSetting) {
  Flush();
  Open();
  std::vector<RomajiRank> rows;
  if (!db_) return rows;
  int rc;
  {
    Stmt q(db_,
           (std::string("SELECT name, score, good, miss, at FROM romaji_top10 WHERE list = ? AND time_setting = ? ") +
            kTop10Order + " LIMIT " + std::to_string(kTableSize))
               .c_str());
    if (!q.Ok()) {
      rc = q.PrepareCode() == SQLITE_OK ? SQLITE_ERROR : q.PrepareCode();
    } else {
      q.Bind(1, list).Bind(2, int64_t{timeSetting});
      while ((rc = q.Step()) == SQLITE_ROW)
        rows.push_back(
            {q.Text(0), static_cast<int>(q.Int(1)), static_cast<int>(q.Int(2)), static_cast<int>(q.Int(3)), q.Text(4)});
    }
  }
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

int History::RomajiPlace(const std::string& list, int timeSetting, int score) {
  size_t above = 0;  // entries at least as good: a tie goes below them
  for (const RomajiRank& r : RomajiTop10(list, timeSetting)) above += r.score >= score;
  return above < kTableSize ? static_cast<int>(above) + 1 : 0;
}

std::vector<std::pair<std::string, int>> History::RomajiTables() {
  Open();
  std::vector<std::pair<std::string, int>> rows;
  const int rc = ForEachRow(db_, "SELECT DISTINCT list, time_setting FROM romaji_top10 ORDER BY list, time_setting",
                            [&](Stmt& q) { rows.emplace_back(q.Text(0), static_cast<int>(q.Int(1))); });
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

}  // namespace records
