#pragma once
// File services the game needs: whole-file reads, existence and the read-only attribute,
// and the data file's opening with sharing modes.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plat {

bool FileExists(const std::string& path);
// The Windows read-only attribute: the file exists and has no write permission bit set.
bool IsReadOnly(const std::string& path);
// The path names a regular file (or a link to one).
bool IsRegularFile(const std::string& path);

// Writes all `size` bytes to `fd` (at its offset, or at `at` without moving it), going on
// after short writes and interruptions; false with errno set on an error.
bool WriteAll(int fd, const void* data, size_t size);
bool WriteAllAt(int fd, const void* data, size_t size, uint64_t at);
// Opens a regular file (or a link to one) without ever blocking: a FIFO, a device or a
// folder in its place gives -1 (errno EINVAL), as does a file that cannot be opened.
int OpenRegularFile(const std::string& path, int flags);
// The file's first `max` bytes (the whole file by default), or nullopt when it is no
// regular file or cannot be read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path, size_t max = SIZE_MAX);
// Replaces the extension of the last path component ("/a/dojokai" + ".bin" -> "/a/dojokai.bin",
// "/a/dojokai.exe" -> "/a/dojokai.bin").
std::string ChangeExtension(const std::string& path, const std::string& ext);

// An open file with a sharing mode. Exclusive: read-write and an exclusive flock, so a
// second copy of the game cannot open it exclusively. Shared: read-only, no lock.
class SharedFile {
 public:
  enum class Mode { ExclusiveReadWrite, SharedRead };
  SharedFile() = default;
  ~SharedFile();
  SharedFile(SharedFile&& other) noexcept;
  SharedFile& operator=(SharedFile&& other) noexcept;
  SharedFile(const SharedFile&) = delete;
  SharedFile& operator=(const SharedFile&) = delete;

  // Opens an existing file; an exclusive open fails when the file is locked by another
  // open or cannot be written.
  static std::optional<SharedFile> Open(const std::string& path, Mode mode);
  // Tests: runs between opening a file exclusively and locking it.
  static void SetBeforeLockHook(std::function<void(const std::string&)> hook);
  // Creates (or truncates) the file, then closes it.
  static bool Create(const std::string& path);

  bool IsOpen() const { return fd_ >= 0; }
  // Reads up to `max` bytes from the current position.
  std::vector<uint8_t> Read(size_t max);
  bool Seek(uint64_t offset);
  bool Write(const uint8_t* data, size_t size);
  void Close();
  int Descriptor() const { return fd_; }

 private:
  explicit SharedFile(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace plat
