#include "app/TitleScreen.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/TForm2.h"
#include "app/TitleSwitches.h"
#include "game/Digits.h"
#include "game/Modes.h"
#include "game/PlayTime.h"
#include "platform/Cp932.h"
#include "platform/Keyboard.h"

namespace app {
namespace {

bool IsLetter(uint8_t key, char upper) { return key == upper || key == upper + ('a' - 'A'); }

// A counter of the title and the drill screen: five digits.
std::string CounterText(uint16_t count) {
  std::string text = "XXXXX";
  game::FormatDigits5(text, 0, count);
  return text;
}

}  // namespace

TitleScreen::TitleScreen(TForm2& form) : f_(form) {}

std::string TitleScreen::UptimeText(int seconds) {
  std::string t = "XXX:XX.XXs";
  game::FormatDigits3(t, 0, seconds / 3600);
  game::FormatDigits2(t, 4, seconds / 60 % 60);
  game::FormatDigits2(t, 7, seconds % 60);
  return t;
}

std::string TitleScreen::DateTimeText(int year, int month, int day, int dayOfWeek, int hour, int minute, int second) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d(%s) %02d:%02d.%02ds", year, month, day, plat::ShortDayName(dayOfWeek),
                hour, minute, second);
  return buf;
}

double TitleScreen::Scale() const {
  const game::PlayState& s = f_.State();
  if (!s.GeometryCaptured || s.BaseClientWidth == 0) return 1.0;
  // The scale in whole percent, as the window reads it.
  return static_cast<float>(f_.ClientWidth() * 100 / s.BaseClientWidth) * 0.01f;
}

// --- Timer1: every 50 ms for the whole run -------------------------------------------------

