// Peak memory (ru_maxrss) of the game through one scripted session: the title, a 30-s ABC
// drill, the name entry and the results, back to the title, then a normal close.
// 1. The built game under a real X server (Xvfb when there is no display), its keys typed
//    by xdotool, once at the design size and once at 1920 x 1200.
// 2. The same session in the headless driver (offscreen, virtual clock), for comparison.
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "game/DatRecord.h"
#include "tools/bench/RealGame.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs a program found on the PATH, waits for it; its standard output when asked.
bool RunTool(std::vector<std::string> args, std::string* out = nullptr) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const bool spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string text;
  char chunk[256];
  for (ssize_t n; spawned && (n = read(fds[0], chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  if (!spawned || waitpid(pid, &status, 0) != pid) return false;
  if (out) *out = text;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void SleepUntil(Clock::time_point t) { std::this_thread::sleep_until(t); }

// The best entry of the ABC 30-s table in the saved record, to show the session was played.
std::string TopAbcEntry(const bench::fs::path& dat) {
  std::ifstream in(dat, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != game::DatRecord::kSize) return "no record saved";
  game::DatRecord record;
  std::copy(bytes.begin(), bytes.end(), record.Bytes().begin());
  const game::TRankEntry e = record.RankEntry(0, 0);
  char text[96];
  std::snprintf(text, sizeof text, "ABC 30 s first place \"%.10s\" %u points, GOOD %u, MISS %u",
                reinterpret_cast<const char*>(e.Name.data()), e.Score, e.Good, e.Miss);
  return text;
}

void RealSession(int width, int height) {
  bench::GameFolder folder;
  if (!folder.Ready()) {
    std::printf("skipped: no built dojokai beside this benchmark\n");
    return;
  }
  bench::Launched game(folder, {});
  const Clock::time_point launched = Clock::now();
  std::string window;
  if (!RunTool({"timeout", "10", "xdotool", "search", "--sync", "--onlyvisible", "--pid", std::to_string(game.Pid())},
               &window) ||
      window.empty()) {
    std::printf("skipped: the game's window did not appear\n");
    return;
  }
  window = window.substr(0, window.find('\n'));
  if (width != 480) RunTool({"xdotool", "windowsize", "--sync", window, std::to_string(width), std::to_string(height)});
  // Keys count from the first title tick; the intro has finished by 2.1 s.
  SleepUntil(launched + std::chrono::milliseconds(2600));
  RunTool({"xdotool", "windowfocus", "--sync", window});
  const double title = bench::ProcessMemoryMiB(game.Pid(), "VmRSS");

  // Space: mode select; 1: ABC at 30 s. Then 260 letters at about ten a second.
  RunTool({"xdotool", "key", "--delay", "200", "space", "1"});
  const Clock::time_point drillStart = Clock::now();
  std::string letters;
  for (int i = 0; i < 10; ++i) letters += "abcdefghijklmnopqrstuvwxyz";
  RunTool({"xdotool", "type", "--delay", "90", letters});
  const double drill = bench::ProcessMemoryMiB(game.Pid(), "VmRSS");

  // The drill ends 30 s after the first hit; the splash lasts a second; then the name entry.
  SleepUntil(drillStart + std::chrono::milliseconds(33500));
  RunTool({"xdotool", "type", "--delay", "60", "bench"});
  RunTool({"xdotool", "key", "Return"});
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  const double results = bench::ProcessMemoryMiB(game.Pid(), "VmRSS");
  RunTool({"xdotool", "key", "space"});
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  if (!game.Stop(10000)) {
    std::printf("the game did not close on SIGTERM\n");
    return;
  }
  std::printf(
      "Real game, %dx%d, X server %s: peak %.1f MiB (ru_maxrss); resident at the title %.1f MiB, "
      "after the typing %.1f MiB, on the results %.1f MiB\n  check: %s\n",
      width, height, std::getenv("DISPLAY"), static_cast<double>(game.Usage().ru_maxrss) / 1024.0, title, drill,
      results, TopAbcEntry(folder.Path() / "dojokai.dat").c_str());
}

void DriverSession() {
  bench::GameFolder folder;
  const bench::fs::path drive = bench::OwnFolder() / "dojokai-drive";
  const bench::fs::path script = folder.Path() / "session.dojo";
  {
    std::ofstream out(script);
    out << "start\nwait 2100\nkey SPACE\nkey 1\n";
    for (int i = 0; i < 10; ++i) out << "type abcdefghijklmnopqrstuvwxyz\nwait 2340\n";
    out << "wait 10000\nexpect visible F7Panel\nset F7M1 bench\nkey ENTER\nexpect visible F4Panel\n"
           "key SPACE\nexpect visible Panel1\nclose\n";
  }
  std::string driveText = drive.string(), dirText = folder.Path().string(), scriptText = script.string();
  char* args[] = {driveText.data(), const_cast<char*>("--exe-dir"), dirText.data(), scriptText.data(), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0], nullptr, nullptr, args, environ) != 0) {
    std::printf("skipped: no dojokai-drive beside this benchmark\n");
    return;
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  std::printf(
      "Headless driver, same session (offscreen, virtual clock): peak %.1f MiB (ru_maxrss), exit %d\n"
      "  check: %s\n",
      static_cast<double>(usage.ru_maxrss) / 1024.0, WIFEXITED(status) ? WEXITSTATUS(status) : -1,
      TopAbcEntry(folder.Path() / "dojokai.dat").c_str());
}

}  // namespace

int main(int, char** argv) {
  // The headless run first: it needs no display, and it runs before any re-launch under Xvfb.
  if (!std::getenv("DOJOKAI_BENCH_UNDER_XVFB")) DriverSession();
  std::fflush(stdout);
  if (!bench::OnPath("xdotool")) {
    std::printf("Real game: skipped, needs xdotool (apt-get install xdotool)\n");
    return 0;
  }
  if (!bench::EnsureXServer(argv)) return 0;
  RealSession(480, 300);
  RealSession(1920, 1200);
  return 0;
}
