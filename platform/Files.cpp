#include "platform/Files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <cerrno>
#include <cstdint>
#include <utility>

namespace plat {
namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

// Reads until `max` bytes or the end of the file; false on a read error.
bool ReadInto(int fd, std::vector<uint8_t>& out, size_t max) {
  uint8_t buffer[65536];
  while (out.size() < max) {
    const size_t want = std::min(sizeof buffer, max - out.size());
    const ssize_t n = ::read(fd, buffer, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    out.insert(out.end(), buffer, buffer + n);
  }
  return true;
}

std::function<void(const std::string&)> beforeLockHook;

}  // namespace

int OpenRegularFile(const std::string& path, int flags) {
  // Without O_NONBLOCK a FIFO would hold the game until someone writes into it.
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

namespace {}  // namespace

namespace {

// One loop for both kinds of write: `put` writes from the given byte on and returns its count.
template <typename Put>
bool WriteLoop(const void* data, size_t size, Put put) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = put(bytes + done, size - done, done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool WriteAll(int fd, const void* data, size_t size) {
  return WriteLoop(data, size, [fd](const uint8_t* p, size_t n, size_t) { return ::write(fd, p, n); });
}

bool WriteAllAt(int fd, const void* data, size_t size, uint64_t at) {
  return WriteLoop(data, size, [fd, at](const uint8_t* p, size_t n, size_t done) {
    return ::pwrite(fd, p, n, static_cast<off_t>(at + done));
  });
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsReadOnly(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & kWriteBits) == 0;
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path, size_t max) {
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  const bool ok = ReadInto(fd, bytes, max);
  ::close(fd);
  if (!ok) return std::nullopt;
  return bytes;
}

std::string ChangeExtension(const std::string& path, const std::string& ext) {
  const size_t slash = path.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = path.rfind('.');
  // A dot in a folder name, or the leading dot of a hidden file, is no extension.
  if (dot == std::string::npos || dot <= nameStart) return path + ext;
  return path.substr(0, dot) + ext;
}

SharedFile::~SharedFile() { Close(); }

SharedFile::SharedFile(SharedFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

SharedFile& SharedFile::operator=(SharedFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

void SharedFile::SetBeforeLockHook(std::function<void(const std::string&)> hook) { beforeLockHook = std::move(hook); }

std::optional<SharedFile> SharedFile::Open(const std::string& path, Mode mode) {
  if (mode == Mode::SharedRead) {
    const int fd = OpenRegularFile(path, O_RDONLY);
    if (fd < 0) return std::nullopt;
    return SharedFile(fd);
  }
  // A copy of the game that saves replaces the file by a new one under the same name. A
  // lock taken on the old one would lock nothing: the name must still lead to the locked
  // file, else the new one is opened and locked in its turn.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = OpenRegularFile(path, O_RDWR);
    if (fd < 0) return std::nullopt;
    if (beforeLockHook) beforeLockHook(path);
    // The lock belongs to this open file description: a second exclusive open, from this
    // process or another copy of the game, is refused until this one closes.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return std::nullopt;
    }
    struct stat locked {
    }, named{};
    if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &named) == 0 && locked.st_dev == named.st_dev &&
        locked.st_ino == named.st_ino)
      return SharedFile(fd);
    ::close(fd);
  }
  errno = EAGAIN;
  return std::nullopt;
}

bool SharedFile::Create(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  // A file another copy of the game holds open is left alone rather than emptied.
  bool ok = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::ftruncate(fd, 0) == 0;
  if (::close(fd) != 0) ok = false;
  return ok;
}

std::vector<uint8_t> SharedFile::Read(size_t max) {
  std::vector<uint8_t> bytes;
  if (fd_ >= 0) ReadInto(fd_, bytes, max);
  return bytes;
}

bool SharedFile::Seek(uint64_t offset) { return fd_ >= 0 && ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0; }

bool SharedFile::Write(const uint8_t* data, size_t size) { return fd_ >= 0 && WriteAll(fd_, data, size); }

void SharedFile::Close() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

}  // namespace plat
