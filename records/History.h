#pragma once
// The history of play: every finished drill with its per-key figures, every lesson result
// and every grade judgement, appended to an SQLite file (dojokai.db beside the data file).
// Writes are queued and flushed after a drill, never while one runs; a locked file keeps
// the queue for the next flush, a damaged one is moved aside and started afresh, one from a
// newer game is only read. Nothing here ever stops the game.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "game/KeyLog.h"

struct sqlite3;

namespace records {

// One drill as the history keeps it.
struct DrillEntry {
  int64_t id = 0;       // given when written
  std::string started;  // "YYYY-MM-DD HH:MM:SS", local time
  int mode = 0;         // 0..6
  int timeSetting = 0;  // 0..3 (3: untimed)
  int score = 0, good = 0, miss = 0;
  int64_t durationMs = 0;
  double keysPerSecond = 0;
  int place = 0;              // top-10 place 1..10, 0: none
  std::string certification;  // "" none, else 合格 N級 / 不合格 / ...
  bool practice = false;      // a weak-key practice drill
  std::string endedBy;        // "time", "esc", "misses"
};

// One character's figures in one drill, or summed over many.
struct KeyFigures {
  uint8_t ch = 0;
  int64_t targeted = 0, missed = 0;
  int64_t hitMsSum = 0, hitsTimed = 0;
  double MeanMs() const { return hitsTimed > 0 ? static_cast<double>(hitMsSum) / static_cast<double>(hitsTimed) : 0; }
};

struct ConfusionFigures {
  uint8_t target = 0, typed = 0;
  int64_t count = 0;
};

struct LessonEntry {
  std::string at;
  int lesson = 0, misses = 0;
  bool passed = false;
};

struct CertEntry {
  std::string at;
  int64_t drillId = 0;
  int mode = 0, timeSetting = 0, score = 0, grade = 0;
  std::string result;
};

// One romaji drill (ことば, 文 or 苦手かな練習). Texts are UTF-8: romaji lists are not CP932.
struct RomajiDrillEntry {
  int64_t id = 0;
  std::string started;  // "YYYY-MM-DD HH:MM:SS", local time
  std::string list;     // the list's file name
  int kind = 0;         // 0 ことば (8), 1 文 (9)
  int timeSetting = 0;  // 0..3 (3: untimed)
  int score = 0, good = 0, miss = 0;
  int64_t durationMs = 0;
  int entries = 0;     // entries completed
  int kana = 0;        // kana completed
  int fewestKeys = 0;  // the fewest keys that type what was completed
  double keysPerSecond = 0, kanaPerMinute = 0, accuracy = 0;
  int place = 0;          // romaji top-10 place 1..10, 0: none
  bool practice = false;  // 苦手かな練習
  std::string endedBy;    // "time", "esc"
};

// One kana's figures in one romaji drill, or summed over many.
struct KanaFigures {
  std::string kana;  // UTF-8, one character of a reading
  int64_t targeted = 0, missed = 0;
  int64_t msSum = 0, timed = 0;  // time from the previous kana's completion to its own
  double MeanMs() const { return timed > 0 ? static_cast<double>(msSum) / static_cast<double>(timed) : 0; }
};

// A wrong key in a romaji drill: the guide's next key and the key typed.
struct RomajiConfusion {
  char expected = 0, typed = 0;
  int64_t count = 0;
};

// A place of a romaji top-10 table (per list and time setting).
struct RomajiRank {
  std::string name;  // UTF-8 (the name entry's CP932 bytes decoded)
  int score = 0, good = 0, miss = 0;
  std::string at;  // "YYYY-MM-DD HH:MM:SS"
};

class History {
 public:
  // 2: the romaji drills (a file of schema 1 is upgraded when opened for writing).
  static constexpr int kSchemaVersion = 2;
  // How long a write waits for another copy of the game to let go of the file.
  static constexpr int kBusyTimeoutMs = 50;
  // Writes kept for a later flush at most (a file that never frees loses the oldest).
  static constexpr size_t kMaxQueued = 5000;

  enum class Status { Closed, Writable, ReadOnly, Unavailable };