void TitleScreen::Timer1Timer() {
  game::PlayState& s = f_.State();
  ui::MainControls& C = f_.C;
  s.InputEnabled = 1;

  // Maximise once, after the data file has been read.
  if (s.DataLoaded && s.MaximizeAtStart && !s.MaximizedOnce) {
    f_.Maximize();
    s.MaximizedOnce = 1;
  }

  // The information pages are redrawn every 12 ticks.
  if (!s.DrillRunning) {
    if (s.RefreshTicks > 10) {
      DrawInfoPage1();
      f_.DrawMissStats();
      s.RefreshTicks = 0;
    } else {
      s.RefreshTicks += 1;
    }
  }

  // Intro: the start picture alone, then the whole title on the 42nd tick (or at once when
  // the start-up option skips the wait).
  const bool skipWait = f_.Options().skipIntro;
  if (s.IntroTicks > 40 && s.IntroPhase == 0) s.IntroPhase = 1;
  if (skipWait && s.IntroPhase == 0) s.IntroTicks += 1000;
  if (s.IntroPhase == 1 && !skipWait) {
    startPictureShown_ = false;
    C.Image3->Hide();
  }
  if (s.IntroPhase == 0) {
    s.IntroTicks += 1;
    return;
  }
  if (s.IntroPhase == 1) {
    for (ui::Control* c : std::initializer_list<ui::Control*>{C.Image2,  C.Image1,  C.Label1,  C.Label6,  C.Label7,
                                                              C.Label2,  C.Label8,  C.Label9,  C.Label10, C.Label11,
                                                              C.Label21, C.Label24, C.Label25, C.Label22, C.Label45,
                                                              C.Label47, C.Label48, C.Label49, C.Label50, C.Label51})
      c->Show();
    DrawSwitchLabels();
    s.IntroPhase = 2;
  }

  // Blink phase, every 11 ticks.
  s.BlinkTicks += 1;
  if (s.BlinkTicks > 10 && s.BlinkOn == 0) {
    s.BlinkOn = 1;
    s.BlinkTicks = 0;
  }
  if (s.BlinkTicks > 10 && s.BlinkOn == 1) {
    s.BlinkOn = 0;
    s.BlinkTicks = 0;
  }

  s.LogoTop = static_cast<float>(C.Image2->Top());

  if (!s.DrillRunning) {
    if (s.BlinkOn) {
      C.Image1->Show();
      C.Label12->SetColor(ui::clr::Blue);
      C.Label12->SetFontColor(ui::clr::Aqua);
      C.F4P1->SetFontColor(ui::clr::Yellow);
    } else {
      C.Image1->Hide();
      C.Label12->SetColor(ui::clr::Black);
      C.Label12->SetFontColor(ui::clr::White);
      C.F4P1->SetFontColor(ui::clr::Black);
      ShowCertStars();
    }
  }

  double scale = Scale();
  // The spinner of the mode-select screen and the pulsing square of the about screen.
  if (!s.DrillRunning) {
    s.SpinnerTicks += 1;
    if (s.SpinnerTicks > 7) s.SpinnerTicks = 0;
    switch (s.SpinnerTicks) {
      case 0: C.F6L1->SetCaption("―"); break;
      case 2:
        C.F6L1->SetCaption("＼");
        C.F5P7->SetBevelWidth(static_cast<int>(2 * scale + 1));
        break;
      case 4: C.F6L1->SetCaption("｜"); break;
      case 6:
        C.F6L1->SetCaption("／");
        C.F5P7->SetBevelWidth(static_cast<int>(6 * scale + 2));
        break;
      default: break;
    }
  }

  // The window keeps its design height; the logo drops in to 16 (scaled).
  if (s.GeometryCaptured) {
    if (f_.ClientHeight() < s.BaseClientHeight) f_.SetClientHeight(s.BaseClientHeight);
    scale = Scale();
    if (16 * scale > s.LogoTop)
      s.LogoTop = static_cast<float>(s.LogoTop + 2 * scale);
    else
      f_.SetLogoDesignTop(static_cast<int>(16 * scale));
    if (C.Image2->Top() < s.LogoTop) C.Image2->SetTop(static_cast<int>(s.LogoTop));
  }

  // Counters of the title and the drill screen.
  const uint16_t today = s.DatRecord.TodayGood();
  const std::string todayText = CounterText(today), sinceStartText = CounterText(s.GoodSinceStart);
  C.Label21->SetCaption(todayText);
  C.F1L21->SetCaption(todayText);
  C.Label24->SetCaption(sinceStartText);
  C.F1L24->SetCaption(sinceStartText);
  const int q = today / 10000;
  if (q >= 1 && q <= 3) {
    C.Label21->SetFontColor(ui::clr::Olive);
    C.F1L21->SetFontColor(ui::clr::Yellow);
  } else if (q >= 4 && q <= 6) {
    C.Label21->SetFontColor(ui::clr::Red);
    C.F1L21->SetFontColor(ui::clr::Red);
  } else {
    C.Label21->SetFontColor(ui::clr::Blue);
    C.F1L21->SetFontColor(ui::clr::Aqua);
  }
  const bool counterShown = today < 65000 || s.BlinkOn == 0;
  C.Label21->SetVisible(counterShown);
  C.F1L21->SetVisible(counterShown);

  // Uptime since start, capped.
  plat::Platform& p = f_.Platform();
  const int64_t nowSeconds = static_cast<int64_t>(p.TickCount() / 1000);
  s.UptimeSeconds = static_cast<int32_t>(nowSeconds - s.StartSeconds);
  if (s.UptimeSeconds < 0) {
    s.StartSeconds = static_cast<int32_t>(nowSeconds);
    s.UptimeSeconds = 0;
  }
  if (s.UptimeSeconds > 921658) s.UptimeSeconds = 921658;
  const std::string uptime = UptimeText(s.UptimeSeconds);
  C.Label25->SetCaption(uptime);
  C.F1L25->SetCaption(uptime);

  const plat::LocalDateTime now = p.Now();
  const std::string when = DateTimeText(now.year, now.month, now.day, now.dayOfWeek, now.hour, now.minute, now.second);
  C.Label22->SetCaption(when);
  C.F1L22->SetCaption(when);

  game::AdvancePlayTime(s, s.DatRecord, f_.Platform().TickCount());
  IdleScoreShow();
}

