// The game against its floor: bare Qt programs doing the same visible work (floor/), each
// under an Xvfb of its own, run side by side so that the load of the machine hits both alike.
// - launch to the first mapped top-level window (MapNotify), launches alternating;
// - the idle title (intro over, no score show) against FloorTitle: CPU of the program and of
//   its X server, both idle at the same time;
// - the ABC drill against FloorTyping at 480 x 300: XTEST key press to the first DAMAGE in the
//   text strip, in blocks of keys to one and then the other, and the CPU of the program and of
//   its X server over the blocks, scaled to 200 characters;
// - the romaji drill (a list of one word) against the ABC drill, CPU per 200 characters, its
//   blocks of keys between theirs on a third Xvfb.
// Each figure is printed with the game's value, the floor's and their ratio; none fails it.
// `dojokai-bench-floor [IDLE_SECONDS] [--peers]`; --peers adds Klavaro and KTouch (when
// installed) to the launch and idle figures. With DOJOKAI_BENCH_DEBUG set it runs short and
// leaves pictures of the typed screens in the temporary folder.
#include <random>
#include <string_view>

#include "tools/bench/XBench.h"

namespace {

namespace fs = std::filesystem;
using bench::Launched;
using bench::MonotonicNs;
using bench::OwnXServer;
using bench::Percentile;
using bench::ProcessCpuNs;
using bench::Sleep;

const bool kDebug = std::getenv("DOJOKAI_BENCH_DEBUG") != nullptr;
// The drill's text window at the design size; the floor's strip lies on it.
const XRectangle kTextStrip{198, 68, 88, 16};
const XRectangle kWholeWindow{0, 0, 480, 300};
const int kLaunches = kDebug ? 1 : 5;
const int kBlock = kDebug ? 7 : 25;
const int kBlocks = kDebug ? 1 : 6;
constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz";  // the ABC drill
constexpr std::string_view kRomajiKeys = "renshuu";  // 練習 れんしゅう, the one entry of the list

// One side of the run: an X server with the connection the benchmark watches it through.
struct Side {
  OwnXServer server;
  Display* dpy = nullptr;
  int damageEvent = 0;

  bool Open() {
    if (server.Display().empty()) return false;
    dpy = XOpenDisplay(server.Display().c_str());
    int damageError = 0, xtestEvent = 0, xtestError = 0, major = 0, minor = 0;
    return dpy && XDamageQueryExtension(dpy, &damageEvent, &damageError) &&
           XTestQueryExtension(dpy, &xtestEvent, &xtestError, &major, &minor);
  }
  ~Side() {
    if (dpy) XCloseDisplay(dpy);
  }
  std::string DisplayEnv() const { return "DISPLAY=" + server.Display(); }
  int64_t CpuNs() const { return ProcessCpuNs(server.Pid()); }
};

// A program to measure: its path and the folder its runtime files go to.
struct Program {
  std::string name;
  fs::path path;
  fs::path runtime;
  std::vector<std::string> args;
  std::vector<std::string> env;  // "NAME=value" beside DISPLAY
  bool quiet = false;            // output to /dev/null
};

std::unique_ptr<Launched> Start(const Program& p, const Side& on) {
  std::vector<std::string> env = p.env;
  env.push_back(on.DisplayEnv());
  return std::make_unique<Launched>(p.path, p.args, p.runtime, std::move(env), p.quiet);
}

// Milliseconds from just before the launch to the MapNotify of the program's first top-level
// window; -1 when none came within 15 s.
double LaunchToMapMs(const Program& p, Side& on) {
  const Window root = DefaultRootWindow(on.dpy);
  XSelectInput(on.dpy, root, SubstructureNotifyMask);
  XSync(on.dpy, True);
  const std::unique_ptr<Launched> launched = Start(p, on);
  const int64_t deadline = MonotonicNs() + 15'000'000'000;
  double ms = -1;
  while (ms < 0 && MonotonicNs() < deadline) {
    while (ms < 0 && XPending(on.dpy)) {
      XEvent e;
      XNextEvent(on.dpy, &e);
      // The server has no window manager and no other client: the first top-level window
      // mapped that is no menu or tooltip is the program's (or a child's, for a launcher script).
      if (e.type == MapNotify && e.xmap.event == root && !e.xmap.override_redirect)
        ms = static_cast<double>(MonotonicNs() - launched->LaunchedNs()) / 1e6;
    }
    pollfd fd{ConnectionNumber(on.dpy), POLLIN, 0};
    if (ms < 0) poll(&fd, 1, 50);
  }
  XSelectInput(on.dpy, root, NoEventMask);
  launched->Stop(5000);
  XSync(on.dpy, True);
  return ms;
}

// CPU of a program and of its X server over a stretch of time or of typing.
struct Cpu {
  double programNs = 0, serverNs = 0;
};

// A window of a launched program, ready for keys and watched for damage.
struct Target {
  Side* screen = nullptr;
  std::unique_ptr<Launched> program;
  Window window = 0;
  Damage damage = 0;
  XRectangle area{};
  std::vector<double> latencies;
  int lost = 0, keys = 0;
  Cpu cpu;

