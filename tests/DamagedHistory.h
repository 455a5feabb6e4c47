#pragma once
// A history file damaged after it was written, as a failing disk damages one: the root page
// of one table overwritten. The file still opens and its other tables read; the first read
// of that table finds the page broken.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <string>

// Call with the file closed (every write checkpointed into it).
inline void DamageTablePage(const std::string& path, const char* table) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  int64_t root = 0, pageSize = 0;
  sqlite3_stmt* q = nullptr;
  sqlite3_prepare_v2(db, "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM sqlite_master WHERE name = ?",
                     -1, &q, nullptr);
  sqlite3_bind_text(q, 1, table, -1, SQLITE_STATIC);
  if (sqlite3_step(q) == SQLITE_ROW) {
    root = sqlite3_column_int64(q, 0);
    pageSize = sqlite3_column_int64(q, 1);
  }
  sqlite3_finalize(q);
  sqlite3_close(db);
  ASSERT_GT(root, 1) << table;
  // The page's header, its cell pointers and the cells up to three quarters of the page.
  std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
  f.seekp((root - 1) * pageSize);
  const std::string junk(static_cast<size_t>(pageSize * 3 / 4), '\xA5');
  ASSERT_TRUE(f.write(junk.data(), static_cast<std::streamsize>(junk.size())));
}
