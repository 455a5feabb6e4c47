#pragma once
// The main window: owns every control of every screen, the play state, the timers and one
// object of each subsystem, and hands each event to the subsystem that owns it.
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "game/PlayState.h"
#include "game/Options.h"
#include "game/Screens.h"
#include "app/TitleScreen.h"
#include "drill/DrillRun.h"
#include "drill/DrillTexts.h"
#include "drill/KeyCaps.h"
#include "drill/MissStats.h"
#include "drill/ModeSelect.h"
#include "drill/RankTables.h"
#include "drill/WordList.h"
#include "lessons/CertSheet.h"
#include "lessons/Certification.h"
#include "lessons/LessonCourse.h"
#include "platform/Platform.h"
#include "platform/Random.h"
#include "records/DataFile.h"
#include "romaji/RomajiScreen.h"
#include "window/HelpDisplays.h"
#include "records/ConfigFile.h"
#include "window/SettingsScreen.h"
#include "window/WindowScaling.h"
#include "ui/MainControls.h"
#include "ui/Timer.h"

namespace lessons {
class TForm9;
}

namespace app {

class HistoryRecorder;

class TForm2 : public QWidget, public plat::KeySink, public window::ScalingHost {
 public:
  // With `widgets` Late, the controls get their widgets when they first come on screen or
  // in idle time (ControlSet); the game runs the same either way.
  explicit TForm2(plat::Platform& platform, ui::ControlSet::Widgets widgets = ui::ControlSet::Widgets::Now);
  ~TForm2() override;

  void SetNameDialog(lessons::TForm9* dialog) { nameDialog_ = dialog; }
  // The keyboard the game goes by from now on (plat::ChooseKeyMap): the command line's, else
  // the setting read at start, else what `detect` reads; the settings screen shows it.
  plat::KeyboardChoice UseKeyboard(std::optional<plat::KeyMap> commandLine,
                                   const std::function<std::optional<plat::KeyMap>()>& detect);

  game::PlayState& State() { return s_; }
  plat::Platform& Platform() { return platform_; }
  ui::ControlSet& Controls() { return controls_; }
  ui::MainControls C;
  ui::Timer Timer1, F1T1, FLT1, F8T1;
  std::vector<ui::Timer*> Timers() { return {&Timer1, &F1T1, &FLT1, &F8T1}; }

  // The three keyboard events of the window, seen before any control (key preview), each
  // handed to the screen in front.
  // A character typed: the title's commands, a mode chosen, a drill or lesson key.
  void FormKeyPress(uint8_t& key);
  // A key going down: Enter takes the name typed for a top-10 place; Shift+0 and the ro
  // key reach the drill from here.
  void FormKeyDown(uint16_t& key, plat::ShiftState shift);
  // A key coming up: F1/F2/F9/F10 on the title, Space leaving the results, F3/F4 in a drill.
  void FormKeyUp(uint16_t& key, plat::ShiftState shift);
  // The window closes: the pending result is placed, the record and the history saved.
  void FormClose();
  // The process ends without its window closing (the display went away): the close's
  // saving part, with no message box.
  void EmergencyClose();
  // Every 50 ms: the title's intro, blink, clocks and idle show, and the saves as the game goes.
  void Timer1Timer();

  // Client area and window state (a change of size is scaled before the call returns).
  int ClientWidth() const override { return width(); }
  int ClientHeight() const override { return height(); }
  void SetClientWidth(int w) override;
  void SetClientHeight(int h) override;
  void Maximize();
  void Restore();
  bool Maximized() const override { return isMaximized(); }
  void RestoreWindow() override { Restore(); }
  void RefreshDrillScreen() override { drillRun_.RefreshDrillScreen(); }
  void RefreshLessonScreen() override { lessons_.RefreshLessonScreen(); }

