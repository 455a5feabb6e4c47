#include "Unprivileged.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

namespace {

namespace fs = std::filesystem;

// What the child sends back: a failure (file, line, message) or why it could not run.
enum class Kind : char { Failure = 'F', Skip = 'S' };

struct Report {
  Kind kind;
  std::string file;
  int line = 0;
  std::string text;
};

void SendAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    data += n;
    size -= static_cast<size_t>(n);
  }
}

// One report: its kind, then three length-prefixed fields.
void Send(int fd, Kind kind, const std::string& file, int line, const std::string& text) {
  std::string out(1, static_cast<char>(kind));
  for (const std::string& field : {file, std::to_string(line), text}) {
    const auto size = static_cast<uint32_t>(field.size());
    out.append(reinterpret_cast<const char*>(&size), sizeof size);
    out += field;
  }
  SendAll(fd, out.data(), out.size());
}

std::vector<Report> Receive(int fd) {
  std::string in;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    in.append(buffer, static_cast<size_t>(n));
  }
  std::vector<Report> reports;
  size_t at = 0;
  auto field = [&](std::string& value) {
    uint32_t size = 0;
    if (at + sizeof size > in.size()) return false;
    std::memcpy(&size, in.data() + at, sizeof size);
    at += sizeof size;
    if (at + size > in.size()) return false;
    value.assign(in, at, size);
    at += size;
    return true;
  };
  while (at < in.size()) {
    Report r{static_cast<Kind>(in[at++]), {}, 0, {}};
    std::string line;
    if (!field(r.file) || !field(line) || !field(r.text)) break;
    r.line = std::atoi(line.c_str());
    reports.push_back(std::move(r));
  }
  return reports;
}

// The folders a failed case left without write or search permission are opened again, so
// that the folder can go.
void RemoveFolder(const std::string& folder) {
  std::error_code ignored;
  ::chmod(folder.c_str(), 0700);
  for (auto it = fs::recursive_directory_iterator(folder, ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored))
    if (it->is_directory(ignored)) ::chmod(it->path().c_str(), 0700);
  fs::remove_all(folder, ignored);
}

std::string MakeFolder() {
  char name[] = "/tmp/dojokai-unprivileged-XXXXXX";
  const char* made = ::mkdtemp(name);
  return made ? made : "";
}

// Whether this process now finds a file without write permission closed to it.
bool PermissionBitsBind(const std::string& folder) {
  const std::string probe = folder + "/probe";
  const int fd = ::open(probe.c_str(), O_CREAT | O_WRONLY, 0444);
  if (fd < 0) return false;
  ::close(fd);
  const int again = ::open(probe.c_str(), O_WRONLY);
  const bool refused = again < 0 && errno == EACCES;
  if (again >= 0) ::close(again);
  ::unlink(probe.c_str());
  return refused;
}

// The child: drop to the user, run the case, send every failure it adds; never returns.
[[noreturn]] void RunChild(int fd, uid_t uid, gid_t gid, const std::string& folder,
                           const std::function<void(const std::string&)>& body) {
  auto skip = [&](const std::string& why) {
    Send(fd, Kind::Skip, "", 0, why);
    ::_exit(0);
  };
  if (::setgroups(0, nullptr) != 0) skip(std::string("setgroups: ") + std::strerror(errno));
  if (::setresgid(gid, gid, gid) != 0) skip(std::string("setresgid: ") + std::strerror(errno));
  if (::setresuid(uid, uid, uid) != 0) skip(std::string("setresuid: ") + std::strerror(errno));
  if (!PermissionBitsBind(folder)) skip("permission bits do not bind the unprivileged user either");

  // The parent reports the failures; the child's own printer would say each one twice.
  testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
  delete listeners.Release(listeners.default_result_printer());
  const testing::TestResult& result = *testing::UnitTest::GetInstance()->current_test_info()->result();
  const int before = result.total_part_count();
  try {
    body(folder);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "exception: " << e.what();
  }
  for (int i = before; i < result.total_part_count(); ++i) {
    const testing::TestPartResult& part = result.GetTestPartResult(i);
    if (part.skipped()) Send(fd, Kind::Skip, "", 0, part.message());
    if (part.failed())
      Send(fd, Kind::Failure, part.file_name() ? part.file_name() : "", part.line_number(), part.message());
  }
  std::fflush(nullptr);
  ::_exit(0);
}

}  // namespace

void RunAsUnprivilegedUser(const std::function<void(const std::string& folder)>& body) {
  const std::string folder = MakeFolder();
  ASSERT_FALSE(folder.empty()) << "no folder in /tmp: " << std::strerror(errno);
  if (::geteuid() != 0) {
    body(folder);
    RemoveFolder(folder);
    return;
  }
  // Looked up before the fork: the child only makes system calls.
  const passwd* nobody = ::getpwnam("nobody");
  const uid_t uid = nobody ? nobody->pw_uid : 65534;
  const gid_t gid = nobody ? nobody->pw_gid : 65534;
  if (::chown(folder.c_str(), uid, gid) != 0) {
    const int error = errno;  // EINVAL: no such user here (a user namespace that maps root only)
    RemoveFolder(folder);
    GTEST_SKIP() << "cannot run as an unprivileged user: chown to uid " << uid << ": " << std::strerror(error);
  }
  int pipe[2];
  ASSERT_EQ(::pipe(pipe), 0) << std::strerror(errno);
  std::cout.flush();
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe[0]);
    RunChild(pipe[1], uid, gid, folder, body);
  }
  ::close(pipe[1]);
  const std::vector<Report> reports = child > 0 ? Receive(pipe[0]) : std::vector<Report>{};
  ::close(pipe[0]);
  int status = 0;
  if (child > 0) ::waitpid(child, &status, 0);
  RemoveFolder(folder);
  ASSERT_GT(child, 0) << "fork: " << std::strerror(errno);

  std::string skipped;
  for (const Report& r : reports) {
    if (r.kind == Kind::Skip)
      skipped = r.text;
    else
      ADD_FAILURE_AT(r.file.c_str(), r.line) << "as uid " << uid << ": " << r.text;
  }
  if (WIFSIGNALED(status))
    ADD_FAILURE() << "the case run as uid " << uid << " ended by signal " << WTERMSIG(status);
  else if (WEXITSTATUS(status) != 0)
    ADD_FAILURE() << "the case run as uid " << uid << " exited with " << WEXITSTATUS(status);
  if (!skipped.empty()) GTEST_SKIP() << "cannot run as an unprivileged user: " << skipped;
}