namespace {

// Ticks of `intervalMs` from `ms` (within a second) that stay within the same second.
int TicksInSameSecond(int64_t ms, int intervalMs) { return static_cast<int>((999 - ms % 1000) / intervalMs); }

}  // namespace

int TitleScreen::ClockQuietTicks() const {
  const game::PlayState& s = f_.State();
  if (s.IntroPhase != 2 || !s.GeometryCaptured) return 0;
  if (s.DataLoaded && s.MaximizeAtStart && !s.MaximizedOnce) return 0;
  // The window at its height and the logo at rest.
  if (f_.ClientHeight() < s.BaseClientHeight) return 0;
  if (16 * Scale() > static_cast<float>(f_.C.Image2->Top())) return 0;
  const int interval = f_.Timer1.Interval();
  if (interval <= 0) return 0;
  // The uptime and the clock change with their seconds.
  plat::Platform& p = f_.Platform();
  const uint32_t tick = p.TickCount();
  if (tick > UINT32_MAX - 2000u) return 0;  // the tick count wraps: its second jumps
  return std::min(TicksInSameSecond(tick, interval), TicksInSameSecond(p.Now().millisecond, interval));
}

int TitleScreen::QuietTicks() const {
  const game::PlayState& s = f_.State();
  if (s.DrillRunning || f_.Screens().InfoPanelOpen()) return 0;
  // The title, or the score show that takes its place while nobody plays.
  const game::Screens& screens = f_.Screens();
  const game::Screen screen = screens.Current();
  const bool scoreShow = screen == game::Screen::Results && s.IdleScoreShow == 1;
  if (!screens.AnyShown() || (screen != game::Screen::Title && !scoreShow)) return 0;
  if (screens.ShownCount() != 1) return 0;
  if (!f_.Screens().Shown(game::Screen::Results) && s.IdleScoreShow == 1) return 0;

  // The blink turns on the tick that takes its count past 10.
  int quiet = std::max(0, 10 - s.BlinkTicks);
  // The pages are drawn again on the 12th tick; the score show has the miss pictures.
  if (scoreShow && !f_.MissPicturesCurrent()) quiet = std::min(quiet, std::max(0, 11 - s.RefreshTicks));
  // The title gives way to the score show, and back, once the idle count passes 200.
  if (!s.BriefHelpShown && !f_.Options().noScoreShow) {
    const int step = (f_.Screens().Shown(game::Screen::Title) || scoreShow ? 1 : 0) + (scoreShow ? 1 : 0);
    if (s.IdleTicks > 200) return 0;
    if (step > 0) quiet = std::min(quiet, (200 - s.IdleTicks) / step + 1);
  }
  return std::min(quiet, ClockQuietTicks());
}

int TitleScreen::DrillQuietTicks() const {
  const game::PlayState& s = f_.State();
  const game::Screens& screens = f_.Screens();
  if (!screens.AnyShown() || screens.Current() != game::Screen::Drill || !s.DrillRunning) return 0;
  // The counters show the keys typed since the last tick; from 65000 a day the day's blinks.
  const uint16_t today = s.DatRecord.TodayGood();
  if (today >= 65000) return 0;
  if (f_.C.F1L21->Caption() != CounterText(today) || f_.C.F1L24->Caption() != CounterText(s.GoodSinceStart)) return 0;
  return ClockQuietTicks();
}

// Certification stars: one "+" for each grade 1 held, "☆" for five, "★" for ten, "★★" for
// twenty, "★☆★" in blue for all 21.
void TitleScreen::ShowCertStars() {
  const game::CertStars stars = game::CertStarsOf(f_.State().DatRecord);
  constexpr ui::Color kColours[] = {ui::clr::Red, ui::clr::Green, ui::clr::Blue};
  f_.C.Label45->SetCaption(stars.text);
  f_.C.Label45->SetFontColor(kColours[static_cast<int>(stars.level)]);
}

// The total running time grows by 50 ms a tick; every 5 s it is set right by the tick
// count, within ±20 s. It never goes below zero and stops at 65535:59:59.