  // Services the screens ask of each other.
  void DrawMissStats() { missStats_.DrawMissStats(); }
  bool MissPicturesCurrent() const { return missStats_.PicturesCurrent(); }
  void DrawCertSheet(int grade) { certSheet_.DrawCertSheet(grade); }
  void ShowNameDialog();
  void SetLogoDesignTop(int top) { scaling_.SetImage2DesignTop(top); }
  TitleScreen& Title() { return title_; }
  drill::DrillRun& Drill() { return drillRun_; }
  drill::ModeSelect& Modes() { return modeSelect_; }
  drill::RankTables& Ranks() { return rankTables_; }
  drill::KeyCaps& Caps() { return keyCaps_; }
  drill::MissStats& Misses() { return missStats_; }
  drill::WordList& Words() { return wordList_; }
  // The romaji drills' screen (8, 9, and the statistics window's 苦手かな練習).
  romaji::RomajiScreen& Romaji() { return romaji_; }
  lessons::LessonCourse& Lessons() { return lessons_; }
  lessons::Certification& Certification() { return certification_; }
  records::DataFile& Data() { return dataFile_; }
  game::Options& Options() { return options_; }
  const game::Options& Options() const { return options_; }
  window::SettingsScreen& Settings() { return settings_; }
  window::WindowScaling& Scaling() { return scaling_; }
  // The history of play and the statistics window (G on the title).
  HistoryRecorder& History() { return *history_; }
  void OpenStatistics();

  // The control that has the keyboard focus (edit fields, buttons); keys the window does
  // not take go on to it.
  ui::Control* FocusedControl() const { return focus_; }
  void SetFocusTo(ui::Control* control);
  // The driver delivers keys to the focused control itself (no native key events).
  void SetSimulatedFocus(bool on) { simulatedFocus_ = on; }

  // Which screens are up; the panels follow it.
  game::Screens& Screens() { return screens_; }
  const game::Screens& Screens() const { return screens_; }
  // The panel of a screen, and the panel of the screen in front (none when none is up).
  ui::Panel* PanelOf(game::Screen screen) const;
  ui::Panel* VisibleScreen() const;
  const std::vector<ui::Panel*>& ScreenPanels() const { return screenPanels_; }

  bool Closed() const { return closed_; }

  // Runs an event handler; an exception is shown in a message box and the game goes on.
  void Guard(const std::function<void()>& handler);

  // KeySink: events from the keyboard, real or simulated.
  void OnKeyDown(uint16_t vk, plat::ShiftState shift) override;
  void OnKeyChar(uint8_t ch) override;
  void OnKeyUp(uint16_t vk, plat::ShiftState shift) override;
  // The kana-lock lamps of the drill and lesson screens follow the lock.
  void OnKanaLock(bool on) override;
  bool WantsKana() const override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool) override { return false; }  // Tab is a game key

 private:
  // Construction (in the order the window is built).
  void FormCreate();
  void Construct();
  void WireEvents();
  void PaintSplashPicture();
  void PrepareCanvases();
  void LoadLogoPictures();

  void FormResize();
  void ApplyPictures();
  void LoadWordList();
  void DrawSwitchLabels() { title_.DrawSwitchLabels(); }
  // A finished drill whose result is not in its table yet (the splash, the name entry)
  // goes in with the name as typed so far, as Enter would.
  void KeepPendingResult();
  // Saves never run while keys are being judged.
  bool TypingRuns() const;
  // Timer1's ticks that need not wake the program: quiet on screen and no save due.
  int Timer1QuietTicks() const;

  plat::Platform& platform_;
  game::PlayState s_;
  game::Screens screens_;
  game::Options options_;
  plat::GameRandom random_;
  ui::ControlSet controls_;
  std::vector<ui::Panel*> screenPanels_;  // in the order of game::Screen
  QSize scaledSize_;
  lessons::TForm9* nameDialog_ = nullptr;
  ui::Control* focus_ = nullptr;
  bool simulatedFocus_ = false;
  bool closed_ = false;
  bool emergency_ = false;  // the process ends without its window: no message box
  bool wasTyping_ = false;

  // The subsystems, each owning its screens and operations (in the order they depend on
  // each other).
  drill::DrillTexts texts_;
  drill::WordList wordList_;
  drill::KeyCaps keyCaps_;
  drill::MissStats missStats_;
  drill::RankTables rankTables_;
  drill::DrillRun drillRun_;
  drill::ModeSelect modeSelect_;
  romaji::RomajiScreen romaji_;
  lessons::LessonCourse lessons_;
  lessons::CertSheet certSheet_;
  lessons::Certification certification_;
  records::ConfigFile config_;
  window::SettingsScreen settings_;
  records::DataFile dataFile_;
  TitleScreen title_;
  window::HelpDisplays help_;
  window::WindowScaling scaling_;
  std::unique_ptr<HistoryRecorder> history_;
};

}  // namespace app
