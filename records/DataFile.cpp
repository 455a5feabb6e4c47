#include "records/DataFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Files.h"
#include "records/Logging.h"
#include "records/PlayerFolders.h"

namespace records {

using game::DatRecord;
namespace {

using Mode = plat::SharedFile::Mode;

constexpr char kDatName[] = "dojokai.dat";
// Paths of this length or more are refused before anything is opened.
constexpr size_t kPathLimit = 500;

// The title switches by their bit in SwitchBits.
constexpr uint8_t game::PlayState::*kSwitchBits[8] = {
    &game::PlayState::SwitchR,    &game::PlayState::SwitchC,    &game::PlayState::SwitchS, &game::PlayState::SwitchK,
    &game::PlayState::CertSwitch, &game::PlayState::SwitchPlus, &game::PlayState::SwitchB, &game::PlayState::SwitchT};

// The regions of the record a player earns: tables, grades and name, switches, options.
bool EarnedPartsDiffer(const std::array<uint8_t, DatRecord::kSize>& a, const std::array<uint8_t, DatRecord::kSize>& b) {
  auto differ = [&](size_t from, size_t to) { return std::memcmp(a.data() + from, b.data() + from, to - from) != 0; };
  return differ(0, DatRecord::kStartDateOffset) || differ(DatRecord::kCertGradesOffset, DatRecord::kReservedOffset);
}

}  // namespace

DataFile::DataFile(game::PlayState& state, const game::Options& options, plat::Platform& platform, ConfigFile& config)
    : s_(state), options_(options), platform_(platform), config_(config) {}

DatRecord::Date DataFile::Today() const {
  const plat::LocalDateTime now = platform_.Now();
  return {static_cast<uint16_t>(now.year), static_cast<uint8_t>(now.month), static_cast<uint8_t>(now.day)};
}

void DataFile::Tell() {
  if (OnStatus) OnStatus(status_);
}

// A file read only or not at all keeps what is played from being saved.
void DataFile::SetState(DatState state) {
  status_.state = state;
  status_.failure.clear();
  s_.DatNoSave = state == DatState::ReadOnly || state == DatState::Unusable ? 1 : 0;
  Tell();
}

void DataFile::LoadDataFile() {
  s_.DatNoSave = 0;
  status_ = {};
  Tell();
  s_.DrillMissCounts.fill(0);
  s_.RunMissCounts.fill(0);
  s_.DatRecord.ResetDataRecord(Today());
  s_.PendingRank = 0;
  keepDamaged_ = false;
  failing_ = false;

  // The folder is the player's (beside the program, or the per-user one), or the
  // configured one.
  const std::string program = platform_.ProgramPath();
  if (program.size() >= kPathLimit) return;
  s_.DatPath = config_.Folders().data;
  if (options_.ownDataFolder) {
    // The folder's bytes as the configuration holds them, whatever their encoding.
    const std::string folder = options_.dataFolder;
    if (folder.size() >= kPathLimit) {
      s_.DatNoSave = 1;
      return;
    }
    // An empty folder is the root folder.
    s_.DatPath = folder;
    if (s_.DatPath.empty() || s_.DatPath.back() != '/') s_.DatPath += '/';
  }
  dataFolder_ = s_.DatPath;
  s_.DatPath += kDatName;
  status_.path = s_.DatPath;
  Tell();

  if (options_.noDataFile) {
    SetState(DatState::Off);
  } else {
    // A per-user folder is made on first use.
    if (!options_.ownDataFolder && dataFolder_ != config_.ProgramFolder()) MakeFolders(dataFolder_);
    OpenDataFile();
  }

  // What follows runs on the default record too when no file was opened.
  s_.DataLoaded = 1;
  if (ShowFirstRankTable) ShowFirstRankTable();
  if (!options_.resetSwitches) {
    const uint8_t bits = s_.DatRecord.SwitchBits();
    for (unsigned bit = 0; bit < 8; ++bit) s_.*kSwitchBits[bit] = (bits >> bit) & 1;
  }
  if (s_.DatRecord.OptionBits() & DatRecord::kMaximizeAtStartBit) s_.MaximizeAtStart = 1;
  if (DrawSwitchLabels) DrawSwitchLabels();
  const DatRecord::Date today = Today();
  if (s_.DatRecord.LastDate() != today) s_.DatRecord.SetTodayGood(0);
  s_.DatRecord.SetLastDate(today);
  // From here a change is saved as the game goes; what was read counts as saved.
  DatRecord loaded = s_.DatRecord;
  CompleteRecord(loaded);
  onDisk_ = loaded.Bytes();
  lastSaveTick_ = platform_.TickCount();
}

size_t DataFile::ReadRecord() {
  const std::vector<uint8_t> bytes = s_.DatHandle.Read(DatRecord::kSize);
  // A short file overwrites only the start; the rest keeps the defaults.
  std::copy(bytes.begin(), bytes.end(), s_.DatRecord.Bytes().begin());
  return bytes.size();
}

void DataFile::OpenDataFile() {
  // Locked for the whole run: a second copy of the game finds it in use and only reads it.
  if (auto file = plat::SharedFile::Open(s_.DatPath, Mode::ExclusiveReadWrite)) {
    s_.DatHandle = std::move(*file);
    // Holding the lock, the game owns what killed saves left behind.
    RecordStore::RemoveLeftovers(s_.DatPath);
    const size_t read = ReadRecord();
    s_.DatHandle.Seek(0);
    SetState(DatState::ReadWrite);
    if (!s_.DatRecord.ChecksumValid()) {
      s_.DatRecord.ResetDataRecord(Today());
      // Its bytes are kept as a .bad copy before the save overwrites them.
      keepDamaged_ = read > 0;
      if (keepDamaged_)
        qCInfo(lcRecords, "%s has a wrong checksum: the game starts from the defaults, the file is kept aside",
               s_.DatPath.c_str());
    }
    return;
  }
  const int notWritable = errno;
  if (auto file = plat::SharedFile::Open(s_.DatPath, Mode::SharedRead)) {
    s_.DatHandle = std::move(*file);
    ReadRecord();
    SetState(DatState::ReadOnly);
    qCInfo(lcRecords, "%s is only read (%s)", s_.DatPath.c_str(), std::strerror(notWritable));
    return;
  }
  // A file that exists but cannot be read is left alone rather than emptied.
  if (plat::FileExists(s_.DatPath) || !plat::SharedFile::Create(s_.DatPath)) {
    const int failed = errno;
    SetState(DatState::Unusable);
    qCInfo(lcRecords, "%s can be neither read nor written (%s)", s_.DatPath.c_str(), std::strerror(failed));
    return;
  }
  if (auto file = plat::SharedFile::Open(s_.DatPath, Mode::ExclusiveReadWrite)) {
    s_.DatHandle = std::move(*file);
    RecordStore::RemoveLeftovers(s_.DatPath);
    SetState(DatState::Created);
  }
}

void DataFile::CompleteRecord(DatRecord& rec) const {
  rec.SetChecksum(rec.ComputeChecksum());
  uint8_t bits = 0;
  for (unsigned bit = 0; bit < 8; ++bit)
    if (s_.*kSwitchBits[bit]) bits |= static_cast<uint8_t>(1u << bit);
  rec.SetSwitchBits(bits);
  const uint8_t options = rec.OptionBits() & ~DatRecord::kMaximizeAtStartBit;
  rec.SetOptionBits(s_.MaximizeAtStart ? options | DatRecord::kMaximizeAtStartBit : options);
}

void DataFile::SaveDataFile() {
  CompleteRecord(s_.DatRecord);
  if (s_.DatNoSave || !s_.DatHandle.IsOpen()) return;
  WriteImage(s_.DatRecord.Bytes());
}

void DataFile::SaveAsGameGoes() { SaveIfChanged(false); }

int DataFile::QuietSaveCalls(int intervalMs) const {
  if (s_.DatNoSave || !s_.DatHandle.IsOpen()) return INT_MAX;
  DatRecord image = s_.DatRecord;
  CompleteRecord(image);
  if (!failing_ && EarnedPartsDiffer(image.Bytes(), onDisk_)) return 0;
  // Counters and running time wait for the save interval.
  const uint32_t since = platform_.TickCount() - lastSaveTick_;
  if (since >= kSaveIntervalMs) return 0;
  const uint32_t interval = static_cast<uint32_t>(std::max(intervalMs, 1));
  return static_cast<int>((kSaveIntervalMs - since - 1) / interval);
}
void DataFile::SaveChanges() { SaveIfChanged(true); }

void DataFile::SaveIfChanged(bool countersToo) {
  if (s_.DatNoSave || !s_.DatHandle.IsOpen()) return;
  // The record in memory stays as it is until the exit; the copy is what a save writes.
  DatRecord image = s_.DatRecord;
  CompleteRecord(image);
  if (image.Bytes() == onDisk_) return;
  const bool earned = countersToo || EarnedPartsDiffer(image.Bytes(), onDisk_);
  // A failing save is tried again only with the counters' pace, not at every tick.
  if ((!earned || failing_) && platform_.TickCount() - lastSaveTick_ < kSaveIntervalMs) return;
  WriteImage(image.Bytes());
}

void DataFile::WriteImage(const Image& image) {
  lastSaveTick_ = platform_.TickCount();
  if (keepDamaged_) {
    // The damaged file goes to the side first; without that copy it is not overwritten.
    std::string why;
    if (!store_.KeepDamaged(s_.DatHandle.Descriptor(), s_.DatPath, platform_.Now(), why)) {
      SaveOutcome outcome;
      outcome.error = errno;
      outcome.why = why;
      ShowSaveFailure(outcome);
      return;
    }
    keepDamaged_ = false;
  }
  const SaveOutcome outcome = store_.Save(s_.DatHandle, s_.DatPath, image.data());
  if (!outcome.saved) {
    ShowSaveFailure(outcome);
    return;
  }
  onDisk_ = image;
  if (failing_) {
    failing_ = false;
    SetState(DatState::ReadWrite);
  }
}

void DataFile::ShowSaveFailure(const SaveOutcome& outcome) {
  qCWarning(lcRecords, "%s was not saved (%s); the record stays in memory and is saved when it can be",
            s_.DatPath.c_str(), outcome.why.c_str());
  const std::string reason = FailureReason(outcome.error);
  failing_ = true;
  // From now on the settings screen says that nothing is being saved, and why.
  status_.state = DatState::SaveFailing;
  status_.failure = reason;
  Tell();
  if (failureShown_ || quiet_) return;
  failureShown_ = true;
  platform_.Error("記録を保存できませんでした。\n\nファイル: " + s_.DatPath + "\n理由: " + reason +
                      "\n\n保存できるようになるまで、新しい記録は失われるおそれがあります。",
                  "DOJOKAI");
}

void DataFile::CloseDataFile() { s_.DatHandle.Close(); }

void DataFile::Button2Click() {
  if (!platform_.Question("認定書の記録を消去してもよいですか？", "DOJOKAI")) return;
  s_.DatRecord.ClearCertRecords();
  s_.CertSwitch = 0;
  if (DrawSwitchLabels) DrawSwitchLabels();
  SaveAsGameGoes();
}

void DataFile::Button3Click() {
  if (!platform_.Question("全得点と名前を初期化してもよいですか？", "DOJOKAI")) return;
  s_.DatRecord.ResetRankTables();
  SaveAsGameGoes();
}

}  // namespace records