// After 200 quiet ticks the title shows the last results; 200 ticks later it comes back.
void TitleScreen::IdleScoreShow() {
  game::PlayState& s = f_.State();
  if (s.BriefHelpShown || f_.Options().noScoreShow) s.IdleTicks = 0;
  if (!f_.Screens().Shown(game::Screen::Results) && s.IdleScoreShow == 1) {
    s.IdleScoreShow = 0;
    s.IdleTicks = 0;
  }
  if (s.IdleTicks > 200) {
    if (f_.Screens().Shown(game::Screen::Title) && s.IdleScoreShow == 0) {
      f_.Screens().Hide(game::Screen::Title);
      f_.Screens().Show(game::Screen::Results);
      s.IdleScoreShow = 1;
      s.IdleTicks = 0;
    } else if (s.IdleScoreShow == 1 && f_.Screens().Shown(game::Screen::Results)) {
      f_.Screens().Hide(game::Screen::Results);
      f_.Screens().Show(game::Screen::Title);
      s.IdleScoreShow = 0;
      s.IdleTicks = 0;
    }
  } else if (!f_.Screens().InfoPanelOpen()) {
    const bool scoreShow = f_.Screens().Shown(game::Screen::Results) && s.IdleScoreShow == 1;
    if (f_.Screens().Shown(game::Screen::Title) || scoreShow) s.IdleTicks += 1;
    if (scoreShow) s.IdleTicks += 1;
  }
}

// --- Keys and clicks ---------------------------------------------------------------------

void TitleScreen::TitleKey(uint8_t key) {
  game::PlayState& s = f_.State();
  ui::MainControls& C = f_.C;
  s.IdleTicks = 0;
  if (s.IdleScoreShow == 1) {
    f_.Screens().Show(game::Screen::Title);
    f_.Screens().Hide(game::Screen::Results);
    s.IdleScoreShow = 0;
  }
  if (key == ' ' && !f_.Screens().InfoPanelOpen()) {
    f_.Screens().Hide(game::Screen::Title);
    f_.Screens().Show(game::Screen::ModeSelect);
  }
  if (key == plat::ch::Escape) {
    if (f_.Platform().Question("終了しますか？", "DOJOKAI")) f_.close();
  } else if (const TitleSwitch* sw = SwitchOfKey(key)) {
    if (sw->kind == SwitchKind::Licence)
      ToggleCertSwitch();
    else
      sw->Toggle(s);
  } else if (IsLetter(key, 'I')) {
    DrawInfoPage1();
    if (!f_.Screens().InfoPanelOpen() && s.InfoPage == 0) {
      OpenInfoPanel();
      return;
    }
  } else if (IsLetter(key, 'V')) {
    versionShown_ = !versionShown_;
    C.Label4->SetVisible(versionShown_);
    C.Label5->SetVisible(versionShown_);
  } else if (IsLetter(key, 'X')) {
    f_.Screens().Hide(game::Screen::Title);
    f_.Screens().Show(game::Screen::About);
  } else if (IsLetter(key, 'Z')) {
    startPictureShown_ = !startPictureShown_;
    C.Image3->SetVisible(startPictureShown_);
  } else if (IsLetter(key, 'G') && !f_.Screens().InfoPanelOpen()) {
    f_.OpenStatistics();  // with the information panel open, G turns its page
  }
  TurnInfoPage(false);
  DrawSwitchLabels();
}

bool TitleScreen::LeaveForPractice() {
  game::PlayState& s = f_.State();
  game::Screens& screens = f_.Screens();
  if (!s.InputEnabled || !screens.AnyShown()) return false;
  const game::Screen screen = screens.Current();
  if (screen == game::Screen::Results && s.IdleScoreShow == 1) {
    screens.Show(game::Screen::Title);
    screens.Hide(game::Screen::Results);
    s.IdleScoreShow = 0;
  } else if (screen == game::Screen::ModeSelect || screen == game::Screen::About) {
    screens.Show(game::Screen::Title);
    screens.Hide(screen);
  } else if (screen != game::Screen::Title) {
    return false;
  }
  s.IdleTicks = 0;
  // The information panel turns its remaining pages and closes, as keys would turn them.
  for (int page = 0; page < 4 && s.InfoPage != 0; ++page) TurnInfoPage(false);
  return true;
}

