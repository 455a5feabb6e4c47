#pragma once
// The title screen: the intro, the eight switches, the counters and clocks of the title
// and drill screens, the running-time total, the information panel with its four pages
// and the idle score show. Driven by the 50 ms Timer1 and the title's keys and clicks.
#include <cstdint>
#include <string>
#include <vector>

namespace ui {
class Label;
}

namespace app {

class TForm2;

class TitleScreen {
 public:
  explicit TitleScreen(TForm2& form);

  // The title's part of every 50-ms tick: intro, blink, clocks, running time, idle show.
  void Timer1Timer();
  // How many of the next Timer1 ticks are sure to change nothing on screen, if no key,
  // click or window change comes first (0 when in doubt): on the title and the idle score
  // show, the ticks between blinks, clock seconds and page changes.
  int QuietTicks() const;
  // The same during a drill of the drill screen: Timer1 shows there only the day's and the
  // run's counters (after a key) and the two clocks.
  int DrillQuietTicks() const;
  // A key on the title: Space to the mode select, the switches, I X V Z G, Esc to quit.
  void TitleKey(uint8_t key);
  void DrawSwitchLabels();
  void DrawInfoPage1();
  // Before a weak-key practice: true on the screens a player leaves with a key (the title
  // with its information panel or idle score show, the mode select, the about screen),
  // which go as they would, leaving the title; false during a drill, a lesson, results,
  // a judgement or the settings.
  bool LeaveForPractice();

  // Clicks of the title.
  void Label1Click();         // the credit line: the about screen
  void Label6Click(int tag);  // a switch label: that switch turns
  void Label8Click();         // LICENCE: the certification on or off (a name asked for first)
  void Label47Click();        // 情報: the information panel opens
  void Label49Click();        // SPC (or the prompt): the mode select, or the next information page
  // The title's small buttons light while pressed.
  void Label47MouseDown(bool leftButton, ui::Label* label);
  void Label47MouseUp(ui::Label* label);

  // The date and time line of the title and drill screens: "2026/12/06(日) 10:00.00s".
  static std::string DateTimeText(int year, int month, int day, int dayOfWeek, int hour, int minute, int second);
  // The uptime in "XXX:XX.XXs".
  static std::string UptimeText(int seconds);

 private:
  void ToggleCertSwitch();
  void OpenInfoPanel();
  void TurnInfoPage(bool fromClick);
  void IdleScoreShow();
  void ShowCertStars();
  double Scale() const;
  // The ticks within the current seconds of the uptime and the clock, once the title is at
  // rest (intro over, window at its height, logo dropped in); 0 when it is not.
  int ClockQuietTicks() const;

  TForm2& f_;
  struct PageLine {
    int x, y;
    uint32_t colour;
    std::string text;
    bool operator==(const PageLine&) const = default;
  };
  std::vector<PageLine> pageLines_;
  bool pageDrawn_ = false;
  // What V and Z show on the title: the version lines, and the start picture.
  bool versionShown_ = false;
  bool startPictureShown_ = true;
};

}  // namespace app
