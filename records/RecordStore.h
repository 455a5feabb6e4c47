#pragma once
// The data file on disk, without a window: the save of the 4095-byte record (a new file
// that takes the old one's name in one rename, or, where no new file can be made, the
// bytes written in place through the open, locked file), the damaged files kept in
// generations, and the leftovers of saves that were killed.
#include <cstdint>
#include <functional>
#include <vector>
#include <string>

#include "platform/Files.h"
#include "platform/Platform.h"

namespace records {

// The steps of a save, for tests that make one of them fail.
enum class SaveStep { CreateTemp, WriteTemp, SyncTemp, Rename, WriteInPlace, SyncInPlace };

// Why a file could not be written, in the player's words (errno).
std::string FailureReason(int error);

struct SaveOutcome {
  bool saved = false;
  bool inPlace = false;  // written through the open file rather than replaced
  int error = 0;         // errno of the failure that decided (0 when saved)
  std::string why;       // for standard error: every step that failed
};

class RecordStore {
 public:
  // Returns an errno to make the step fail, 0 to let it run.
  using FaultInjector = std::function<int(SaveStep)>;
  void SetFaultInjector(FaultInjector inject) { inject_ = std::move(inject); }

  // Writes `record` (4095 bytes) as the file `datPath` open in `handle`; a replacement
  // comes back open and locked in `handle`. A file longer than the record is updated in
  // place, so that its tail is never copied.
  SaveOutcome Save(plat::SharedFile& handle, const std::string& datPath, const uint8_t* record);

  // Keeps the bytes of the open, damaged file as the next generation: dojokai.dat.bad,
  // then names with the date and time; at most ten generations stay (the oldest goes).
  bool KeepDamaged(int fd, const std::string& datPath, const plat::LocalDateTime& now, std::string& why);

  // Removes the temporary files that killed saves left beside the data file (only names
  // of the game's own pattern). Only the holder of the lock may call it.
  static void RemoveLeftovers(const std::string& datPath);
  // The kept generations of damaged files, oldest first.
  static std::vector<std::string> DamagedGenerations(const std::string& datPath);

  static constexpr int kMaxDamagedGenerations = 10;

 private:
  int Fault(SaveStep step) const { return inject_ ? inject_(step) : 0; }
  bool Replace(plat::SharedFile& handle, const std::string& target, const uint8_t* bytes, size_t size, mode_t mode,
               SaveOutcome& out);
  bool WriteInPlace(int fd, const uint8_t* record, SaveOutcome& out);

  FaultInjector inject_;
};

}  // namespace records