// L toggles the certification; without a registered name the name dialog asks for one,
// on switching off as well as on.
void TitleScreen::ToggleCertSwitch() {
  game::PlayState& s = f_.State();
  s.CertSwitch = !s.CertSwitch;
  if (s.DatRecord.CertName()[0] == 0) f_.ShowNameDialog();
}

void TitleScreen::OpenInfoPanel() {
  game::PlayState& s = f_.State();
  f_.DrawMissStats();
  f_.DrawCertSheet(0);
  f_.Screens().SetInfoPanel(true);
  s.InfoPage = 1;
}

// The information panel turns a page on any key, or on a click on SPC or the prompt.
void TitleScreen::TurnInfoPage(bool fromClick) {
  game::PlayState& s = f_.State();
  ui::MainControls& C = f_.C;
  switch (s.InfoPage) {
    case 1:
      C.Image5->Hide();
      C.Image8->Hide();
      C.Panel7->Show();
      C.Image7->Show();
      s.InfoPage = 2;
      break;
    case 2:
      C.Image7->Hide();
      C.Image6->Show();
      s.InfoPage = 3;
      break;
    case 3:
      C.Panel7->Hide();
      C.Image6->Hide();
      C.Image8->Show();
      C.Panel8->Show();
      s.InfoPage = 4;
      break;
    case 4:
      C.Image5->Show();
      f_.Screens().SetInfoPanel(false);
      C.Panel7->Hide();
      C.Image8->Hide();
      C.Panel8->Hide();
      if (fromClick) C.Image6->Hide();
      s.InfoPage = 0;
      break;
    default: break;
  }
}

void TitleScreen::DrawSwitchLabels() {
  game::PlayState& s = f_.State();
  ui::MainControls& C = f_.C;
  for (const TitleSwitch& sw : kTitleSwitches) {
    ui::Label* label = C.*sw.label;
    const bool on = s.*sw.on;
    if (sw.kind == SwitchKind::Caption) {
      label->SetCaption(on ? sw.captionOn : sw.captionOff);
    } else {
      label->SetFontColor(on ? sw.onFont : ui::clr::Silver);
      label->SetTransparent(!on);
    }
  }
}

void TitleScreen::Label1Click() {
  f_.Screens().Hide(game::Screen::Title);
  f_.Screens().Show(game::Screen::About);
}

void TitleScreen::Label6Click(int tag) {
  game::PlayState& s = f_.State();
  s.IdleTicks = 0;
  // The lit switches' labels share this click; the label's tag tells which one was clicked.
  for (const TitleSwitch& sw : kTitleSwitches)
    if (sw.kind == SwitchKind::Lit && (f_.C.*sw.label)->Tag() == tag) sw.Toggle(s);
  DrawSwitchLabels();
}

void TitleScreen::Label8Click() {
  game::PlayState& s = f_.State();
  s.CertSwitch = !s.CertSwitch;
  DrawSwitchLabels();
  if (s.DatRecord.CertName()[0] == 0) f_.ShowNameDialog();
}

void TitleScreen::Label47Click() {
  game::PlayState& s = f_.State();
  s.IdleTicks = 0;
  if (s.InfoPage != 0) return;
  DrawInfoPage1();
  if (!f_.Screens().InfoPanelOpen()) OpenInfoPanel();
}

void TitleScreen::Label49Click() {
  f_.State().IdleTicks = 0;
  if (!f_.Screens().InfoPanelOpen()) {
    f_.Screens().Show(game::Screen::ModeSelect);
    f_.Screens().Hide(game::Screen::Title);
  } else {
    TurnInfoPage(true);
  }
}

void TitleScreen::Label47MouseDown(bool leftButton, ui::Label* label) {
  if (leftButton) label->SetTransparent(false);
}

void TitleScreen::Label47MouseUp(ui::Label* label) { label->SetTransparent(true); }

// --- Information page 1: the data summary -------------------------------------------------

