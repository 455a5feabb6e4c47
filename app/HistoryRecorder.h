#pragma once
// The game's side of the history: logs each drill's keys, writes the drill, its top-10
// place and its judgement once the drill has ended, keeps lesson results, opens the
// statistics window (G on the title) and starts the weak-key practice it asks for.
#include <memory>
#include <string>
#include <vector>

#include "game/KeyLog.h"
#include "game/RomajiList.h"
#include "lessons/Certification.h"
#include "records/History.h"
#include "stats/StatsModel.h"

namespace stats {
class StatsWindow;
}

namespace app {

class TForm2;

class HistoryRecorder {
 public:
  // The history file beside the data file; opened at once, and any notice told.
  explicit HistoryRecorder(TForm2& form);
  ~HistoryRecorder();

  records::History& History() { return *history_; }
  // Writes what waits: the last judgement, and anything a locked file or a full disk held
  // back. At the game's close, also one the process does not survive (then nothing is told:
  // no message box can be shown).
  void SaveNow(bool tell);
  // Opens (or raises) the statistics window on the current history.
  void OpenStatistics();
  void CloseStatistics();
  stats::StatsWindow* Window() { return window_.get(); }
  // Starts a weak-key practice of a layer from the title; "" when started, else why not.
  std::string StartPractice(stats::Layer layer);
  // Starts 苦手かな練習 of these entries from the title; "" when started, else why not.
  std::string StartKanaPractice(std::vector<game::romaji::Entry> entries);

  // The history's path for a data file's path: the same folder, named dojokai.db.
  static std::string PathBeside(const std::string& datPath);

 private:
  void Wire();
  void DrillEnded();
  void AfterPlacement(int rank);
  void AfterJudgement(lessons::Certification::Message message);
  void FinishJudgement(bool tell = true);
  void TellNotices();
  std::string Stamp() const;
  std::string Today() const;

  TForm2& f_;
  std::unique_ptr<records::History> history_;
  std::unique_ptr<stats::StatsWindow> window_;
  game::KeyLog log_;
  bool drillOpen_ = false;      // a drill has started and not yet been written
  bool awaitingPlace_ = false;  // the last drill is waiting for its placement
  bool awaitingJudge_ = false;  // ... and for its judgement
  bool practice_ = false;       // the drill running is a weak-key practice, until it is written
  int savedMode_ = 0, savedDuration_ = 0;
  bool certPending_ = false;  // a judgement waiting to be written
  records::CertEntry pendingCert_;
  std::string practiceText_;
  std::string startedAt_;
};

}  // namespace app
