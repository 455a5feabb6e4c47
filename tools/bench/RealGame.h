#pragma once
// What the benchmarks of the real game share: a run under Xvfb, a scratch program folder
// holding a copy of the built game with its word list and manual, and a launched game
// whose resource use is collected when it ends.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace bench {

namespace fs = std::filesystem;

inline int64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

inline double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

inline bool OnPath(const char* program) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::string rest = path;
  for (size_t at = 0; at <= rest.size();) {
    const size_t colon = std::min(rest.find(':', at), rest.size());
    if (access((rest.substr(at, colon - at) + "/" + program).c_str(), X_OK) == 0) return true;
    at = colon + 1;
  }
  return false;
}

// Without an X display the benchmark runs itself again under a fresh Xvfb at 1920 x 1200.
// Returns false when it should stop (it has already said why).
inline bool EnsureXServer(char** argv) {
  if (std::getenv("DISPLAY") && *std::getenv("DISPLAY")) return true;
  if (std::getenv("DOJOKAI_BENCH_UNDER_XVFB") || !OnPath("xvfb-run")) {
    std::printf("skipped: needs an X server or xvfb-run (Debian xvfb and xauth)\n");
    return false;
  }
  setenv("DOJOKAI_BENCH_UNDER_XVFB", "1", 1);
  std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"), const_cast<char*>("-s"),
                             const_cast<char*>("-screen 0 1920x1200x24")};
  for (char** a = argv; *a; ++a) args.push_back(*a);
  args.push_back(nullptr);
  std::fflush(stdout);
  execvp("xvfb-run", args.data());
  std::printf("skipped: cannot run xvfb-run\n");
  return false;
}

inline fs::path OwnFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

// A private folder with the game, dojokai.bin and dojokai.hlp; removed on destruction.
class GameFolder {
 public:
  GameFolder() {
    std::string pattern = (fs::temp_directory_path() / "dojokai-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    path_ = pattern;
    const fs::path built = OwnFolder();
    for (const char* name : {"dojokai", "dojokai.bin", "dojokai.hlp"})
      if (fs::exists(built / name)) fs::copy_file(built / name, path_ / name);
  }
  ~GameFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  bool Ready() const { return !path_.empty() && fs::exists(path_ / "dojokai"); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// One launched game with its standard output on a pipe.
class Launched {
 public:
  // `extraEnv` entries are "NAME=value"; XDG_RUNTIME_DIR points into the game's folder.
  Launched(const GameFolder& folder, std::vector<std::string> extraEnv)
      : Launched(folder.Path() / "dojokai", {}, folder.Path(), std::move(extraEnv)) {}

  // Any program with its arguments; `extraEnv` replaces the variables it names. A `quiet`
  // program's output goes nowhere (a chatty one could otherwise fill the unread pipe).
  Launched(const fs::path& program, std::vector<std::string> args, const fs::path& runtimeDir,
           std::vector<std::string> extraEnv, bool quiet = false) {
    extraEnv.push_back("XDG_RUNTIME_DIR=" + runtimeDir.string());
    auto replaced = [&](const char* entry) {
      return std::any_of(extraEnv.begin(), extraEnv.end(), [&](const std::string& e) {
        const size_t name = e.find('=') + 1;
        return std::strncmp(entry, e.c_str(), name) == 0;
      });
    };
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
      if (!replaced(*e)) env.emplace_back(*e);
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
      posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
      posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    } else {
      posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    }
    std::string path = program.string();
    std::vector<char*> argv = {path.data()};
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    launchedNs_ = MonotonicNs();
    if (posix_spawnp(&pid_, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
  }
  ~Launched() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      Wait();
    }
    if (out_ >= 0) close(out_);
  }
  Launched(const Launched&) = delete;
  Launched& operator=(const Launched&) = delete;

  bool Running() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }
  int64_t LaunchedNs() const { return launchedNs_; }

  // The first line the game prints, or "" after `timeoutMs`.
  std::string ReadLine(int timeoutMs) {
    std::string line;
    const int64_t deadline = MonotonicNs() + int64_t{timeoutMs} * 1000000;
    while (MonotonicNs() < deadline) {
      pollfd p{out_, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      char c;
      if (read(out_, &c, 1) != 1) break;
      if (c == '\n') return line;
      line += c;
    }
    return line;
  }

  // SIGTERM closes the window the normal way (the record is saved); waits for the end.
  bool Stop(int timeoutMs) {
    if (pid_ <= 0) return false;
    kill(pid_, SIGTERM);
    for (int waited = 0; waited < timeoutMs; waited += 20) {
      if (Wait(WNOHANG)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // Blocks (or not, with WNOHANG) until the game has ended; then Usage() holds its figures.
  bool Wait(int options = 0) {
    if (pid_ <= 0) return true;
    int status = 0;
    if (wait4(pid_, &status, options, &usage_) != pid_) return false;
    pid_ = -1;
    exitedNormally_ = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return true;
  }
  const rusage& Usage() const { return usage_; }
  bool ExitedNormally() const { return exitedNormally_; }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int64_t launchedNs_ = 0;
  rusage usage_{};
  bool exitedNormally_ = false;
};

// "VmRSS" or "VmHWM" of a running process in MiB, 0 when unknown.
inline double ProcessMemoryMiB(pid_t pid, const char* field) {
  FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
  if (!f) return 0;
  char line[256];
  double kib = 0;
  const size_t n = std::strlen(field);
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, field, n) == 0 && line[n] == ':') kib = std::atof(line + n + 1);
  std::fclose(f);
  return kib / 1024.0;
}

}  // namespace bench
