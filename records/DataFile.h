#pragma once
// The data file dojokai.dat: the 4095-byte record read once at start (locked against a
// second copy of the game while it runs) and written once at exit; its five opening
// states; the two destructive operations of the settings screen.
#include <functional>
#include <string>

#include "game/PlayState.h"
#include "platform/Platform.h"
#include "game/DatRecord.h"
#include "records/ConfigFile.h"
#include "ui/MainControls.h"

namespace records {

class DataFile {
 public:
  DataFile(game::PlayState& state, ui::MainControls& c, plat::Platform& platform, ConfigFile& config);

  void LoadDataFile();
  void SaveDataFile();
  void CloseDataFile();
  // "消去": erases the certification records after a question.
  void Button2Click();
  // "初期化": resets the 21 top-10 tables after a question.
  void Button3Click();

  // Set by the window: the title's switch labels, and the results screen showing table 0.
  std::function<void()> DrawSwitchLabels;
  std::function<void()> ShowFirstRankTable;

 private:
  // The five ways the data file can stand, as the settings screen shows them.
  enum class DatState { ReadWrite, ReadOnly, Created, Unusable, Off };
  void ShowState(DatState state);
  // Opening steps: exclusive, then read-only, then a new file.
  void OpenDataFile();
  // Reads up to a whole record from the open file; the number of bytes read.
  size_t ReadRecord();
  game::DatRecord::Date Today() const;

  game::PlayState& s_;
  ui::MainControls& C;
  plat::Platform& platform_;
  ConfigFile& config_;
  // The file failed its checksum: its bytes are copied aside before the save replaces it.
  bool keepDamaged_ = false;
};

}  // namespace records