  void Watch(const XRectangle& watched) {
    area = watched;
    damage = XDamageCreate(screen->dpy, window, XDamageReportRawRectangles);
    XSync(screen->dpy, False);
    bench::DrainDamage(screen->dpy, screen->damageEvent, area);
  }
  void Stop() {
    if (damage) XDamageDestroy(screen->dpy, damage);
    damage = 0;
    if (program) program->Stop(5000);
  }
  ~Target() { Stop(); }
};

bool Focus(Target& t, const Program& p, Side& on) {
  t.screen = &on;
  t.program = Start(p, on);
  t.window = bench::FindWindow(on.dpy, t.program->Pid(), 15000);
  if (!t.window) return false;
  XSetInputFocus(on.dpy, t.window, RevertToParent, CurrentTime);
  XFlush(on.dpy);
  return true;
}

// Keys to a target at irregular gaps, each waiting for its first damage in the area; the CPU
// of the program and of its X server over the block adds to the target's.
void TypeBlock(Target& t, const std::string& keys, std::mt19937& gaps) {
  std::uniform_int_distribution<int> gapMs(30, 130);
  Display* dpy = t.screen->dpy;
  const int64_t program0 = ProcessCpuNs(t.program->Pid()), server0 = t.screen->CpuNs();
  for (char c : keys) {
    const char keysym[2] = {c, 0};
    bench::DrainDamage(dpy, t.screen->damageEvent, t.area);
    const int64_t pressed = MonotonicNs();
    bench::Key(dpy, keysym, true);
    const int64_t seen = bench::WaitForDamage(dpy, t.screen->damageEvent, t.area, 500);
    if (seen < 0)
      ++t.lost;
    else
      t.latencies.push_back(static_cast<double>(seen - pressed) / 1e6);
    bench::Key(dpy, keysym, false);
    ++t.keys;
    Sleep(gapMs(gaps));
  }
  t.cpu.programNs += static_cast<double>(ProcessCpuNs(t.program->Pid()) - program0);
  t.cpu.serverNs += static_cast<double>(t.screen->CpuNs() - server0);
}

// `count` keys of a text typed over and over, from the `done`th on.
std::string KeysOf(std::string_view text, int done, int count) {
  std::string keys;
  for (int i = 0; i < count; ++i) keys += text[static_cast<size_t>(done + i) % text.size()];
  return keys;
}

// From the title to a drill of 120 s: Space opens the mode select, two more choose 120 s.
void OpenDrill(Target& t, const char* modeKey) {
  for (const char* k : {"space", "space", "space", modeKey}) bench::Stroke(t.screen->dpy, k);
  Sleep(300);
}

void Picture(const Target& t, const char* name) {
  if (!kDebug || !bench::OnPath("import")) return;
  const std::string file = (fs::temp_directory_path() / name).string();
  const std::string command =
      "import -display " + t.screen->server.Display() + " -window " + std::to_string(t.window) + " " + file;
  if (std::system(command.c_str()) == 0) std::printf("picture: %s\n", file.c_str());
}

// The table: one row per figure, the game against the floor.
struct Row {
  std::string figure;
  double game, floor;
  const char* unit;
};

void PrintTable(const std::vector<Row>& rows, const char* left, const char* right,
                const std::vector<std::string>& extraNames, const std::vector<std::vector<double>>& extra) {
  std::printf("\n%-40s | %10s | %10s | %6s", "figure", left, right, "ratio");
  for (const std::string& n : extraNames) std::printf(" | %10s", n.c_str());
  std::printf("\n");
  for (size_t r = 0; r < rows.size(); ++r) {
    const Row& row = rows[r];
    const std::string figure = row.figure + " (" + row.unit + ")";
    std::printf("%-40s | %10.3f | %10.3f | ", figure.c_str(), row.game, row.floor);
    if (row.floor > 0 && row.game >= 0)
      std::printf("%6.2f", row.game / row.floor);
    else
      std::printf("%6s", "-");
    for (size_t e = 0; e < extraNames.size(); ++e) {
      if (r < extra[e].size() && extra[e][r] >= 0)
        std::printf(" | %10.3f", extra[e][r]);
      else
        std::printf(" | %10s", "");
    }
    std::printf("\n");
  }
}

double Median(const std::vector<double>& v) { return v.empty() ? -1 : Percentile(v, 0.5); }
double Min(const std::vector<double>& v) { return v.empty() ? -1 : *std::min_element(v.begin(), v.end()); }

bool WriteFile(const fs::path& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "w");
  if (!f) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  int idleSeconds = kDebug ? 2 : 60;
  bool peers = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--peers") == 0)
      peers = true;
    else
      idleSeconds = std::max(1, std::atoi(argv[i]));
  }
  if (!bench::OnPath("Xvfb")) {
    std::printf("cannot run: needs Xvfb (Debian xvfb)\n");
    return 1;
  }
  bench::GameFolder folder;
  const fs::path built = bench::OwnFolder();
  if (!folder.Ready()) {
    std::printf("cannot run: no built dojokai beside this benchmark\n");
    return 1;
  }
  for (const char* floor : {"dojokai-floor-title", "dojokai-floor-typing"})
    if (!fs::exists(built / floor)) {
      std::printf("cannot run: no built %s beside this benchmark\n", floor);
      return 1;
    }
  // The title's score show off, so that the idle title stays the title; the word list of the
  // romaji drill holds one word, so that the keys to type are known.
  std::error_code ec;
  fs::create_directories(folder.Path() / "romaji", ec);
  fs::create_directories(folder.Path() / "floor", ec);
  fs::permissions(folder.Path() / "floor", fs::perms::owner_all, ec);
  if (!WriteFile(folder.Path() / "dojokai.cfg", "[DOJOKAI]\nTITSCOREOFF=1\n") ||
      !WriteFile(folder.Path() / "romaji" / "kotoba.txt", "# one word only\n練習\tれんしゅう\n")) {
    std::printf("cannot run: the scratch folder %s cannot be written\n", folder.Path().c_str());
    return 1;
  }
  const Program game{"dojokai", folder.Path() / "dojokai", folder.Path(), {}, {}};
  const Program floorTitle{"floor", built / "dojokai-floor-title", folder.Path() / "floor", {}, {}};
  const Program floorTyping{"floor", built / "dojokai-floor-typing", folder.Path() / "floor", {}, {}};
  std::vector<Program> peerPrograms;
  if (peers) {
    for (const char* name : {"klavaro", "ktouch"}) {
      if (!bench::OnPath(name)) {
        std::printf("%s is not installed: left out (apt-get install %s)\n", name, name);
        continue;
      }
      fs::create_directories(folder.Path() / name, ec);
      fs::permissions(folder.Path() / name, fs::perms::owner_all, ec);
      // A home of their own in the scratch folder: their settings and progress stay there.
      const fs::path home = folder.Path() / name;
      peerPrograms.push_back(
          {name,
           name,
           home,
           {},
           {"HOME=" + home.string(), "XDG_CONFIG_HOME=" + (home / ".config").string(),
            "XDG_DATA_HOME=" + (home / ".local/share").string(), "XDG_CACHE_HOME=" + (home / ".cache").string()},
           true});
    }
  }

  Side a, b;  // the game's and the floor's
  if (!a.Open() || !b.Open()) {
    std::printf("cannot run: Xvfb did not start, or offers no DAMAGE or XTEST\n");
    return 1;
  }
  XSetErrorHandler(bench::IgnoreXErrors);
  std::printf("game on %s, floor on %s, scratch folder %s\n", a.server.Display().c_str(), b.server.Display().c_str(),
              folder.Path().c_str());
  std::fflush(stdout);

  // Launches, alternating.
  std::vector<double> gameLaunch, floorLaunch;
  std::vector<std::vector<double>> peerLaunch(peerPrograms.size());
  for (int i = 0; i < kLaunches; ++i) {
    if (const double ms = LaunchToMapMs(game, a); ms >= 0) gameLaunch.push_back(ms);
    if (const double ms = LaunchToMapMs(floorTitle, b); ms >= 0) floorLaunch.push_back(ms);
    for (size_t p = 0; p < peerPrograms.size(); ++p)
      if (const double ms = LaunchToMapMs(peerPrograms[p], b); ms >= 0) peerLaunch[p].push_back(ms);
  }
  std::printf("launch to mapped window: %zu + %zu launches\n", gameLaunch.size(), floorLaunch.size());
  std::fflush(stdout);

  // Idle, both at once; the peers after them on the floor's server, for as long.
  Cpu gameIdle, floorIdle;
  std::vector<Cpu> peerIdle(peerPrograms.size());
  double idleWall = 1;
  {
    Target g, f;
    if (!Focus(g, game, a) || !Focus(f, floorTitle, b)) {
      std::printf("idle: a window did not appear\n");
    } else {
      // The title at rest: the intro ends at 2.1 s, and the logo drops in until about 5 s.
      Sleep(6000);
      const int64_t g0 = ProcessCpuNs(g.program->Pid()), f0 = ProcessCpuNs(f.program->Pid()), a0 = a.CpuNs(),
                    b0 = b.CpuNs(), wall0 = MonotonicNs();
      Sleep(idleSeconds * 1000);
      gameIdle = {static_cast<double>(ProcessCpuNs(g.program->Pid()) - g0), static_cast<double>(a.CpuNs() - a0)};
      floorIdle = {static_cast<double>(ProcessCpuNs(f.program->Pid()) - f0), static_cast<double>(b.CpuNs() - b0)};
      idleWall = static_cast<double>(MonotonicNs() - wall0);
    }
  }
  for (size_t p = 0; p < peerPrograms.size(); ++p) {
    Target t;
    if (!Focus(t, peerPrograms[p], b)) {
      peerIdle[p] = {-1, -1};
      continue;
    }
    Sleep(3000);
    const int64_t p0 = ProcessCpuNs(t.program->Pid()), b0 = b.CpuNs(), wall0 = MonotonicNs();
    Sleep(idleSeconds * 1000);
    // Scaled to the wall time of the game's stretch, so that the shares compare.
    const double scale = idleWall / static_cast<double>(MonotonicNs() - wall0);
    peerIdle[p] = {static_cast<double>(ProcessCpuNs(t.program->Pid()) - p0) * scale,
                   static_cast<double>(b.CpuNs() - b0) * scale};
  }
  std::printf("idle: %d s\n", idleSeconds);
  std::fflush(stdout);

  // The ABC drill against FloorTyping, and the romaji drill on a third server, in blocks of
  // keys to one after the other, so that changes in the machine's load hit all three alike.
  Side c;
  std::mt19937 gaps(15);
  Target abc, typing, romaji;
  const bool romajiToo = c.Open();
  if (!romajiToo) std::printf("romaji: a third Xvfb did not start; left out\n");
  bool typed = false;
  if (!Focus(abc, game, a) || !Focus(typing, floorTyping, b) || (romajiToo && !Focus(romaji, game, c))) {
    std::printf("typing: a window did not appear\n");
  } else {
    Sleep(3000);  // the intro is over after 2.1 s
    OpenDrill(abc, "1");
    abc.Watch(kTextStrip);
    typing.Watch(kTextStrip);
    if (romajiToo) {
      OpenDrill(romaji, "8");
      romaji.Watch(kWholeWindow);
    }
    for (int block = 0; block < kBlocks; ++block) {
      TypeBlock(abc, KeysOf(kAlphabet, abc.keys, kBlock), gaps);
      TypeBlock(typing, KeysOf(kAlphabet, typing.keys, kBlock), gaps);
      if (romajiToo) TypeBlock(romaji, KeysOf(kRomajiKeys, romaji.keys, kBlock), gaps);
    }
    Picture(abc, "dojokai-floor-abc.png");
    Picture(typing, "dojokai-floor-typing.png");
    if (romajiToo) Picture(romaji, "dojokai-floor-romaji.png");
    typed = true;
  }
  abc.Stop();
  typing.Stop();
  romaji.Stop();
  std::printf("typing: %d + %d + %d keys, %d + %d + %d without a repaint\n", abc.keys, typing.keys, romaji.keys,
              abc.lost, typing.lost, romaji.lost);
  std::fflush(stdout);

  // Figures.
  const auto share = [&](double ns) { return 100.0 * ns / idleWall; };
  const auto per200 = [](double ns, int keys) { return keys > 0 ? ns / 1e6 * 200.0 / keys : -1; };
  std::vector<Row> rows = {
      {"launch to mapped window, median", Median(gameLaunch), Median(floorLaunch), "ms"},
      {"launch to mapped window, min", Min(gameLaunch), Min(floorLaunch), "ms"},
      {"idle CPU, program", share(gameIdle.programNs), share(floorIdle.programNs), "% core"},
      {"idle CPU, X server", share(gameIdle.serverNs), share(floorIdle.serverNs), "% core"},
      {"idle CPU, program + X", share(gameIdle.programNs + gameIdle.serverNs),
       share(floorIdle.programNs + floorIdle.serverNs), "% core"},
  };
  std::vector<std::vector<double>> extra;
  std::vector<std::string> extraNames;
  for (size_t p = 0; p < peerPrograms.size(); ++p) {
    extraNames.push_back(peerPrograms[p].name);
    const bool idle = peerIdle[p].programNs >= 0;
    extra.push_back({Median(peerLaunch[p]), Min(peerLaunch[p]), idle ? share(peerIdle[p].programNs) : -1,
                     idle ? share(peerIdle[p].serverNs) : -1,
                     idle ? share(peerIdle[p].programNs + peerIdle[p].serverNs) : -1});
  }
  if (typed) {
    rows.push_back({"key to first damage, median", Median(abc.latencies), Median(typing.latencies), "ms"});
    rows.push_back(
        {"key to first damage, p90", Percentile(abc.latencies, 0.9), Percentile(typing.latencies, 0.9), "ms"});
    rows.push_back(
        {"key to first damage, p99", Percentile(abc.latencies, 0.99), Percentile(typing.latencies, 0.99), "ms"});
    rows.push_back({"CPU per 200 keys, program", per200(abc.cpu.programNs, abc.keys),
                    per200(typing.cpu.programNs, typing.keys), "ms"});
    rows.push_back({"CPU per 200 keys, program + X", per200(abc.cpu.programNs + abc.cpu.serverNs, abc.keys),
                    per200(typing.cpu.programNs + typing.cpu.serverNs, typing.keys), "ms"});
  }
  PrintTable(rows, "dojokai", "floor", extraNames, extra);
  if (typed && romaji.keys > 0) {
    std::printf("\nThe romaji drill against the ABC drill (target: at most 1.5 x); %d romaji keys%s\n", romaji.keys,
                romaji.lost ? (", " + std::to_string(romaji.lost) + " without a repaint").c_str() : "");
    PrintTable({{"CPU per 200 keys, program", per200(romaji.cpu.programNs, romaji.keys),
                 per200(abc.cpu.programNs, abc.keys), "ms"},
                {"CPU per 200 keys, program + X", per200(romaji.cpu.programNs + romaji.cpu.serverNs, romaji.keys),
                 per200(abc.cpu.programNs + abc.cpu.serverNs, abc.keys), "ms"}},
               "romaji", "ABC", {}, {});
  }
  return 0;
}
