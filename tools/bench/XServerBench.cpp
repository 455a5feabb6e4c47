// The game as the X server sees it, under an Xvfb of the benchmark's own:
// - the idle title: CPU of the game and of the X server over 30 s, intro over, no panel open;
// - keystroke latency: an XTEST key press to the first DAMAGE rectangle of the repaint it
//   causes in the drill's text window, 500 keys of a 120-s ABC drill at 480 x 300 and at
//   1920 x 1200, at irregular gaps so that keys fall at every phase of the game's timers.
// Needs Xvfb (Debian xvfb) and the XTEST and DAMAGE client libraries it was built with.
// With DOJOKAI_BENCH_DEBUG set it plays five keys at 1920 x 1200 and prints every rectangle.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <cinttypes>
#include <random>

#include "tools/bench/RealGame.h"

namespace {

namespace fs = std::filesystem;

// The drill's text window at the design size (F1L9); the window scales it with the client.
constexpr int kTextLeft = 198, kTextTop = 68, kTextWidth = 88, kTextHeight = 16;
const int kKeys = std::getenv("DOJOKAI_BENCH_DEBUG") ? 5 : 500;

// CPU time of every thread of a process so far, in nanoseconds.
int64_t ProcessCpuNs(pid_t pid) {
  int64_t total = 0;
  const fs::path tasks = "/proc/" + std::to_string(pid) + "/task";
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
    const int64_t deadline = bench::MonotonicNs() + 10'000'000'000;
    while (pid_ > 0 && bench::MonotonicNs() < deadline && number.find('\n') == std::string::npos) {
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

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

// The mapped top-level window of a process (its _NET_WM_PID), or 0 after `timeoutMs`.
Window FindWindow(Display* dpy, pid_t pid, int timeoutMs) {
  const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
  const int64_t deadline = bench::MonotonicNs() + int64_t{timeoutMs} * 1000000;
  while (bench::MonotonicNs() < deadline) {
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
bool DrainDamage(Display* dpy, int damageEvent, const XRectangle& area) {
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
int64_t WaitForDamage(Display* dpy, int damageEvent, const XRectangle& area, int timeoutMs) {
  const int64_t deadline = bench::MonotonicNs() + int64_t{timeoutMs} * 1000000;
  for (;;) {
    if (DrainDamage(dpy, damageEvent, area)) return bench::MonotonicNs();
    const int64_t left = deadline - bench::MonotonicNs();
    if (left <= 0) return -1;
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    poll(&p, 1, static_cast<int>(left / 1000000) + 1);
  }
}

void Key(Display* dpy, const char* keysym, bool down) {
  XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, XStringToKeysym(keysym)), down, CurrentTime);
  XFlush(dpy);
}

void Stroke(Display* dpy, const char* keysym) {
  Key(dpy, keysym, true);
  Key(dpy, keysym, false);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The idle title for `seconds`: the game's and the X server's share of one core.
void IdleTitle(Display* dpy, const OwnXServer& server, const bench::GameFolder& folder, int seconds) {
  bench::Launched game(folder, {});
  if (!FindWindow(dpy, game.Pid(), 10000)) {
    std::printf("idle title: the game's window did not appear\n");
    return;
  }
  Sleep(3000);  // the intro is over after 2.1 s
  const int64_t game0 = ProcessCpuNs(game.Pid()), server0 = ProcessCpuNs(server.Pid()), wall0 = bench::MonotonicNs();
  Sleep(seconds * 1000);
  const double wall = static_cast<double>(bench::MonotonicNs() - wall0);
  const double gameShare = 100.0 * static_cast<double>(ProcessCpuNs(game.Pid()) - game0) / wall;
  const double serverShare = 100.0 * static_cast<double>(ProcessCpuNs(server.Pid()) - server0) / wall;
  std::printf("Idle title over %d s under Xvfb: game %.3f %% of one core, X server %.3f %%\n", seconds, gameShare,
              serverShare);
  game.Stop(5000);
}

// 500 keys of an ABC drill at a client size; prints the latency figures.
void Latency(Display* dpy, int damageEvent, const bench::GameFolder& folder, int width, int height) {
  bench::Launched game(folder, {});
  const Window window = FindWindow(dpy, game.Pid(), 10000);
  if (!window) {
    std::printf("%dx%d: the game's window did not appear\n", width, height);
    return;
  }
  Sleep(500);  // a size given before the first tick of the title's timer is not scaled
  if (width != 480) XMoveResizeWindow(dpy, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSetInputFocus(dpy, window, RevertToParent, CurrentTime);
  XFlush(dpy);
  Sleep(2500);
  XWindowAttributes attrs;
  XGetWindowAttributes(dpy, window, &attrs);
  const double sx = attrs.width / 480.0, sy = attrs.height / 300.0;
  if (std::getenv("DOJOKAI_BENCH_DEBUG")) std::printf("window %dx%d\n", attrs.width, attrs.height);
  const XRectangle text{static_cast<short>(kTextLeft * sx), static_cast<short>(kTextTop * sy),
                        static_cast<unsigned short>(kTextWidth * sx), static_cast<unsigned short>(kTextHeight * sy)};

  // Mode select, 120 s, ABC.
  for (int i = 0; i < 3; ++i) Stroke(dpy, "space");
  Stroke(dpy, "1");
  Sleep(300);
  const Damage damage = XDamageCreate(dpy, window, XDamageReportRawRectangles);
  XSync(dpy, False);
  DrainDamage(dpy, damageEvent, text);

  std::mt19937 gaps(15);
  std::uniform_int_distribution<int> gapMs(30, 130);
  std::vector<double> latencies;
  int lost = 0;
  for (int i = 0; i < kKeys; ++i) {
    const char letter[2] = {static_cast<char>('a' + i % 26), 0};
    DrainDamage(dpy, damageEvent, text);
    const int64_t pressed = bench::MonotonicNs();
    Key(dpy, letter, true);
    const int64_t seen = WaitForDamage(dpy, damageEvent, text, 500);
    if (seen < 0)
      ++lost;
    else
      latencies.push_back(static_cast<double>(seen - pressed) / 1e6);
    Key(dpy, letter, false);
    Sleep(gapMs(gaps));
  }
  XDamageDestroy(dpy, damage);
  XSync(dpy, False);
  std::printf(
      "Key press to first damage of its repaint, %dx%d, %zu keys: median %.2f ms, p90 %.2f ms, "
      "p99 %.2f ms, max %.2f ms%s\n",
      attrs.width, attrs.height, latencies.size(), bench::Percentile(latencies, 0.5), bench::Percentile(latencies, 0.9),
      bench::Percentile(latencies, 0.99), bench::Percentile(latencies, 1.0),
      lost ? (" (" + std::to_string(lost) + " keys without a repaint)").c_str() : "");
  game.Stop(5000);
}

}  // namespace

int main(int argc, char** argv) {
  // dojokai-bench-xserver [SECONDS [idle|latency]]: the idle time, and one part alone.
  const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const std::string part = argc > 2 ? argv[2] : "";
  if (!bench::OnPath("Xvfb")) {
    std::printf("skipped: needs Xvfb (Debian xvfb)\n");
    return 0;
  }
  bench::GameFolder folder;
  if (!folder.Ready()) {
    std::printf("skipped: no built dojokai beside this benchmark\n");
    return 0;
  }
  OwnXServer server;
  if (server.Display().empty()) {
    std::printf("skipped: Xvfb did not start\n");
    return 0;
  }
  setenv("DISPLAY", server.Display().c_str(), 1);
  Display* dpy = XOpenDisplay(server.Display().c_str());
  int damageEvent = 0, damageError = 0, major = 0, minor = 0, xtestEvent = 0, xtestError = 0;
  if (!dpy || !XDamageQueryExtension(dpy, &damageEvent, &damageError) ||
      !XTestQueryExtension(dpy, &xtestEvent, &xtestError, &major, &minor)) {
    std::printf("skipped: the X server offers no DAMAGE or XTEST\n");
    return 0;
  }
  XSetErrorHandler(IgnoreXErrors);
  const bool debug = std::getenv("DOJOKAI_BENCH_DEBUG") != nullptr;
  if (!debug && part != "latency") IdleTitle(dpy, server, folder, idleSeconds);
  if (!debug && part != "idle") Latency(dpy, damageEvent, folder, 480, 300);
  if (part != "idle") Latency(dpy, damageEvent, folder, 1920, 1200);
  XCloseDisplay(dpy);
  return 0;
}
