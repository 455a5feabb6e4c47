// The game as the X server sees it, under an Xvfb of the benchmark's own:
// - the idle title: CPU of the game and of the X server over 30 s, intro over, no panel open;
// - keystroke latency: an XTEST key press to the first DAMAGE rectangle of the repaint it
//   causes in the drill's text window, 500 keys of a 120-s ABC drill at 480 x 300 and at
//   1920 x 1200, at irregular gaps so that keys fall at every phase of the game's timers.
// Needs Xvfb (Debian xvfb) and the XTEST and DAMAGE client libraries it was built with.
// With DOJOKAI_BENCH_DEBUG set it plays five keys at 1920 x 1200 and prints every rectangle.
#include <random>

#include "tools/bench/XBench.h"

namespace {

using bench::DrainDamage;
using bench::FindWindow;
using bench::Key;
using bench::OwnXServer;
using bench::ProcessCpuNs;
using bench::Sleep;
using bench::Stroke;
using bench::WaitForDamage;

// The drill's text window at the design size (F1L9); the window scales it with the client.
constexpr int kTextLeft = 198, kTextTop = 68, kTextWidth = 88, kTextHeight = 16;
const int kKeys = std::getenv("DOJOKAI_BENCH_DEBUG") ? 5 : 500;

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
  XSetErrorHandler(bench::IgnoreXErrors);
  const bool debug = std::getenv("DOJOKAI_BENCH_DEBUG") != nullptr;
  if (!debug && part != "latency") IdleTitle(dpy, server, folder, idleSeconds);
  if (!debug && part != "idle") Latency(dpy, damageEvent, folder, 480, 300);
  if (part != "idle") Latency(dpy, damageEvent, folder, 1920, 1200);
  XCloseDisplay(dpy);
  return 0;
}
