// The real program as a player's desktop runs it: stopped by signals, by the end of its X
// session, or killed; each time the record is in its file.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "game/DatRecord.h"

namespace {

namespace fs = std::filesystem;
using game::DatRecord;
using Bytes = std::vector<uint8_t>;

Bytes ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

bool SavedRecordIsSound(const Bytes& bytes) {
  if (bytes.size() != DatRecord::kSize) return false;
  DatRecord r;
  std::copy(bytes.begin(), bytes.end(), r.Bytes().begin());
  return r.ChecksumValid();
}

// The real program, stopped by a signal, still saves its record.
TEST(GameTest, TerminationSignalClosesTheWindowAndSaves) {
  const fs::path program = fs::read_symlink("/proc/self/exe").parent_path() / "dojokai";
  if (!fs::exists(program)) GTEST_SKIP() << "no game program beside the tests";
  QTemporaryDir folder;
  const fs::path copy = fs::path(folder.path().toStdString()) / "dojokai";
  fs::copy_file(program, copy);
  const fs::path dat = copy.parent_path() / "dojokai.dat";
  for (int sig : {SIGTERM, SIGHUP}) {
    fs::remove(dat);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
      ::execl(copy.c_str(), copy.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // The file is created while the window is built, after the handlers are in place.
    for (int i = 0; i < 400 && !fs::exists(dat); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    ASSERT_TRUE(fs::exists(dat));
    ::kill(pid, sig);
    int status = 0;
    pid_t done = 0;
    for (int i = 0; i < 800 && (done = ::waitpid(pid, &status, WNOHANG)) == 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    if (done == 0) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      FAIL() << "the program did not end on signal " << sig;
    }
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << sig;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(fs::file_size(dat), 4095u) << "signal " << sig;
  }
}

// The real program on an X server that goes away (a logout, a crashed desktop, a dropped
// ssh -X): the toolkit ends the process without closing the window, and the record is
// saved all the same.
TEST(GameTest, AnEndedXSessionStillSavesTheRecord) {
  const fs::path program = fs::read_symlink("/proc/self/exe").parent_path() / "dojokai";
  if (!fs::exists(program) || !fs::exists("/usr/bin/Xvfb")) GTEST_SKIP() << "no game program or no Xvfb";
  QTemporaryDir folder;
  const fs::path copy = fs::path(folder.path().toStdString()) / "dojokai";
  fs::copy_file(program, copy);
  const fs::path dat = copy.parent_path() / "dojokai.dat";
  const std::string number = std::to_string(300 + ::getpid() % 600), display = ":" + number;
  const pid_t server = ::fork();
  ASSERT_GE(server, 0);
  if (server == 0) {
    ::execl("/usr/bin/Xvfb", "Xvfb", display.c_str(), "-nolisten", "tcp", "-screen", "0", "800x600x24",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  const fs::path socket = "/tmp/.X11-unix/X" + number;
  for (int i = 0; i < 400 && !fs::exists(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  const pid_t game = ::fork();
  ASSERT_GE(game, 0);
  if (game == 0) {
    ::unsetenv("QT_QPA_PLATFORM");
    ::setenv("DISPLAY", display.c_str(), 1);
    ::execl(copy.c_str(), copy.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  for (int i = 0; i < 400 && !fs::exists(dat); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the window is up
  const bool started = fs::exists(dat);
  if (started) {
    EXPECT_EQ(fs::file_size(dat), 0u);  // a new file, nothing saved yet
  }
  ::kill(server, SIGKILL);
  ::waitpid(server, nullptr, 0);
  int status = 0;
  pid_t done = 0;
  for (int i = 0; i < 400 && (done = ::waitpid(game, &status, WNOHANG)) == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  if (done == 0) {
    ::kill(game, SIGKILL);
    ::waitpid(game, &status, 0);
  }
  ASSERT_TRUE(started) << "no window on " << display;
  ASSERT_NE(done, 0) << "the game did not end with its display";
  EXPECT_EQ(fs::file_size(dat), 4095u);
}

// The headless driver plays a drill and enters a name, then goes on for a long while: the
// result is in the file before the program is killed, and stays there after the kill.
TEST(GameTest, AResultIsInTheFileBeforeTheProgramIsKilled) {
  const fs::path drive = fs::read_symlink("/proc/self/exe").parent_path() / "dojokai-drive";
  if (!fs::exists(drive)) GTEST_SKIP() << "no driver beside the tests";
  QTemporaryDir folder;
  const std::string dir = folder.path().toStdString(), dat = dir + "/dojokai.dat", script = dir + "/play.dojo";
  WriteText(script,
            "start\nwait 2100\nkey SPACE\nkey 1\ntype abcdefghijklmnopqrstuvwxyz\nkey ESC\nwait 1100\n"
            "expect visible F7Panel\ntype kill\nkey ENTER\nwait 100000000\n");
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::execl(drive.c_str(), drive.c_str(), "--exe-dir", dir.c_str(), script.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  auto placed = [&] {
    const Bytes b = ReadBytes(dat);
    return b.size() == DatRecord::kSize && std::string(b.begin() + DatRecord::RankEntryOffset(0, 9),
                                                       b.begin() + DatRecord::RankEntryOffset(0, 9) + 4) == "kill";
  };
  bool seen = false;
  for (int i = 0; i < 800 && !(seen = placed()); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  int status = 0;
  const bool stillRunning = ::waitpid(pid, &status, WNOHANG) == 0;
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(stillRunning) << "the driver ended before the kill";
  EXPECT_TRUE(placed());
  EXPECT_TRUE(SavedRecordIsSound(ReadBytes(dat)));
}

}  // namespace
