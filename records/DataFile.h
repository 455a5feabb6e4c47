#pragma once
// The data file dojokai.dat: the 4095-byte record read at start (locked against a second
// copy of the game while it runs), written as the game goes and at exit; its opening
// states; the two destructive operations of the settings screen.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "game/DatRecord.h"
#include "game/Options.h"
#include "game/PlayState.h"
#include "platform/Platform.h"
#include "records/ConfigFile.h"
#include "records/RecordStore.h"

namespace records {

// How the data file stands, as the settings screen shows it: the five ways it was (or was
// not) opened, and saves that fail after that.
enum class DatState { ReadWrite, ReadOnly, Created, Unusable, Off, SaveFailing };
struct DataFileStatus {
  std::optional<DatState> state;  // none while no file has been tried
  std::string path;               // the file in use, "" before one is chosen
  std::string failure;            // why saves fail (SaveFailing)
};

class DataFile {
 public:
  DataFile(game::PlayState& state, const game::Options& options, plat::Platform& platform, ConfigFile& config);

  void LoadDataFile();
  void SaveDataFile();
  void CloseDataFile();
  // "消去": erases the certification records after a question.
  void Button2Click();
  // "初期化": resets the 21 top-10 tables after a question.
  void Button3Click();

  // Called often while no drill runs: writes the record when something the player earned
  // changed (tables, grades, certificate name, switches, options), and at least once a
  // minute while counters or the running time move. Cheap when nothing changed.
  void SaveAsGameGoes();
  // The same, without waiting for the minute: a drill, lesson or certification just ended.
  void SaveChanges();
  // The game is ending without its window (the display went away): no message boxes.
  void SetQuiet(bool quiet) { quiet_ = quiet; }

  // The folder of dojokai.dat (and of whatever is kept with it), ends in '/'.
  const std::string& DataFolder() const { return dataFolder_; }
  RecordStore& Store() { return store_; }

  // Set by the window: the title's switch labels, and the results screen showing table 0.
  std::function<void()> DrawSwitchLabels;
  std::function<void()> ShowFirstRankTable;
  // Told whenever the status changes, the load at start included.
  std::function<void(const DataFileStatus&)> OnStatus;
  const DataFileStatus& Status() const { return status_; }

  static constexpr uint32_t kSaveIntervalMs = 60000;
  // How many calls of SaveAsGameGoes, one every `intervalMs` from now on, will write
  // nothing, if the record changes only by the running time meanwhile.
  int QuietSaveCalls(int intervalMs) const;

 private:
  using Image = std::array<uint8_t, game::DatRecord::kSize>;
  void SetState(DatState state);
  void Tell();
  // Opening steps: exclusive, then read-only, then a new file.
  void OpenDataFile();
  // Reads up to a whole record from the open file; the number of bytes read.
  size_t ReadRecord();
  game::DatRecord::Date Today() const;
  // The record as a save writes it: checksum, switches and maximise option filled in.
  void CompleteRecord(game::DatRecord& rec) const;
  // Writes an image of the record; says so once in the window when it cannot.
  void WriteImage(const Image& image);
  void ShowSaveFailure(const SaveOutcome& outcome);
  void SaveIfChanged(bool countersToo);

  game::PlayState& s_;
  const game::Options& options_;
  plat::Platform& platform_;
  DataFileStatus status_;
  ConfigFile& config_;
  RecordStore store_;
  std::string dataFolder_;
  // The file failed its checksum: its bytes are kept aside before the first save.
  bool keepDamaged_ = false;
  // What the file holds (as far as the game knows), and when it was last written.
  Image onDisk_{};
  uint32_t lastSaveTick_ = 0;
  bool failing_ = false;
  bool failureShown_ = false;
  bool quiet_ = false;
};

}  // namespace records
