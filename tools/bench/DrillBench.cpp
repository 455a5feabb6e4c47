// Drill figures: the time from a keystroke to the finished repaint of the window, over
// 2,000 keystrokes of a 120-s drill (ABC, the ｱｲｳ kana drill, the romaji ことば drill), at
// the design size and at 1920 x 1200. Two repaints are timed: the whole window
// (QWidget::repaint, an upper bound) and only what the key made dirty (the pending update
// request, as the event loop would paint it).
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/Game.h"
#include "game/RomajiJudge.h"
#include "romaji/RomajiScreen.h"
#include "platform/Fonts.h"
#include "platform/Keyboard.h"
#include "platform/VirtualPlatform.h"
#include "tools/bench/RealGame.h"
#include "tools/drive/Offscreen.h"

namespace {

void Stroke(plat::Keyboard& keys, uint16_t vk) {
  keys.Press(vk);
  keys.Release(vk);
}

enum class Repaint { WholeWindow, DirtyOnly };
enum class Drill { Abc, Kana, Romaji };
const char* Name(Drill d) { return d == Drill::Abc ? "ABC" : d == Drill::Kana ? "ｱｲｳ" : "ことば"; }

// The next key the drill wants, as the byte the key types.
uint8_t NextChar(app::TForm2& form, Drill drill, int hits) {
  if (drill == Drill::Abc) return static_cast<uint8_t>('a' + hits % 26);
  if (drill == Drill::Romaji) return static_cast<uint8_t>(form.Romaji().Snapshot().guide.front());
  // The kana drill's text from where it stands, again from its start at its end.
  const game::PlayState& s = form.State();
  const uint8_t c = s.DrillText.At(static_cast<size_t>(s.TextPos));
  return c != 0 ? c : s.DrillText.At(0);
}

void RunDrill(const QString& folder, int width, int height, Repaint mode, Drill drill) {
  plat::VirtualPlatform platform;
  platform.SetProgramDir(folder.toStdString());
  app::Game game(platform);
  app::TForm2& form = game.Form();
  platform.Advance(2100);  // the title's intro
  form.resize(width, height);
  // The window is exposed (and paints) once the window system's events have run.
  QCoreApplication::processEvents();
  plat::Keyboard& keys = platform.Keys();
  // Mode select, 120 s, the drill.
  for (int i = 0; i < 3; ++i) Stroke(keys, plat::vk::Space);
  Stroke(keys, plat::StrokeForChar(drill == Drill::Abc ? '1' : drill == Drill::Kana ? '5' : '8')->vk);
  if (drill == Drill::Kana) keys.SetKanaLock(true);
  form.repaint();

  constexpr int kKeys = 2000;
  constexpr int kGapMs = 59;  // 2,000 keys inside the 120 s
  std::vector<double> times;
  times.reserve(kKeys);
  QElapsedTimer clock;
  for (int i = 0, hits = 0; i < kKeys; ++i) {
    // Every 20th keystroke is a miss.
    const uint8_t ch = i % 20 == 19 ? (drill == Drill::Kana ? 0xDB /* ﾛ */ : '1') : NextChar(form, drill, hits++);
    const plat::Stroke stroke = *plat::StrokeForChar(ch);
    clock.start();
    if (stroke.shift) keys.Press(plat::vk::Shift);
    Stroke(keys, stroke.vk);
    if (stroke.shift) keys.Release(plat::vk::Shift);
    if (mode == Repaint::WholeWindow)
      form.repaint();
    else
      QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e3);
    platform.Advance(kGapMs);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);  // the clock's redraws, untimed
  }
  const game::PlayState& s = form.State();
  const romaji::RomajiScreen::View r = form.Romaji().Snapshot();
  const bool romajiDrill = drill == Drill::Romaji;
  std::printf("%-9s %dx%d, %s: median %.1f us, p99 %.1f us (%d keys, GOOD %d MISS %d, drill screen %s)\n", Name(drill),
              form.ClientWidth(), form.ClientHeight(), mode == Repaint::WholeWindow ? "whole window" : "dirty only",
              bench::Percentile(times, 0.5), bench::Percentile(times, 0.99), kKeys, romajiDrill ? r.good : s.Good,
              romajiDrill ? r.miss : s.Miss,
              (romajiDrill ? form.C.RjPanel : form.C.F1Panel)->Visible() ? "shown" : "gone");
}

}  // namespace

int main(int argc, char** argv) {
  drive::UseOffscreenScreen();
  QApplication application(argc, argv);
  plat::RegisterFontSubstitutions();
  QTemporaryDir dir;
  std::printf("Keystroke to finished repaint, 120-s drills:\n");
  for (Repaint mode : {Repaint::WholeWindow, Repaint::DirtyOnly})
    for (Drill drill : {Drill::Abc, Drill::Kana, Drill::Romaji}) {
      RunDrill(dir.path(), 480, 300, mode, drill);
      RunDrill(dir.path(), 1920, 1200, mode, drill);
    }
  return 0;
}
