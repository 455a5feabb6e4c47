#include "records/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

#include "platform/Files.h"

namespace records {

using game::DatRecord;
namespace {

using Mode = plat::SharedFile::Mode;

constexpr char kDatName[] = "dojokai.dat";
constexpr char kDamagedSuffix[] = ".bad";
// Paths of this length or more are refused before anything is opened.
constexpr size_t kPathLimit = 500;
constexpr int kFolderFieldLimit = 250;

// How Panel13, Image4 and DatNoSave show each way the data file was (or was not) opened.
struct StateLook {
  const char* text;
  ui::Color back;
  bool setFont;
  ui::Color font;
  const char* hint;
  bool image4;
  uint8_t noSave;
};
constexpr StateLook kStateLooks[] = {
    {"読み書き可能", ui::clr::Blue, true, ui::clr::White, "現存のファイルを開いています.", false, 0},
    {"読み込みのみ可能", ui::clr::Yellow, true, ui::clr::Black, "権限がないか、他でdojokaiが使用中です.", true, 1},
    {"読み書き可能(新規)", ui::clr::Lime, false, 0, "新規にファイルが作成されました.", false, 0},
    {"読み書き不可", ui::clr::Red, true, ui::clr::White, "権限がないか、またはパス名が無効", true, 1},
    {"読み書きしない", ui::clr::White, false, 0, "データを保存しない設定になっています.", true, 0},
};

// The title switches by their bit in SwitchBits.
constexpr uint8_t game::PlayState::*kSwitchBits[8] = {
    &game::PlayState::SwitchR,    &game::PlayState::SwitchC,    &game::PlayState::SwitchS,
    &game::PlayState::SwitchK,    &game::PlayState::CertSwitch, &game::PlayState::SwitchPlus,
    &game::PlayState::SwitchB,    &game::PlayState::SwitchT};

std::string ErrorText(const char* step) { return std::string(step) + ": " + std::strerror(errno); }

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Appends to `to` everything of `from` from offset `at` to its end.
bool CopyFrom(int from, off_t at, int to, std::string& why) {
  uint8_t buffer[65536];
  for (;;) {
    const ssize_t n = ::pread(from, buffer, sizeof buffer, at);
    if (n < 0) {
      if (errno == EINTR) continue;
      why = ErrorText("reading the old file");
      return false;
    }
    if (n == 0) return true;
    if (!WriteAll(to, buffer, static_cast<size_t>(n))) {
      why = ErrorText("writing the temporary file");
      return false;
    }
    at += n;
  }
}

// The file a path names, through symbolic links, so that a replacement lands there.
std::string Resolved(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string out = real;
  std::free(real);
  return out;
}

void SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Replaces `target` by a file holding `head` and then the bytes of `tailFd` from `tailAt`
// on. The new bytes go to a temporary file beside the target, reach the disk, and take
// the target's name in one rename; until then the old file is untouched. The new file is
// returned open and locked, so that the name stays locked against a second copy.
std::optional<plat::SharedFile> ReplaceFile(const std::string& target, const uint8_t* head, size_t headSize,
                                            int tailFd, off_t tailAt, mode_t mode, std::string& why) {
  std::vector<char> temp(target.begin(), target.end());
  for (char c : std::string(".XXXXXX")) temp.push_back(c);
  temp.push_back('\0');
  const int created = ::mkostemp(temp.data(), O_CLOEXEC);
  if (created < 0) {
    why = ErrorText("creating a temporary file");
    return std::nullopt;
  }
  ::close(created);
  const std::string tempPath = temp.data();
  auto file = plat::SharedFile::Open(tempPath, Mode::ExclusiveReadWrite);
  if (!file) {
    why = ErrorText("opening the temporary file");
    ::unlink(tempPath.c_str());
    return std::nullopt;
  }
  const int fd = file->Descriptor();
  bool ok = true;
  if (!WriteAll(fd, head, headSize)) {
    why = ErrorText("writing the temporary file");
    ok = false;
  }
  ok = ok && CopyFrom(tailFd, tailAt, fd, why);
  if (ok && ::fchmod(fd, mode) != 0) {
    why = ErrorText("setting the permissions");
    ok = false;
  }
  if (ok && ::fsync(fd) != 0) {
    why = ErrorText("flushing the temporary file");
    ok = false;
  }
  if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
    why = ErrorText("renaming the temporary file");
    ok = false;
  }
  if (!ok) {
    ::unlink(tempPath.c_str());
    return std::nullopt;
  }
  SyncFolderOf(target);
  return file;
}

void ReportNotSaved(const std::string& path, const std::string& why) {
  std::cerr << "dojokai: " << path << " was not saved (" << why << "); the old file is unchanged\n";
}

}  // namespace

DataFile::DataFile(game::PlayState& state, ui::MainControls& c, plat::Platform& platform, ConfigFile& config)
    : s_(state), C(c), platform_(platform), config_(config) {}

DatRecord::Date DataFile::Today() const {
  const plat::LocalDateTime now = platform_.Now();
  return {static_cast<uint16_t>(now.year), static_cast<uint8_t>(now.month), static_cast<uint8_t>(now.day)};
}

void DataFile::ShowState(DatState state) {
  const StateLook& look = kStateLooks[static_cast<int>(state)];
  C.Panel13->SetCaption(look.text);
  C.Panel13->SetColor(look.back);
  if (look.setFont) C.Panel13->SetFontColor(look.font);
  C.Panel13->SetHint(look.hint);
  C.Image4->SetVisible(look.image4);
  s_.DatNoSave = look.noSave;
}

