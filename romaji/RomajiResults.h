#pragma once
// The results of a romaji drill over its screen: keys per second, kana per minute, accuracy,
// the keys typed against the fewest keys; the drill written to the history; and for a timed
// drill its list's top 10 for the time setting, with the drills' name entry for a new place.
#include <functional>
#include <string>

#include "game/RomajiRun.h"
#include "game/Screens.h"
#include "drill/RankTables.h"
#include "platform/Platform.h"
#include "records/History.h"
#include "ui/MainControls.h"

namespace romaji {

// What a finished drill hands to its results.
struct Summary {
  std::string list;     // the list's file name
  int kind = 0;         // 0 ことば, 1 文
  int timeSetting = 0;  // 0..3 (3 untimed)
  bool practice = false;
  int good = 0, miss = 0, score = 0;
  int64_t ms = 0;       // time played
  int entries = 0;      // entries completed
  int kana = 0;         // kana completed
  int keys = 0;         // keys typed for the entries completed
  int fewest = 0;       // the fewest keys for them
  std::string started;  // "YYYY-MM-DD HH:MM:SS"
  std::string endedBy;  // "time", "esc"
};

class RomajiResults {
 public:
  RomajiResults(game::Screens& screens, ui::MainControls& c, plat::Platform& platform, drill::RankTables& rankTables);

  // The history the drills are written to (none: nothing is written, no table shown).
  void SetHistory(std::function<records::History*()> history) { history_ = std::move(history); }

  // Shows the results, writes the drill and, for a new top-10 place, asks for the name.
  void Show(const Summary& summary, const game::romaji::Tally& tally);
  void Hide();

  // The figures' lines, as shown (for tests of the wording).
  static std::string FiguresText(const Summary& s);

 private:
  void Write(const Summary& s, const game::romaji::Tally& tally, int place);
  void ShowTable(int highlight);
  std::string Stamp();

  game::Screens& screens_;
  ui::MainControls& C;
  plat::Platform& platform_;
  drill::RankTables& rankTables_;
  std::function<records::History*()> history_;
  Summary last_;
};

// The drill names and the time settings as the screens show them.
const char* KindName(int kind);
const char* TimeName(int timeSetting);

}  // namespace romaji