void TitleScreen::DrawInfoPage1() {
  game::PlayState& s = f_.State();
  ui::Image* image = f_.C.Image5;
  // The page as lines of text first; it is painted again only when one of them changed. It
  // is on screen with the title and the first information page.
  std::vector<PageLine> lines;
  if (s.InfoPage <= 1) {
    auto line = [&](int row, int column, ui::Color colour, const std::string& cp932) {
      lines.push_back({game::GridX(column), game::GridY(row), colour, cp932});
    };
    const game::DatRecord& r = s.DatRecord;
    line(0, 0, ui::clr::White, " -----------------+   DOJ data   +-----------------");
    std::string dates = "(XXXX/XX/XX - XXXX/XX/XX)";
    const auto start = r.StartDate();
    const plat::LocalDateTime today = f_.Platform().Now();
    game::FormatDigits4(dates, 1, start.Year);
    game::FormatDigits2(dates, 6, start.Month);
    game::FormatDigits2(dates, 9, start.Day);
    game::FormatDigits4(dates, 14, today.year);
    game::FormatDigits2(dates, 19, today.month);
    game::FormatDigits2(dates, 22, today.day);
    line(1, 13, ui::clr::Aqua, dates);
    line(3, 0, ui::clr::White, "   ----------  key record.(MAX 32bit)  ----------");
    std::string keys = "GOOD:XXXXXXXXXX  MISS:XXXXXXXXXX";
    game::FormatDigits10(keys, 5, r.GoodKeys());
    game::FormatDigits10(keys, 22, r.MissKeys());
    line(4, 10, ui::clr::Aqua, keys);
    std::string total = "total:XXXXXXXXXX(G+M+etc)";
    game::FormatDigits10(total, 6, r.TotalKeys());
    line(5, 15, ui::clr::Fuchsia, total);
    line(7, 0, ui::clr::Yellow, "--------------selected mode(MAX 65535)  ------------");
    static constexpr ui::Color kRowColours[game::kTimedModes] = {
        ui::clr::Aqua, ui::clr::Lime, ui::clr::Yellow, ui::clr::White, ui::clr::Yellow, ui::clr::Lime, ui::clr::Aqua};
    for (int m = 0; m < game::kTimedModes; ++m) {
      std::string row = std::string(game::kModeNames[m]) + " [30] ... XXXXX   [60] ... XXXXX  [120] ... XXXXX";
      game::FormatDigits5(row, 13, r.ModeUse(0, m));
      game::FormatDigits5(row, 30, r.ModeUse(1, m));
      game::FormatDigits5(row, 47, r.ModeUse(2, m));
      line(8 + m, 0, kRowColours[m], row);
    }
    std::string other = "...  ... XXXXX";
    game::FormatDigits5(other, 9, r.OtherModeUse());
    line(15, 21, ui::clr::White, other);
    std::string drills = "total(MAX 32bit):XXXXXXXXXX";
    game::FormatDigits10(drills, 17, r.DrillTotal());
    line(16, 13, ui::clr::Fuchsia, drills);
    std::string time = " total time.[XXXXX:XX.XXs]";
    const auto pt = r.PlayTime();
    game::FormatDigits5(time, 13, pt.Hours);
    game::FormatDigits2(time, 19, pt.Minutes);
    game::FormatDigits2(time, 22, pt.Seconds);
    line(18, 13, ui::clr::Fuchsia, time);
  }
  if (pageDrawn_ && lines == pageLines_) return;
  pageDrawn_ = true;
  pageLines_ = lines;

  // Black, in the window's font, white unless a line says otherwise.
  ui::Canvas& canvas = image->Canvas();
  canvas.Fill(ui::clr::Black);
  canvas.SetBrushColor(ui::clr::Black);
  canvas.SetFontHeight(12);
  canvas.SetFace(ui::Face::Gothic);
  canvas.SetFontColor(ui::clr::White);
  for (const PageLine& l : lines) {
    canvas.SetFontColor(l.colour);
    canvas.TextOut(l.x, l.y, l.text);
  }
}

}  // namespace app