void DataFile::LoadDataFile() {
  // The settings come first: they say where the file is and whether it is used.
  C.Edit1->SetMaxBytes(kFolderFieldLimit);
  C.Edit1->SetText("");
  config_.ResolveConfig();
  s_.DatNoSave = 0;
  C.Image4->Hide();
  s_.DrillMissCounts.fill(0);
  s_.RunMissCounts.fill(0);
  s_.DatRecord.ResetDataRecord(Today());
  s_.PendingRank = 0;
  keepDamaged_ = false;

  // The folder is the program's own, or the configured one.
  const std::string program = platform_.ProgramPath();
  if (program.size() >= kPathLimit) return;
  s_.DatPath = program.substr(0, program.rfind('/') + 1);
  if (C.CheckBox1->Checked()) {
    const std::string folder = C.Edit1->TextUtf8();
    if (folder.size() >= kPathLimit) {
      s_.DatNoSave = 1;
      return;
    }
    // An empty folder is the root folder.
    s_.DatPath = folder;
    if (s_.DatPath.empty() || s_.DatPath.back() != '/') s_.DatPath += '/';
  }
  s_.DatPath += kDatName;
  C.Panel12->SetCaption(s_.DatPath);

  if (C.CheckBox4->Checked())
    ShowState(DatState::Off);
  else
    OpenDataFile();

  // What follows runs on the default record too when no file was opened.
  s_.DataLoaded = 1;
  if (ShowFirstRankTable) ShowFirstRankTable();
  if (!C.CheckBox2->Checked()) {
    const uint8_t bits = s_.DatRecord.SwitchBits();
    for (unsigned bit = 0; bit < 8; ++bit) s_.*kSwitchBits[bit] = (bits >> bit) & 1;
  }
  if (s_.DatRecord.OptionBits() & DatRecord::kMaximizeAtStartBit) s_.MaximizeAtStart = 1;
  if (DrawSwitchLabels) DrawSwitchLabels();
  const DatRecord::Date today = Today();
  if (s_.DatRecord.LastDate() != today) s_.DatRecord.SetTodayGood(0);
  s_.DatRecord.SetLastDate(today);
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
    const size_t read = ReadRecord();
    s_.DatHandle.Seek(0);
    ShowState(DatState::ReadWrite);
    if (!s_.DatRecord.ChecksumValid()) {
      s_.DatRecord.ResetDataRecord(Today());
      // Its bytes are kept as a .bad copy before the save overwrites them.
      keepDamaged_ = read > 0;
    }
    return;
  }
  if (auto file = plat::SharedFile::Open(s_.DatPath, Mode::SharedRead)) {
    s_.DatHandle = std::move(*file);
    ReadRecord();
    ShowState(DatState::ReadOnly);
    return;
  }
  // A file that exists but cannot be read is left alone rather than emptied.
  if (plat::FileExists(s_.DatPath) || !plat::SharedFile::Create(s_.DatPath)) {
    ShowState(DatState::Unusable);
    return;
  }
  if (auto file = plat::SharedFile::Open(s_.DatPath, Mode::ExclusiveReadWrite)) {
    s_.DatHandle = std::move(*file);
    ShowState(DatState::Created);
  }
}

void DataFile::SaveDataFile() {
  DatRecord& rec = s_.DatRecord;
  rec.SetChecksum(rec.ComputeChecksum());
  uint8_t bits = 0;
  for (unsigned bit = 0; bit < 8; ++bit)
    if (s_.*kSwitchBits[bit]) bits |= static_cast<uint8_t>(1u << bit);
  rec.SetSwitchBits(bits);
  const uint8_t options = rec.OptionBits() & ~DatRecord::kMaximizeAtStartBit;
  rec.SetOptionBits(s_.MaximizeAtStart ? options | DatRecord::kMaximizeAtStartBit : options);
  if (s_.DatNoSave || !s_.DatHandle.IsOpen()) return;

  const int old = s_.DatHandle.Descriptor();
  const std::string target = Resolved(s_.DatPath);
  struct stat st {};
  const mode_t mode = ::fstat(old, &st) == 0 ? st.st_mode & 07777 : 0644;
  std::string why;
  if (keepDamaged_) {
    // The damaged file goes to the side first; without that copy it is not overwritten.
    if (!ReplaceFile(target + kDamagedSuffix, nullptr, 0, old, 0, mode, why)) {
      ReportNotSaved(s_.DatPath, "keeping the damaged file as " + target + kDamagedSuffix + ": " + why);
      return;
    }
    keepDamaged_ = false;
  }
  // Bytes beyond the record are not the game's; they are carried over as they are.
  auto fresh = ReplaceFile(target, rec.Bytes().data(), DatRecord::kSize, old,
                           static_cast<off_t>(DatRecord::kSize), mode, why);
  if (!fresh) {
    ReportNotSaved(s_.DatPath, why);
    return;
  }
  s_.DatHandle = std::move(*fresh);
}

void DataFile::CloseDataFile() { s_.DatHandle.Close(); }

void DataFile::Button2Click() {
  if (!platform_.Question("認定書の記録を消去してもよいですか？", "DOJOKAI")) return;
  s_.DatRecord.ClearCertRecords();
  s_.CertSwitch = 0;
  if (DrawSwitchLabels) DrawSwitchLabels();
}

void DataFile::Button3Click() {
  if (!platform_.Question("全得点と名前を初期化してもよいですか？", "DOJOKAI")) return;
  s_.DatRecord.ResetRankTables();
}

}  // namespace records
