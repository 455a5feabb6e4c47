#pragma once
// What the history's source files share: a prepared statement that finalizes itself, a
// read of every row of a query, and the tables of the romaji drills.
#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace records::sql {

// A prepared statement that finalizes itself.
class Stmt {
 public:
  Stmt(sqlite3* db, const char* sql) { rc_ = sqlite3_prepare_v2(db, sql, -1, &s_, nullptr); }
  ~Stmt() { sqlite3_finalize(s_); }
  Stmt(const Stmt&) = delete;
  Stmt& operator=(const Stmt&) = delete;
  bool Ok() const { return s_ != nullptr; }
  int PrepareCode() const { return rc_; }
  Stmt& Bind(int i, int64_t v) {
    sqlite3_bind_int64(s_, i, v);
    return *this;
  }
  Stmt& Bind(int i, double v) {
    sqlite3_bind_double(s_, i, v);
    return *this;
  }
  Stmt& Bind(int i, const std::string& v) {
    sqlite3_bind_text(s_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    return *this;
  }
  int Step() { return sqlite3_step(s_); }
  int Reset() { return sqlite3_reset(s_); }
  int64_t Int(int c) const { return sqlite3_column_int64(s_, c); }
  double Real(int c) const { return sqlite3_column_double(s_, c); }
  std::string Text(int c) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s_, c));
    return t ? std::string(t, static_cast<size_t>(sqlite3_column_bytes(s_, c))) : std::string();
  }

 private:
  sqlite3_stmt* s_ = nullptr;
  int rc_ = SQLITE_OK;
};

// Reads every row of a query; SQLite's last answer: SQLITE_DONE when every row was read
// (SQLITE_OK with no file open), else why the read stopped.
template <class F>
int ForEachRow(sqlite3* db, const char* sql, F&& f, int64_t bind1 = -1) {
  if (!db) return SQLITE_OK;
  Stmt q(db, sql);
  if (!q.Ok()) return q.PrepareCode() == SQLITE_OK ? SQLITE_ERROR : q.PrepareCode();
  if (bind1 >= 0) q.Bind(1, bind1);
  int rc;
  while ((rc = q.Step()) == SQLITE_ROW) f(q);
  return rc;
}

// The romaji drills' tables, made with the others (CREATE ... IF NOT EXISTS: a file of the
// first schema gains them when it is upgraded).
extern const char* const kRomajiTables;

}  // namespace records::sql