  // `stamp` gives the local date and time as "YYYYMMDD-HHMMSS" for the name of a file
  // moved aside.
  History(std::string path, std::function<std::string()> stamp);
  ~History();
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  const std::string& Path() const { return path_; }
  Status GetStatus() const { return status_; }
  // Opens the file (creating it and its tables) unless open. Safe to call again.
  void Open();
  // Notices for the player (Japanese), each given once; taken by the caller.
  std::vector<std::string> TakeNotices();

  // Queue a drill (its per-key rows from the log), a top-10 place or a judgement for the
  // last queued drill, a lesson result; then write what is queued.
  void AddDrill(const DrillEntry& drill, const game::KeyLog& log);
  void SetLastPlace(int place);
  void AddCertification(const CertEntry& cert);
  void AddLesson(const LessonEntry& lesson);
  // Writes the queue in one transaction; false when it stays queued (file locked, disk full).
  bool Flush();
  size_t Queued() const { return queue_.size(); }

  // Reading, in the order rows were written. A read that finds the file damaged sets it
  // aside as a write does (a notice) and gives no rows.
  std::vector<DrillEntry> Drills();
  std::vector<KeyFigures> KeysOfDrill(int64_t drillId);
  std::vector<ConfusionFigures> ConfusionsOfDrill(int64_t drillId);
  // Summed over every drill (practice included).
  std::vector<KeyFigures> KeyTotals();
  std::vector<ConfusionFigures> ConfusionTotals();
  std::vector<LessonEntry> Lessons();
  std::vector<CertEntry> Certifications();

  // Romaji drills: written with the queue like the other drills.
  void AddRomajiDrill(const RomajiDrillEntry& drill, const std::vector<KanaFigures>& kana,
                      const std::vector<RomajiConfusion>& confusions);
  std::vector<RomajiDrillEntry> RomajiDrills();
  std::vector<KanaFigures> RomajiKanaTotals();
  std::vector<RomajiConfusion> RomajiConfusionTotals();
  // The top-10 table of a list and time setting (best first), the place a score would take
  // (1..10, 0: none; ties go below the earlier entries), and a new entry; the place of the
  // last romaji drill written is updated with it.
  std::vector<RomajiRank> RomajiTop10(const std::string& list, int timeSetting);
  int RomajiPlace(const std::string& list, int timeSetting, int score);
  void AddRomajiRank(const std::string& list, int timeSetting, const RomajiRank& rank);
  // One romaji drill's kana (by kana) and wrong keys (most frequent first).
  std::vector<KanaFigures> RomajiKanaOfDrill(int64_t drillId);
  std::vector<RomajiConfusion> RomajiConfusionsOfDrill(int64_t drillId);
  // The lists and time settings that have a romaji top-10 table, by list then time.
  std::vector<std::pair<std::string, int>> RomajiTables();

 private:
  struct Op {
    enum Kind { Drill, Place, Cert, Lesson, RomajiDrill, RomajiRank } kind = Drill;
    DrillEntry drill;
    std::vector<KeyFigures> keys;
    std::vector<ConfusionFigures> confusions;
    CertEntry cert;
    LessonEntry lesson;
    RomajiDrillEntry romaji;
    std::vector<KanaFigures> kana;
    std::vector<RomajiConfusion> romajiConfusions;
    std::string rankList;  // the table of a romaji rank: list and time setting
    int rankTime = 0;
    records::RomajiRank rank;
  };
  void Enqueue(Op op);
  bool OpenFile();
  void Close();
  // A damaged file (SQLite said `rc`): moved aside, a fresh one started, the player told.
  void MoveAside(int rc);
  bool Exec(const char* sql);
  int WriteOp(Op& op);
  int WriteRomajiOp(Op& op);
  bool Damaged(int rc) const;
  // True when a read's answer `rc` found the file damaged (it is then set aside).
  bool ReadFailed(int rc);

  std::string path_;
  std::function<std::string()> stamp_;
  sqlite3* db_ = nullptr;
  Status status_ = Status::Closed;
  std::deque<Op> queue_;
  std::vector<std::string> notices_;
  // A write that failed for want of room (or with an I/O error) is told once; the queue
  // waits, and after the next write that succeeds a new failure is told again.
  void WriteFailed(int rc);
  bool toldNewer_ = false, toldDamaged_ = false, toldUnwritten_ = false;
  int64_t lastDrillId_ = 0;
  int64_t lastRomajiId_ = 0;
};

}  // namespace records
