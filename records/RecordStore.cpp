#include "records/RecordStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/DatRecord.h"
#include "records/Logging.h"

namespace records {
namespace {

using game::DatRecord;
using Mode = plat::SharedFile::Mode;

constexpr char kDamagedSuffix[] = ".bad";
// A damaged file is kept up to this size; beyond it nothing of the game's lies.
constexpr size_t kDamagedCopyLimit = 16u << 20;

std::string StepText(const char* step, int error) { return std::string(step) + ": " + std::strerror(error); }

void AddWhy(SaveOutcome& out, const std::string& text) { out.why += (out.why.empty() ? "" : "; ") + text; }

// The file a path names, through symbolic links, so that a replacement lands there.
std::string Resolved(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string out = real;
  std::free(real);
  return out;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SyncFolderOf(const std::string& path) {
  const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* e = ::readdir(dir)) names.emplace_back(e->d_name);
    ::closedir(dir);
  }
  return names;
}

bool IsDamagedName(const std::string& name, const std::string& base) {
  const std::string first = base + kDamagedSuffix;
  return name == first || (name.size() > first.size() + 1 && name.compare(0, first.size() + 1, first + "-") == 0 &&
                           name.find('.', first.size()) == std::string::npos);
}

// A temporary file of a save: the data file's name or a damaged generation's, a dot and
// the six letters or digits mkostemp chose.
bool IsLeftoverName(const std::string& name, const std::string& base) {
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || name.size() - dot != 7) return false;
  for (size_t i = dot + 1; i < name.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  const std::string stem = name.substr(0, dot);
  return stem == base || IsDamagedName(stem, base);
}

}  // namespace

std::string FailureReason(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return "書き込みの権限がありません";
    case ENOSPC:
    case EDQUOT: return "ディスクの空き容量がありません";
    case EROFS: return "読み込み専用のファイルシステムです";
    case ENOENT:
    case ENOTDIR: return "フォルダが見つかりません";
    case EIO: return "ディスクの入出力エラーです";
    case EBADF: return "ファイルが書き込み用に開かれていません";
    case EINVAL: return "通常のファイルではありません";
    default: return std::string("書き込みに失敗しました (") + std::strerror(error) + ")";
  }
}

bool RecordStore::Replace(plat::SharedFile& handle, const std::string& target, const uint8_t* bytes, size_t size,
                          mode_t mode, SaveOutcome& out) {
  std::vector<char> temp(target.begin(), target.end());
  for (char c : std::string(".XXXXXX")) temp.push_back(c);
  temp.push_back('\0');
  int error = Fault(SaveStep::CreateTemp);
  const int created = error ? -1 : ::mkostemp(temp.data(), O_CLOEXEC);
  if (created < 0) {
    out.error = error ? error : errno;
    AddWhy(out, StepText("creating a temporary file", out.error));
    return false;
  }
  ::close(created);
  const std::string tempPath = temp.data();
  auto file = plat::SharedFile::Open(tempPath, Mode::ExclusiveReadWrite);
  const char* step = nullptr;
  if (!file) {
    step = "opening the temporary file";
    error = errno;
  } else if ((error = Fault(SaveStep::WriteTemp)) ||
             (!plat::WriteAllAt(file->Descriptor(), bytes, size, 0) && (error = errno))) {
    step = "writing the temporary file";
  } else if (::fchmod(file->Descriptor(), mode) != 0) {
    step = "setting the permissions";
    error = errno;
  } else if ((error = Fault(SaveStep::SyncTemp)) || (::fsync(file->Descriptor()) != 0 && (error = errno))) {
    step = "flushing the temporary file";
  } else if ((error = Fault(SaveStep::Rename)) ||
             (::rename(tempPath.c_str(), target.c_str()) != 0 && (error = errno))) {
    step = "renaming the temporary file";
  }
  if (step) {
    out.error = error;
    AddWhy(out, StepText(step, error));
    ::unlink(tempPath.c_str());
    return false;
  }
  SyncFolderOf(target);
  handle = std::move(*file);
  return true;
}

