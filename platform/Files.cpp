#include "platform/Files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// Opens a regular file (a folder of the same name does not count as the file).
int OpenFile(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsReadOnly(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & kWriteBits) == 0;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
  const int fd = OpenFile(path, O_RDONLY);
  if (fd < 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  const bool ok = ReadInto(fd, bytes, SIZE_MAX);
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

std::optional<SharedFile> SharedFile::Open(const std::string& path, Mode mode) {
  if (mode == Mode::SharedRead) {
    const int fd = OpenFile(path, O_RDONLY);
    if (fd < 0) return std::nullopt;
    return SharedFile(fd);
  }
  const int fd = OpenFile(path, O_RDWR);
  if (fd < 0) return std::nullopt;
  // The lock belongs to this open file description: a second exclusive open, from this
  // process or another copy of the game, is refused until this one closes.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  return SharedFile(fd);
}

bool SharedFile::Create(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
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

bool SharedFile::Seek(uint64_t offset) {
  return fd_ >= 0 && ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

bool SharedFile::Write(const uint8_t* data, size_t size) {
  if (fd_ < 0) return false;
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd_, data + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

void SharedFile::Close() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

}  // namespace plat
