// History figures: the time to write one drill's rows (the drill, its per-key rows and its
// confusions, one transaction) and the time from opening the statistics window on a
// history of 10,000 and 100,000 drills to its first drawn chart.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

#include "app/Game.h"
#include "app/HistoryRecorder.h"
#include "platform/Fonts.h"
#include "platform/Keyboard.h"
#include "platform/VirtualPlatform.h"
#include "records/History.h"
#include "stats/StatsWindow.h"
#include "tools/bench/RealGame.h"

namespace {

// A 120-s drill of RND text: 36 characters, about 2,000 keys, one in twenty missed.
game::KeyLog SampleLog() {
  game::KeyLog log;
  const std::string chars = "abcdefghijklmnopqrstuvwxy012345678 ";
  uint32_t t = 1000;
  for (int i = 0, hits = 0; i < 2000; ++i) {
    const auto target = static_cast<uint8_t>(chars[static_cast<size_t>(hits) % chars.size()]);
    const bool miss = i % 20 == 19;
    log.Judge(target, miss ? static_cast<uint8_t>(chars[static_cast<size_t>(i * 7) % chars.size()]) : target, !miss,
              t += 59);
    hits += !miss;
  }
  return log;
}

records::DrillEntry SampleDrill(int i) {
  records::DrillEntry d;
  char when[32];
  std::snprintf(when, sizeof when, "2026-%02d-%02d %02d:00:00", 1 + i / 2800 % 12, 1 + i / 100 % 28, i % 24);
  d.started = when;
  d.mode = i % 7;
  d.timeSetting = i % 4;
  d.good = 1900;
  d.miss = 100;
  d.score = 16 * 1800;
  d.durationMs = 120000;
  d.keysPerSecond = 2000 / 120.0;
  d.endedBy = "time";
  return d;
}

void WriteBench(const QString& folder) {
  records::History history(folder.toStdString() + "/write.db", nullptr);
  history.Open();
  const game::KeyLog log = SampleLog();
  std::vector<double> times;
  QElapsedTimer clock;
  for (int i = 0; i < 300; ++i) {
    clock.start();
    history.AddDrill(SampleDrill(i), log);
    times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
  }
  std::printf("Writing one drill's rows (%zu key rows, %d confusions): median %.2f ms, p95 %.2f ms, max %.2f ms\n",
              history.KeysOfDrill(1).size(), log.confusionCount, bench::Percentile(times, 0.5),
              bench::Percentile(times, 0.95), bench::Percentile(times, 1.0));
}

// A history of `drills` drills written in one go (as years of play would leave it).
std::string FillHistory(const QString& folder, int drills) {
  const std::string path = folder.toStdString() + "/h" + std::to_string(drills) + ".db";
  {
    records::History history(path, nullptr);
    history.Open();
  }
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  const game::KeyLog log = SampleLog();
  sqlite3_stmt* drill = nullptr;
  sqlite3_stmt* key = nullptr;
  sqlite3_prepare_v2(db,
                     "INSERT INTO drills(started, mode, time_setting, score, good, miss, duration_ms, keys_per_sec)"
                     " VALUES(?,?,?,?,?,?,?,?)",
                     -1, &drill, nullptr);
  sqlite3_prepare_v2(db, "INSERT INTO drill_keys VALUES(?,?,?,?,?,?)", -1, &key, nullptr);
  for (int i = 0; i < drills; ++i) {
    const records::DrillEntry d = SampleDrill(i);
    sqlite3_bind_text(drill, 1, d.started.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(drill, 2, d.mode);
    sqlite3_bind_int(drill, 3, d.timeSetting);
    sqlite3_bind_int(drill, 4, d.score - i % 500);
    sqlite3_bind_int(drill, 5, d.good);
    sqlite3_bind_int(drill, 6, d.miss);
    sqlite3_bind_int64(drill, 7, d.durationMs);
    sqlite3_bind_double(drill, 8, d.keysPerSecond + (i % 37) * 0.05);
    sqlite3_step(drill);
    sqlite3_reset(drill);
    const int64_t id = sqlite3_last_insert_rowid(db);
    for (int c = 0; c < 256; ++c) {
      if (log.targeted[static_cast<size_t>(c)] == 0) continue;
      sqlite3_bind_int64(key, 1, id);
      sqlite3_bind_int(key, 2, c);
      sqlite3_bind_int(key, 3, static_cast<int>(log.targeted[static_cast<size_t>(c)]));
      sqlite3_bind_int(key, 4, static_cast<int>(log.missed[static_cast<size_t>(c)]));
      sqlite3_bind_int64(key, 5, static_cast<int64_t>(log.hitMsSum[static_cast<size_t>(c)]));
      sqlite3_bind_int(key, 6, static_cast<int>(log.hitMsCount[static_cast<size_t>(c)]));
      sqlite3_step(key);
      sqlite3_reset(key);
    }
  }
  sqlite3_finalize(drill);
  sqlite3_finalize(key);
  sqlite3_exec(db,
               "INSERT INTO key_totals SELECT ch, SUM(targeted), SUM(missed), SUM(hit_ms_sum), SUM(hits_timed)"
               " FROM drill_keys GROUP BY ch",
               nullptr, nullptr, nullptr);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return path;
}

void OpenBench(const QString& folder, int drills) {
  const std::string path = FillHistory(folder, drills);
  std::vector<double> toChart, keysTab;
  for (int run = 0; run < 5; ++run) {
    QElapsedTimer clock;
    clock.start();
    records::History history(path, nullptr);
    stats::StatsWindow window(history, [] { return std::string("2026-12-06"); });
    window.resize(800, 600);
    window.show();
    window.Reload();
    QCoreApplication::processEvents();
    window.repaint();  // the first chart drawn
    toChart.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    clock.start();
    window.ShowTab(stats::StatsWindow::kKeys);
    window.repaint();
    keysTab.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
  }
  std::printf(
      "Opening the window on %d drills: median %.1f ms to the first drawn chart (max %.1f); "
      "the key heat map then %.1f ms\n",
      drills, bench::Percentile(toChart, 0.5), bench::Percentile(toChart, 1.0), bench::Percentile(keysTab, 0.5));
}

// The drill's own keystroke path (judging and screen state, no painting) with the key log
// on and off, in alternating blocks of an untimed ABC drill so that the machine's load
// falls on both alike.
void KeyLogBench(const QString& folder) {
  plat::VirtualPlatform platform;
  platform.SetProgramDir(folder.toStdString());
  app::Game game(platform);
  app::TForm2& form = game.Form();
  platform.Advance(2100);
  plat::Keyboard& keys = platform.Keys();
  auto stroke = [&keys](uint16_t vk) {
    keys.Press(vk);
    keys.Release(vk);
  };
  // Mode select, untimed (three presses of Space from 30 s), ABC.
  stroke(plat::vk::Space);
  for (int i = 0; i < 3; ++i) stroke(plat::vk::Space);
  stroke(plat::StrokeForChar('1')->vk);
  game::KeyLog spare;
  std::vector<double> on, off;
  QElapsedTimer clock;
  for (int i = 0, hits = 0; i < 40000; ++i) {
    const bool logged = i / 500 % 2 == 0;
    form.Drill().SetKeyLog(logged ? &spare : nullptr);
    const char ch = i % 20 == 19 ? '1' : static_cast<char>('a' + hits++ % 26);
    const uint16_t vk = plat::StrokeForChar(static_cast<uint8_t>(ch))->vk;
    clock.start();
    stroke(vk);
    (logged ? on : off).push_back(static_cast<double>(clock.nsecsElapsed()) / 1e3);
    platform.Advance(59);
  }
  std::printf(
      "Keystroke without painting, untimed ABC drill: key log on median %.2f us p99 %.2f us; "
      "off median %.2f us p99 %.2f us (GOOD %d MISS %d)\n",
      bench::Percentile(on, 0.5), bench::Percentile(on, 0.99), bench::Percentile(off, 0.5),
      bench::Percentile(off, 0.99), form.State().Good, form.State().Miss);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  plat::RegisterFontSubstitutions();
  QTemporaryDir dir;
  KeyLogBench(dir.path());
  WriteBench(dir.path());
  OpenBench(dir.path(), 10000);
  OpenBench(dir.path(), 100000);
  return 0;
}