bool RecordStore::WriteInPlace(int fd, const uint8_t* record, SaveOutcome& out) {
  int error = Fault(SaveStep::WriteInPlace);
  if (error || !plat::WriteAllAt(fd, record, DatRecord::kSize, 0)) {
    out.error = error ? error : errno;
    AddWhy(out, StepText("writing in place", out.error));
    return false;
  }
  if ((error = Fault(SaveStep::SyncInPlace)) || (::fsync(fd) != 0 && (error = errno))) {
    out.error = error;
    AddWhy(out, StepText("flushing in place", error));
    return false;
  }
  return true;
}

SaveOutcome RecordStore::Save(plat::SharedFile& handle, const std::string& datPath, const uint8_t* record) {
  SaveOutcome out;
  const int fd = handle.Descriptor();
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    out.error = errno;
    AddWhy(out, StepText("reading the file's state", out.error));
    return out;
  }
  // A long file keeps its tail where it is; the record's part is written over.
  if (st.st_size <= static_cast<off_t>(DatRecord::kSize) &&
      Replace(handle, Resolved(datPath), record, DatRecord::kSize, st.st_mode & 07777, out)) {
    out = {true, false, 0, ""};
    return out;
  }
  // No new file could be made (a folder that cannot be written, a full disk, a vanished
  // folder): the old file takes the bytes itself.
  if (WriteInPlace(fd, record, out)) {
    out.saved = true;
    out.inPlace = true;
    out.error = 0;
  }
  return out;
}

std::vector<std::string> RecordStore::DamagedGenerations(const std::string& datPath) {
  const std::string target = Resolved(datPath), folder = FolderOf(target), base = NameOf(target);
  std::vector<std::pair<std::pair<int64_t, std::string>, std::string>> found;  // (age, name), path
  for (const std::string& name : NamesIn(folder)) {
    if (!IsDamagedName(name, base)) continue;
    struct stat st {};
    const std::string path = folder + "/" + name;
    if (::lstat(path.c_str(), &st) != 0) continue;
    // The plain name is the first generation; the dated names follow in date order.
    found.push_back(
        {{name == base + kDamagedSuffix ? INT64_MIN : int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec,
          name},
         path});
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  for (auto& f : found) paths.push_back(f.second);
  return paths;
}

bool RecordStore::KeepDamaged(int fd, const std::string& datPath, const plat::LocalDateTime& now, std::string& why) {
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  for (off_t at = 0; bytes.size() < kDamagedCopyLimit;) {
    const ssize_t n = ::pread(fd, buffer, std::min(sizeof buffer, kDamagedCopyLimit - bytes.size()), at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      why = StepText("reading the damaged file", errno);
      return false;
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
    at += n;
  }
  const std::string target = Resolved(datPath);
  std::vector<std::string> kept = DamagedGenerations(datPath);
  // Never replaced: a free name, the plain one first, then the date and time.
  std::string name = target + kDamagedSuffix;
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d", now.year, now.month, now.day, now.hour, now.minute,
                now.second);
  for (int n = 1; plat::FileExists(name) || ::access(name.c_str(), F_OK) == 0; ++n)
    name = target + kDamagedSuffix + stamp + (n > 1 ? "-" + std::to_string(n) : "");
  plat::SharedFile copy;
  SaveOutcome out;
  if (!Replace(copy, name, bytes.data(), bytes.size(), 0600, out)) {
    why = "keeping the damaged file as " + name + ": " + out.why;
    return false;
  }
  copy.Close();
  qCInfo(lcRecords, "the damaged %s is kept as %s", datPath.c_str(), name.c_str());
  // The oldest generations go once there are more than ten; the plain name, being the
  // first, goes first.
  for (size_t i = 0; i + kMaxDamagedGenerations < kept.size() + 1; ++i) ::unlink(kept[i].c_str());
  return true;
}

void RecordStore::RemoveLeftovers(const std::string& datPath) {
  const std::string target = Resolved(datPath), folder = FolderOf(target), base = NameOf(target);
  for (const std::string& name : NamesIn(folder)) {
    if (!IsLeftoverName(name, base)) continue;
    const std::string path = folder + "/" + name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
  }
}

}  // namespace records
