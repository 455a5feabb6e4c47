#pragma once
// What the benchmarks that speak to an X server of their own share: an Xvfb on a free
// display, the mapped top-level window of a process, DAMAGE rectangles meeting an area,
// XTEST keys, and the CPU time of a process from the scheduler's counts.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <cinttypes>

#include "tools/bench/RealGame.h"

namespace bench {

// CPU time of every thread of a process so far, in nanoseconds.
inline int64_t ProcessCpuNs(pid_t pid) {
  int64_t total = 0;
  const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
  std::error_code ec;
  for (const auto& task : fs::directory_iterator(tasks, ec)) {
    FILE* f = std::fopen((task.path() / "schedstat").c_str(), "r");
    if (!f) continue;
    long long ns = 0;
    if (std::fscanf(f, "%lld", &ns) == 1) total += ns;
    std::fclose(f);
  }
  return total;
}

// An Xvfb on a free display number, ended with the benchmark.
class OwnXServer {
 public:
  OwnXServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    // Above the standard descriptors and the one the server is given, closed on exec.
    readEnd_ = fcntl(fds[0], F_DUPFD_CLOEXEC, 10);
    const int writeEnd = fcntl(fds[1], F_DUPFD_CLOEXEC, 10);
    close(fds[0]);
    close(fds[1]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, writeEnd, 3);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* args[] = {const_cast<char*>("Xvfb"),      const_cast<char*>("-displayfd"), const_cast<char*>("3"),
                    const_cast<char*>("-screen"),   const_cast<char*>("0"),          const_cast<char*>("1920x1200x24"),
                    const_cast<char*>("-nolisten"), const_cast<char*>("tcp"),        nullptr};
    if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, args, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(writeEnd);
    // The server writes its display number and a line feed once it listens; the pipe stays
    // open while it runs, as it may write again.
    std::string number;
    const int64_t deadline = MonotonicNs() + 10'000'000'000;
    while (pid_ > 0 && MonotonicNs() < deadline && number.find('\n') == std::string::npos) {
      pollfd p{readEnd_, POLLIN, 0};
      char buf[16];
      if (poll(&p, 1, 100) <= 0) continue;
      const ssize_t n = read(readEnd_, buf, sizeof buf);
      if (n <= 0) break;
      number.append(buf, static_cast<size_t>(n));
    }
    if (number.find('\n') != std::string::npos) display_ = ":" + std::to_string(std::atoi(number.c_str()));
  }
  ~OwnXServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (readEnd_ >= 0) close(readEnd_);
  }
  OwnXServer(const OwnXServer&) = delete;
  OwnXServer& operator=(const OwnXServer&) = delete;

  const std::string& Display() const { return display_; }
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int readEnd_ = -1;
  std::string display_;
};

inline int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

// The mapped top-level window of a process (its _NET_WM_PID), or 0 after `timeoutMs`.
inline Window FindWindow(Display* dpy, pid_t pid, int timeoutMs) {
  const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
  const int64_t deadline = MonotonicNs() + int64_t{timeoutMs} * 1000000;
  while (MonotonicNs() < deadline) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count)) {
      for (unsigned i = 0; i < count && !found; ++i) {
        Atom type;
        int format;
        unsigned long n, after;
        unsigned char* data = nullptr;
        XWindowAttributes attrs;
        if (XGetWindowProperty(dpy, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after,
                               &data) == Success &&
            data && n == 1 && static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid &&
            XGetWindowAttributes(dpy, children[i], &attrs) && attrs.map_state == IsViewable)
          found = children[i];
        if (data) XFree(data);
      }
      if (children) XFree(children);
    }
    if (found) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return 0;
}

// Handles the X events that have arrived; true when a damage rectangle met `area`.
inline bool DrainDamage(Display* dpy, int damageEvent, const XRectangle& area) {
  bool hit = false;
  while (XPending(dpy)) {
    XEvent e;
    XNextEvent(dpy, &e);
    if (e.type != damageEvent + XDamageNotify) continue;
    const XRectangle& r = reinterpret_cast<XDamageNotifyEvent&>(e).area;
    if (std::getenv("DOJOKAI_BENCH_DEBUG")) std::printf("damage %d,%d %dx%d\n", r.x, r.y, r.width, r.height);
    if (r.x < area.x + area.width && area.x < r.x + r.width && r.y < area.y + area.height && area.y < r.y + r.height)
      hit = true;
  }
  return hit;
}

// Waits up to `timeoutMs` for a damage rectangle meeting `area`; the time it came, or -1.
inline int64_t WaitForDamage(Display* dpy, int damageEvent, const XRectangle& area, int timeoutMs) {
  const int64_t deadline = MonotonicNs() + int64_t{timeoutMs} * 1000000;
  for (;;) {
    if (DrainDamage(dpy, damageEvent, area)) return MonotonicNs();
    const int64_t left = deadline - MonotonicNs();
    if (left <= 0) return -1;
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    poll(&p, 1, static_cast<int>(left / 1000000) + 1);
  }
}

inline void Key(Display* dpy, const char* keysym, bool down) {
  XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, XStringToKeysym(keysym)), down, CurrentTime);
  XFlush(dpy);
}

inline void Stroke(Display* dpy, const char* keysym) {
  Key(dpy, keysym, true);
  Key(dpy, keysym, false);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

inline void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace bench
