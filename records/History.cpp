#include "records/History.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "records/HistorySql.h"
#include "records/Logging.h"

namespace records {

using sql::ForEachRow;
using sql::Stmt;

namespace {

constexpr const char* kCreateTables = R"(
CREATE TABLE IF NOT EXISTS schema_version(version INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS drills(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  started TEXT NOT NULL, mode INTEGER NOT NULL, time_setting INTEGER NOT NULL,
  score INTEGER NOT NULL, good INTEGER NOT NULL, miss INTEGER NOT NULL,
  duration_ms INTEGER NOT NULL, keys_per_sec REAL NOT NULL,
  top10_place INTEGER NOT NULL DEFAULT 0, certification TEXT NOT NULL DEFAULT '',
  practice INTEGER NOT NULL DEFAULT 0, ended_by TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS drill_keys(
  drill_id INTEGER NOT NULL, ch INTEGER NOT NULL, targeted INTEGER NOT NULL, missed INTEGER NOT NULL,
  hit_ms_sum INTEGER NOT NULL, hits_timed INTEGER NOT NULL, PRIMARY KEY(drill_id, ch)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS drill_confusions(
  drill_id INTEGER NOT NULL, target INTEGER NOT NULL, typed INTEGER NOT NULL, count INTEGER NOT NULL,
  PRIMARY KEY(drill_id, target, typed)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS key_totals(
  ch INTEGER PRIMARY KEY, targeted INTEGER NOT NULL, missed INTEGER NOT NULL,
  hit_ms_sum INTEGER NOT NULL, hits_timed INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS confusion_totals(
  target INTEGER NOT NULL, typed INTEGER NOT NULL, count INTEGER NOT NULL,
  PRIMARY KEY(target, typed)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS lessons(
  id INTEGER PRIMARY KEY AUTOINCREMENT, at TEXT NOT NULL, lesson INTEGER NOT NULL,
  misses INTEGER NOT NULL, passed INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS certifications(
  id INTEGER PRIMARY KEY AUTOINCREMENT, at TEXT NOT NULL, drill_id INTEGER NOT NULL,
  mode INTEGER NOT NULL, time_setting INTEGER NOT NULL, score INTEGER NOT NULL,
  result TEXT NOT NULL, grade INTEGER NOT NULL);
)";

}  // namespace

History::History(std::string path, std::function<std::string()> stamp)
    : path_(std::move(path)), stamp_(std::move(stamp)) {}

History::~History() {
  Flush();
  Close();
}

bool History::Damaged(int rc) const {
  const int primary = rc & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

void History::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
  if (status_ != Status::Unavailable) status_ = Status::Closed;
}

bool History::Exec(const char* sql) { return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

void History::Open() {
  if (status_ == Status::Writable || status_ == Status::ReadOnly) return;
  if (!OpenFile() && status_ == Status::Closed) Close();
}

// Opens or creates the file; false leaves it closed (Status says whether to try again).
bool History::OpenFile() {
  status_ = Status::Closed;
  if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK) {
    // A missing or read-only folder: the game goes on without a history.
    qCInfo(lcHistory, "%s cannot be opened (%s): no history is kept", path_.c_str(),
           db_ ? sqlite3_errmsg(db_) : "out of memory");
    Close();
    status_ = Status::Unavailable;
    return false;
  }
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  sqlite3_extended_result_codes(db_, 1);
  // The first read of the file tells a damaged one (not a database, or broken pages).
  int version = 0;
  int rc;
  {
    Stmt q(db_, "SELECT version FROM schema_version LIMIT 1");
    rc = q.PrepareCode();
    if (q.Ok()) {
      rc = q.Step();
      if (rc == SQLITE_ROW) version = static_cast<int>(q.Int(0));
      if (rc == SQLITE_ROW || rc == SQLITE_DONE) rc = SQLITE_OK;
    } else if (!Damaged(rc) && (rc & 0xFF) != SQLITE_BUSY && (rc & 0xFF) != SQLITE_LOCKED) {
      rc = SQLITE_OK;  // no table yet: a new file
    }
  }
  if (Damaged(rc)) {
    MoveAside(rc);
    return status_ == Status::Writable;
  }
  if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED) {
    qCDebug(lcHistory, "%s is locked by another copy of the game; tried again at the next write", path_.c_str());
    Close();  // tried again at the next flush
    return false;
  }
  if (version > kSchemaVersion) {
    qCInfo(lcHistory, "%s is of schema %d, newer than this game's %d: only read", path_.c_str(), version,
           kSchemaVersion);
    status_ = Status::ReadOnly;
    if (!toldNewer_) {
      toldNewer_ = true;
      notices_.push_back("成績の記録 (" + path_ +
                         ") は新しい版の dojokai が作ったものです。\n成績は表示しますが、この版では書き足しません。");
    }
    return true;
  }
  // WAL lets a second copy of the game read while this one writes.
  sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  sqlite3_exec(db_, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
  rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db_, kCreateTables, nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db_, sql::kRomajiTables, nullptr, nullptr, nullptr);
  // A new file is written at this schema; one of an older schema, whose tables are all
  // there now, is upgraded in place (in the same transaction as its new tables).
  if (rc == SQLITE_OK && version == 0) {
    Stmt ins(db_, "INSERT INTO schema_version(version) SELECT ? WHERE NOT EXISTS (SELECT 1 FROM schema_version)");
    rc = ins.Ok() ? ins.Bind(1, int64_t{kSchemaVersion}).Step() : ins.PrepareCode();
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
  }
  if (rc == SQLITE_OK && version > 0 && version < kSchemaVersion) {
    Stmt up(db_, "UPDATE schema_version SET version = ?");
    rc = up.Ok() ? up.Bind(1, int64_t{kSchemaVersion}).Step() : up.PrepareCode();
    if (rc == SQLITE_DONE) {
      rc = SQLITE_OK;
      qCInfo(lcHistory, "%s upgraded from schema %d to %d", path_.c_str(), version, kSchemaVersion);
    }
  }
  if (rc == SQLITE_OK) rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    if (Damaged(rc)) {
      MoveAside(rc);
      return status_ == Status::Writable;
    }
    const int primary = rc & 0xFF;
    qCInfo(lcHistory, "%s: the tables could not be made (%s)", path_.c_str(), sqlite3_errstr(rc));
    Close();
    WriteFailed(rc);
    // Locked or a full disk: tried again later; a read-only file or folder: not.
    if (primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN || primary == SQLITE_PERM)
      status_ = Status::Unavailable;
    return false;
  }
  status_ = Status::Writable;
  return true;
}

void History::MoveAside(int rc) {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
  const std::string aside = path_ + ".damaged-" + (stamp_ ? stamp_() : std::string("old"));
  if (std::rename(path_.c_str(), aside.c_str()) == 0)
    qCInfo(lcHistory, "%s is damaged (%s); moved aside as %s", path_.c_str(), sqlite3_errstr(rc), aside.c_str());
  else
    qCInfo(lcHistory, "%s is damaged (%s) and cannot be moved aside (%s)", path_.c_str(), sqlite3_errstr(rc),
           std::strerror(errno));
  std::remove((path_ + "-wal").c_str());
  std::remove((path_ + "-shm").c_str());
  if (!toldDamaged_) {
    toldDamaged_ = true;
    notices_.push_back("成績の記録 (" + path_ + ") が壊れていたため、\n" + aside + " に移して新しく記録を始めます。");
  }
  // A second damaged file in a row is not moved again: the history stays off.
  static thread_local int depth = 0;
  if (depth > 0) {
    status_ = Status::Unavailable;
    return;
  }
  ++depth;
  OpenFile();
  --depth;
}

std::vector<std::string> History::TakeNotices() { return std::exchange(notices_, {}); }

// A read finds a damaged page as a write does: the file is set aside, the player told once,
// and what was read of it is dropped with it. Other failures leave the file as it is.
bool History::ReadFailed(int rc) {
  if (rc == SQLITE_OK || rc == SQLITE_DONE) return false;
  if (Damaged(rc)) {
    MoveAside(rc);
    return true;
  }
  qCInfo(lcHistory, "%s: a read stopped (%s)", path_.c_str(), sqlite3_errstr(rc));
  return false;
}

void History::Enqueue(Op op) {
  if (status_ == Status::ReadOnly || status_ == Status::Unavailable) return;
  if (queue_.size() >= kMaxQueued) queue_.pop_front();
  queue_.push_back(std::move(op));
}

void History::AddDrill(const DrillEntry& drill, const game::KeyLog& log) {
  Op op;
  op.kind = Op::Drill;
  op.drill = drill;
  for (int c = 0; c < 256; ++c) {
    const auto i = static_cast<size_t>(c);
    if (log.targeted[i] == 0 && log.missed[i] == 0) continue;
    op.keys.push_back({static_cast<uint8_t>(c), log.targeted[i], log.missed[i], static_cast<int64_t>(log.hitMsSum[i]),
                       log.hitMsCount[i]});
  }
  for (int i = 0; i < log.confusionCount; ++i) {
    const auto& k = log.confusions[static_cast<size_t>(i)];
    op.confusions.push_back({k.target, k.typed, k.count});
  }
  Enqueue(std::move(op));
  Flush();
}

void History::SetLastPlace(int place) {
  Op op;
  op.kind = Op::Place;
  op.drill.place = place;
  Enqueue(std::move(op));
  Flush();
}

void History::AddCertification(const CertEntry& cert) {
  Op op;
  op.kind = Op::Cert;
  op.cert = cert;
  Enqueue(std::move(op));
  Flush();
}

void History::AddLesson(const LessonEntry& lesson) {
  Op op;
  op.kind = Op::Lesson;
  op.lesson = lesson;
  Enqueue(std::move(op));
  Flush();
}

int History::WriteOp(Op& op) {
  int rc = SQLITE_OK;
  auto done = [&](Stmt& s) {
    if (!s.Ok()) return s.PrepareCode() == SQLITE_OK ? SQLITE_ERROR : s.PrepareCode();
    const int r = s.Step();
    return r == SQLITE_DONE ? SQLITE_OK : r;
  };
  switch (op.kind) {
    case Op::Drill: {
      const DrillEntry& d = op.drill;
      Stmt ins(db_,
               "INSERT INTO drills(started, mode, time_setting, score, good, miss, duration_ms, keys_per_sec,"
               " top10_place, certification, practice, ended_by) VALUES(?,?,?,?,?,?,?,?,?,?,?,?)");
      if (ins.Ok())
        ins.Bind(1, d.started)
            .Bind(2, int64_t{d.mode})
            .Bind(3, int64_t{d.timeSetting})
            .Bind(4, int64_t{d.score})
            .Bind(5, int64_t{d.good})
            .Bind(6, int64_t{d.miss})
            .Bind(7, d.durationMs)
            .Bind(8, d.keysPerSecond)
            .Bind(9, int64_t{d.place})
            .Bind(10, d.certification)
            .Bind(11, int64_t{d.practice})
            .Bind(12, d.endedBy);
      if ((rc = done(ins)) != SQLITE_OK) return rc;
      lastDrillId_ = sqlite3_last_insert_rowid(db_);
      // Each key and confusion of the drill, and the running totals the window reads.
      Stmt key(db_, "INSERT INTO drill_keys VALUES(?,?,?,?,?,?)");
      Stmt keyTotal(db_,
                    "INSERT INTO key_totals VALUES(?,?,?,?,?) ON CONFLICT(ch) DO UPDATE SET"
                    " targeted = targeted + excluded.targeted, missed = missed + excluded.missed,"
                    " hit_ms_sum = hit_ms_sum + excluded.hit_ms_sum, hits_timed = hits_timed + excluded.hits_timed");
      for (const KeyFigures& k : op.keys) {
        if (key.Ok())
          key.Bind(1, lastDrillId_)
              .Bind(2, int64_t{k.ch})
              .Bind(3, k.targeted)
              .Bind(4, k.missed)
              .Bind(5, k.hitMsSum)
              .Bind(6, k.hitsTimed);
        if ((rc = done(key)) != SQLITE_OK) return rc;
        key.Reset();
        if (keyTotal.Ok())
          keyTotal.Bind(1, int64_t{k.ch})
              .Bind(2, k.targeted)
              .Bind(3, k.missed)
              .Bind(4, k.hitMsSum)
              .Bind(5, k.hitsTimed);
        if ((rc = done(keyTotal)) != SQLITE_OK) return rc;
        keyTotal.Reset();
      }
      Stmt conf(db_, "INSERT INTO drill_confusions VALUES(?,?,?,?)");
      Stmt confTotal(db_,
                     "INSERT INTO confusion_totals VALUES(?,?,?) ON CONFLICT(target, typed) DO UPDATE SET"
                     " count = count + excluded.count");
      for (const ConfusionFigures& c : op.confusions) {
        if (conf.Ok()) conf.Bind(1, lastDrillId_).Bind(2, int64_t{c.target}).Bind(3, int64_t{c.typed}).Bind(4, c.count);
        if ((rc = done(conf)) != SQLITE_OK) return rc;
        conf.Reset();
        if (confTotal.Ok()) confTotal.Bind(1, int64_t{c.target}).Bind(2, int64_t{c.typed}).Bind(3, c.count);
        if ((rc = done(confTotal)) != SQLITE_OK) return rc;
        confTotal.Reset();
      }
      return SQLITE_OK;
    }
    case Op::Place: {
      Stmt up(db_, "UPDATE drills SET top10_place = ? WHERE id = ?");
      if (up.Ok()) up.Bind(1, int64_t{op.drill.place}).Bind(2, lastDrillId_);
      return done(up);
    }
    case Op::Cert: {
      const CertEntry& c = op.cert;
      Stmt ins(
          db_,
          "INSERT INTO certifications(at, drill_id, mode, time_setting, score, result, grade) VALUES(?,?,?,?,?,?,?)");
      if (ins.Ok())
        ins.Bind(1, c.at)
            .Bind(2, lastDrillId_)
            .Bind(3, int64_t{c.mode})
            .Bind(4, int64_t{c.timeSetting})
            .Bind(5, int64_t{c.score})
            .Bind(6, c.result)
            .Bind(7, int64_t{c.grade});
      if ((rc = done(ins)) != SQLITE_OK) return rc;
      Stmt up(db_, "UPDATE drills SET certification = ? WHERE id = ?");
      if (up.Ok()) up.Bind(1, c.result).Bind(2, lastDrillId_);
      return done(up);
    }
    case Op::Lesson: {
      const LessonEntry& l = op.lesson;
      Stmt ins(db_, "INSERT INTO lessons(at, lesson, misses, passed) VALUES(?,?,?,?)");
      if (ins.Ok()) ins.Bind(1, l.at).Bind(2, int64_t{l.lesson}).Bind(3, int64_t{l.misses}).Bind(4, int64_t{l.passed});
      return done(ins);
    }
    case Op::RomajiDrill:
    case Op::RomajiRank: return WriteRomajiOp(op);
  }
  return SQLITE_OK;
}

bool History::Flush() {
  if (queue_.empty()) return true;
  Open();
  if (status_ != Status::Writable) {
    if (status_ != Status::Closed) queue_.clear();  // never to be written
    return status_ != Status::Closed;
  }
  int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  const int64_t lastBefore = lastDrillId_, lastRomajiBefore = lastRomajiId_;
  size_t i = 0;
  for (; rc == SQLITE_OK && i < queue_.size(); ++i) rc = WriteOp(queue_[i]);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) {
    queue_.clear();
    toldUnwritten_ = false;
    return true;
  }
  sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  lastDrillId_ = lastBefore;
  lastRomajiId_ = lastRomajiBefore;
  if (Damaged(rc)) {
    MoveAside(rc);
    return status_ == Status::Writable && Flush();
  }
  const int primary = rc & 0xFF;
  qCInfo(lcHistory, "%s: %zu queued writes %s (%s)", path_.c_str(), queue_.size(),
         primary == SQLITE_READONLY || primary == SQLITE_PERM ? "dropped" : "wait for the next drill",
         sqlite3_errstr(rc));
  if (primary == SQLITE_READONLY || primary == SQLITE_PERM) {
    queue_.clear();
    Close();
    status_ = Status::Unavailable;
  }
  // Locked, busy or a full disk: the queue waits for the next drill.
  WriteFailed(rc);
  return false;
}

void History::WriteFailed(int rc) {
  const int primary = rc & 0xFF;
  if ((primary != SQLITE_FULL && primary != SQLITE_IOERR) || toldUnwritten_) return;
  toldUnwritten_ = true;
  notices_.push_back("成績の記録 (" + path_ + ") に書き込めません (" +
                     (primary == SQLITE_FULL ? "ディスクがいっぱいです" : "ディスクの読み書きに失敗しました") +
                     ")。\nゲームはこのまま続けられます。書けなかった成績は覚えておき、"
                     "次に書けたときに書き足します。");
}

std::vector<DrillEntry> History::Drills() {
  Open();
  std::vector<DrillEntry> rows;
  const int rc =
      ForEachRow(db_,
                 "SELECT id, started, mode, time_setting, score, good, miss, duration_ms, keys_per_sec, top10_place,"
                 " certification, practice, ended_by FROM drills ORDER BY id",
                 [&](Stmt& q) {
                   DrillEntry d;
                   d.id = q.Int(0);
                   d.started = q.Text(1);
                   d.mode = static_cast<int>(q.Int(2));
                   d.timeSetting = static_cast<int>(q.Int(3));
                   d.score = static_cast<int>(q.Int(4));
                   d.good = static_cast<int>(q.Int(5));
                   d.miss = static_cast<int>(q.Int(6));
                   d.durationMs = q.Int(7);
                   d.keysPerSecond = q.Real(8);
                   d.place = static_cast<int>(q.Int(9));
                   d.certification = q.Text(10);
                   d.practice = q.Int(11) != 0;
                   d.endedBy = q.Text(12);
                   rows.push_back(std::move(d));
                 });
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

namespace {
KeyFigures KeyOf(Stmt& q) { return {static_cast<uint8_t>(q.Int(0)), q.Int(1), q.Int(2), q.Int(3), q.Int(4)}; }
ConfusionFigures ConfusionOf(Stmt& q) {
  return {static_cast<uint8_t>(q.Int(0)), static_cast<uint8_t>(q.Int(1)), q.Int(2)};
}
}  // namespace

std::vector<KeyFigures> History::KeysOfDrill(int64_t drillId) {
  Open();
  std::vector<KeyFigures> rows;
  const int rc = ForEachRow(
      db_, "SELECT ch, targeted, missed, hit_ms_sum, hits_timed FROM drill_keys WHERE drill_id = ? ORDER BY ch",
      [&](Stmt& q) { rows.push_back(KeyOf(q)); }, drillId);
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

std::vector<ConfusionFigures> History::ConfusionsOfDrill(int64_t drillId) {
  Open();
  std::vector<ConfusionFigures> rows;
  const int rc = ForEachRow(
      db_, "SELECT target, typed, count FROM drill_confusions WHERE drill_id = ? ORDER BY target, typed",
      [&](Stmt& q) { rows.push_back(ConfusionOf(q)); }, drillId);
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

std::vector<KeyFigures> History::KeyTotals() {
  Open();
  std::vector<KeyFigures> rows;
  const int rc = ForEachRow(db_, "SELECT ch, targeted, missed, hit_ms_sum, hits_timed FROM key_totals ORDER BY ch",
                            [&](Stmt& q) { rows.push_back(KeyOf(q)); });
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

std::vector<ConfusionFigures> History::ConfusionTotals() {
  Open();
  std::vector<ConfusionFigures> rows;
  const int rc = ForEachRow(db_, "SELECT target, typed, count FROM confusion_totals ORDER BY count DESC, target, typed",
                            [&](Stmt& q) { rows.push_back(ConfusionOf(q)); });
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

std::vector<LessonEntry> History::Lessons() {
  Open();
  std::vector<LessonEntry> rows;
  const int rc = ForEachRow(db_, "SELECT at, lesson, misses, passed FROM lessons ORDER BY id", [&](Stmt& q) {
    rows.push_back({q.Text(0), static_cast<int>(q.Int(1)), static_cast<int>(q.Int(2)), q.Int(3) != 0});
  });
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

std::vector<CertEntry> History::Certifications() {
  Open();
  std::vector<CertEntry> rows;
  const int rc =
      ForEachRow(db_, "SELECT at, drill_id, mode, time_setting, score, grade, result FROM certifications ORDER BY id",
                 [&](Stmt& q) {
                   rows.push_back({q.Text(0), q.Int(1), static_cast<int>(q.Int(2)), static_cast<int>(q.Int(3)),
                                   static_cast<int>(q.Int(4)), static_cast<int>(q.Int(5)), q.Text(6)});
                 });
  if (ReadFailed(rc)) rows.clear();
  return rows;
}

}  // namespace records
