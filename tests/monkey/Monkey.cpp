#include "tests/monkey/Monkey.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/Game.h"
#include "platform/Ini.h"
#include "platform/Keyboard.h"

namespace monkey {
namespace {

namespace vk = plat::vk;

// Every key of the JIS keyboard that types a character (with and without Shift and the
// kana lock), and the others a player may hit.
constexpr uint16_t kCharKeys[] = {
    '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', vk::OemMinus, vk::Oem7, vk::Oem5,
    'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', vk::Oem3, vk::Oem4,
    'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', vk::OemPlus, vk::Oem1, vk::Oem6,
    'Z', 'X', 'C', 'V', 'B', 'N', 'M', vk::OemComma, vk::OemPeriod, vk::Oem2, vk::Oem102, vk::Space};
constexpr uint16_t kOtherKeys[] = {vk::Left, vk::Up, vk::Right, vk::Down, vk::Home, vk::End,
                                   vk::PageUp, vk::PageDown, vk::Insert, vk::Delete};

// The key's name in a driver script.
std::string KeyName(uint16_t code) {
  if (code >= 'A' && code <= 'Z') return std::string(1, static_cast<char>(code - 'A' + 'a'));
  if (code >= '0' && code <= '9') return std::string(1, static_cast<char>(code));
  if (code >= vk::F1 && code <= vk::F12) return "F" + std::to_string(code - vk::F1 + 1);
  switch (code) {
    case vk::Escape: return "ESC";
    case vk::Return: return "ENTER";
    case vk::Tab: return "TAB";
    case vk::Space: return "SPACE";
    case vk::Back: return "BACKSPACE";
    case vk::Oem102: return "RO";
    case vk::Kana: return "KANA";
    case vk::Oem5: return "YEN";
    case vk::Left: return "LEFT";
    case vk::Up: return "UP";
    case vk::Right: return "RIGHT";
    case vk::Down: return "DOWN";
    case vk::Home: return "HOME";
    case vk::End: return "END";
    case vk::PageUp: return "PAGEUP";
    case vk::PageDown: return "PAGEDOWN";
    case vk::Insert: return "INSERT";
    case vk::Delete: return "DELETE";
    default: break;
  }
  if (const plat::JisKey* key = plat::FindJisKey(code)) return std::string(1, static_cast<char>(key->plain));
  return "?";
}

int64_t ToMs(const plat::LocalDateTime& t) {
  using namespace std::chrono;
  const sys_days days = year{t.year} / month{static_cast<unsigned>(t.month)} / day{static_cast<unsigned>(t.day)};
  return days.time_since_epoch().count() * int64_t{86400000} +
         ((t.hour * 60 + t.minute) * 60 + t.second) * int64_t{1000} + t.millisecond;
}

plat::LocalDateTime FromMs(int64_t ms) {
  using namespace std::chrono;
  const int64_t dayCount = ms >= 0 ? ms / 86400000 : (ms - 86399999) / 86400000;
  const year_month_day ymd{sys_days{days{dayCount}}};
  const int64_t inDay = ms - dayCount * 86400000;
  plat::LocalDateTime t;
  t.year = static_cast<int>(ymd.year());
  t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  t.hour = static_cast<int>(inDay / 3600000);
  t.minute = static_cast<int>(inDay / 60000 % 60);
  t.second = static_cast<int>(inDay / 1000 % 60);
  return t;
}

std::string NowLine(const plat::LocalDateTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "now %04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

std::optional<std::string> ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The virtual platform, with the player's answer chosen when a question comes up without
// one waiting.
class MonkeyPlatform : public plat::VirtualPlatform {
 public:
  std::function<void(const std::string&)> BeforeQuestion;
  bool Question(const std::string& text, const std::string& caption) override {
    if (BeforeQuestion) BeforeQuestion(text);
    return VirtualPlatform::Question(text, caption);
  }
};

}  // namespace

Monkey::Monkey(Options options) : options_(std::move(options)), rng_(options_.seed) {
  programDir_ = options_.sandbox + "/prog";
  altDir_ = options_.sandbox + "/alt";
  QDir().mkpath(QString::fromStdString(programDir_));
  QDir().mkpath(QString::fromStdString(altDir_));
  calendarMs_ = ToMs({2026, 12, 6, 10, 0, 0, 0, 0});
}

Monkey::~Monkey() {
  game_.reset();
  platform_.reset();
}

app::TForm2& Monkey::Form() { return game_->Form(); }

bool Monkey::Run() {
  while (!failed_ && events_ < options_.events) {
    if (!game_) StartLife();
    if (failed_) break;
    Step(false);
    if (!failed_ && Form().Closed()) EndLife(quitting_);
  }
  if (!failed_ && game_) {
    // The player closes the window at the end, as any run ends.
    Log("close");
    Form().close();
    AfterEvent();
    if (!failed_) EndLife(false);
  }
  if (!failed_) {
    // Whatever the runs did, the file beside the program passes its own check.
    if (auto bytes = ReadWhole(programDir_ + "/dojokai.dat"); bytes && bytes->size() >= records::DatRecord::kSize) {
      records::DatRecord r;
      std::copy_n(bytes->begin(), records::DatRecord::kSize, r.Bytes().begin());
      if (!r.ChecksumValid()) Fail("the data file beside the program fails its checksum at the end");
    }
  }
  return !failed_;
}

// --- Lives -------------------------------------------------------------------------------

void Monkey::StartLife() {
  ++life_;
  ++stats_.lives;
  script_.clear();
  quitting_ = false;

  // The calendar goes on from the last run: minutes later, the next day, or just before
  // midnight so that the run crosses it.
  const int64_t day = 86400000;
  const int64_t before = calendarMs_ / day;
  const uint64_t pick = Below(100);
  if (pick < 60) {
    calendarMs_ += static_cast<int64_t>(Below(600)) * 1000;
  } else if (pick < 80) {
    calendarMs_ += day + static_cast<int64_t>(Below(3600)) * 1000;
  } else if (pick < 90) {
    calendarMs_ = (calendarMs_ / day + 1) * day - static_cast<int64_t>(1 + Below(120)) * 1000;
  } else {
    calendarMs_ += static_cast<int64_t>(Below(3 * 86400)) * 1000;
  }
  calendarMs_ -= calendarMs_ % 1000;
  if (calendarMs_ / day != before) ++stats_.newDays;

  // The tick count at start: an ordinary hour of uptime, a machine just booted, or the
  // count about to pass its sign bit or to wrap.
  uint32_t uptime = 3600000;
  switch (Below(10)) {
    case 0: uptime = static_cast<uint32_t>(Below(20000)); break;
    case 1: uptime = 0x80000000u - static_cast<uint32_t>(Below(60000)); break;
    case 2: uptime = static_cast<uint32_t>(0x100000000ull - Below(60000) - 1); break;
    default: break;
  }

  PrepareFiles();

  auto platform = std::make_unique<MonkeyPlatform>();
  platform->BeforeQuestion = [this](const std::string& text) { AnswerNow(text); };
  platform_ = std::move(platform);
  platform_->SetProgramDir(programDir_);
  platform_->SetNow(FromMs(calendarMs_));
  platform_->SetUptime(uptime);
  platform_->SetModalLoop([this](QDialog& dialog) { ModalLoop(dialog); });
  messagesSeen_ = 0;
  pendingAnswers_ = 0;
  Log("# life " + std::to_string(life_) + " of seed " + std::to_string(options_.seed));
  Log(NowLine(FromMs(calendarMs_)));
  Log("uptime " + std::to_string(uptime));
  Log("start");
  game_ = std::make_unique<app::Game>(*platform_);
  Form().SetSimulatedFocus(true);

  // Who plays this time: someone hitting keys at random, a beginner, or a keen typist.
  static constexpr int kAccuracy[] = {0, 30, 70, 90, 98, 99};
  accuracy_ = kAccuracy[Below(std::size(kAccuracy))];
  keen_ = accuracy_ >= 98;

  app::PlayState& s = Form().State();
  datPath_ = s.DatPath;
  couldSave_ = s.DataLoaded && !s.DatNoSave && s.DatHandle.IsOpen();
  CheckReload();
  if (failed_) return;

  // Now and then the game has been running for days: the session counters near their caps.
  if (Chance(5)) {
    s.GoodSinceStart = 65535 - static_cast<int>(Below(40));
    s.StartSeconds -= 921658 - static_cast<int>(Below(30));
    Log("# a long session: GoodSinceStart " + std::to_string(s.GoodSinceStart) + ", StartSeconds " +
        std::to_string(s.StartSeconds) + " (set directly)");
  }
  ledger_.record = s.DatRecord;
  ledger_.goodSinceStart = s.GoodSinceStart;
  ledger_.uptime = s.UptimeSeconds;
  ledger_.startSeconds = s.StartSeconds;
  ledger_.tick = platform_->TickCount();
  wrapPending_ = false;
  CheckState();
}

void Monkey::EndLife(bool quit) {
  if (quit)
    ++stats_.quits;
  else
    ++stats_.windowCloses;
  CheckSaved();
  calendarMs_ = ToMs(platform_->Now());
  game_.reset();
  platform_.reset();
}

// The configuration may name a folder for the data file; it is kept inside the sandbox, in
// a folder that exists or one that does not. Now and then the data file starts with its
// counters close to their maxima.
void Monkey::PrepareFiles() {
  const std::string cfg = programDir_ + "/dojokai.cfg";
  if (plat::FileExists(cfg)) {
    plat::IniFile ini(cfg);
    // Half the time a data file switched off is switched on again, as by hand in the file.
    if (ini.ReadInteger("DOJOKAI", "DOJDATNOTRW", 0) == 1 && Chance(50)) ini.WriteString("DOJOKAI", "DOJDATNOTRW", "0");
    if (ini.ReadInteger("DOJOKAI", "DOJDATPATHON", 0) == 1) {
      const uint64_t pick = Below(10);
      const std::string folder =
          pick < 5 ? altDir_ : pick < 8 ? altDir_ + "/" : options_.sandbox + "/missing";
      ini.WriteString("DOJOKAI", "DOJDATPATH", folder);
    }
  }
  const std::string path = ActiveDatPath();
  if (!path.empty() && life_ > 1 && Chance(10)) {
    records::DatRecord r;
    const plat::LocalDateTime today = FromMs(calendarMs_);
    const records::DatRecord::Date date{static_cast<uint16_t>(today.year), static_cast<uint8_t>(today.month),
                                        static_cast<uint8_t>(today.day)};
    r.ResetDataRecord(date);
    if (auto bytes = ReadWhole(path); bytes && bytes->size() >= records::DatRecord::kSize)
      std::copy_n(bytes->begin(), records::DatRecord::kSize, r.Bytes().begin());
    const auto near32 = [this] { return static_cast<uint32_t>(0xFFFFFFFFu - Below(200)); };
    const auto near16 = [this] { return static_cast<uint16_t>(0xFFFF - Below(200)); };
    r.SetTotalKeys(near32());
    r.SetGoodKeys(near32());
    r.SetMissKeys(near32());
    r.SetDrillTotal(near32());
    r.SetTodayGood(near16());
    r.SetOtherModeUse(near16());
    for (int d = 0; d < 3; ++d)
      for (int m = 0; m < 7; ++m) r.SetModeUse(d, m, near16());
    r.SetPlayTime({65535, 59, static_cast<uint8_t>(40 + Below(20)), static_cast<uint8_t>(5 * Below(20))});
    r.SetLastDate(date);
    r.SetChecksum(r.ComputeChecksum());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(r.Bytes().data()), records::DatRecord::kSize);
    out.close();
    if (out) {
      saved_[path] = r.Bytes();
      ++stats_.nearMaxStarts;
    }
  }
  startFiles_.clear();
  for (const std::string& name : {programDir_ + "/dojokai.dat", programDir_ + "/dojokai.cfg", altDir_ + "/dojokai.dat"})
    if (auto bytes = ReadWhole(name)) startFiles_[name] = *bytes;
}

// The data file the next start opens, "" when the settings switch it off.
std::string Monkey::ActiveDatPath() const {
  const plat::IniFile ini(programDir_ + "/dojokai.cfg");
  if (ini.ReadInteger("DOJOKAI", "DOJDATNOTRW", 0) == 1) return "";
  if (ini.ReadInteger("DOJOKAI", "DOJDATPATHON", 0) != 1) return programDir_ + "/dojokai.dat";
  std::string folder = ini.ReadString("DOJOKAI", "DOJDATPATH", "");
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder + "dojokai.dat";
}

// --- Events ------------------------------------------------------------------------------

void Monkey::Log(const std::string& line) {
  script_.push_back(line);
  if (line.empty() || line[0] == '#') return;
  recent_.push_back(std::to_string(events_ + 1) + ": " + line);
  if (recent_.size() > 20) recent_.pop_front();
  if (options_.trace && events_ + 1 >= options_.traceFrom) *options_.trace << recent_.back() << std::endl;
}

void Monkey::AfterEvent() {
  platform_->ProcessPendingEvents();
  ++events_;
  ++stats_.events;
  if (options_.progress && options_.progressEvery > 0 && events_ % options_.progressEvery == 0)
    *options_.progress << "event " << events_ << ", life " << life_ << std::endl;
  CheckMessages();
  if (failed_ || Form().Closed()) return;
  CheckState();
}

void Monkey::Step(bool inDialog) {
  if (!inDialog) {
    const ui::Panel* screen = Form().VisibleScreen();
    const auto& screens = Form().Screens();
    for (size_t i = 0; i < screens.size(); ++i)
      if (screens[i] == screen) ++stats_.eventsOnScreen[i];
  }
  const uint64_t pick = Below(10000);
  if (inDialog) {
    if (pick < 7000)
      KeyEvent(true);
    else if (pick < 8500)
      ClickEvent(true);
    else
      WaitEvent(true);
    return;
  }
  // A keen typist at a running drill or lesson mostly types.
  const bool typing = keen_ && (Form().C.F1Panel->Visible() || Form().C.FLPanel->Visible());
  if (typing) {
    if (pick < 9000)
      KeyEvent(false);
    else if (pick < 9100)
      ClickEvent(false);
    else
      WaitEvent(false);
    return;
  }
  if (pick < 6300) {
    KeyEvent(false);
  } else if (pick < 8100) {
    ClickEvent(false);
  } else if (pick < 9870) {
    WaitEvent(false);
  } else if (pick < 9900) {
    AnswerEvent();
  } else if (pick < 9960) {
    ResizeEvent();
  } else if (pick < 9997) {
    ClockEvent();
  } else {
    // The window's close box, on whatever screen.
    Log("close");
    Form().close();
    AfterEvent();
  }
}

void Monkey::PressKey(uint16_t code, bool shift) {
  Log("key " + std::string(shift ? "shift+" : "") + KeyName(code));
  plat::Keyboard& keys = platform_->Keys();
  const bool hold = shift && !keys.ShiftDown();
  if (hold) keys.DownOnly(vk::Shift);
  keys.Press(code);
  keys.Release(code);
  if (hold) keys.Release(vk::Shift);
  AfterEvent();
}

// Types `ch` as a player who knows the keyboard: the key that makes it, after switching the
// kana lock when it stands wrong (half the time; the drill maps Latin keys to kana anyway).
bool Monkey::TypeByte(uint8_t ch) {
  const auto stroke = plat::StrokeForChar(ch);
  if (!stroke) return false;
  if (stroke->kana != platform_->KanaLock() && Chance(50))
    PressKey(vk::Kana, false);
  else
    PressKey(stroke->vk, stroke->shift);
  return true;
}

// What the drill or the lesson waits for; 0 when the monkey does not know.
uint8_t Monkey::WantedChar() const {
  app::TForm2& form = const_cast<Monkey*>(this)->Form();
  const app::PlayState& s = form.State();
  if (form.C.F1Panel->Visible()) {
    const uint8_t c = s.DrillText.At(static_cast<size_t>(std::max(s.TextPos, 0)));
    return c ? c : s.DrillText.At(0);
  }
  if (!form.C.FLPanel->Visible() || s.SwallowKey) return 0;
  static constexpr char kIntroKeys[] = "fdsajkl;gh??rewquiopty??vcxzm,./bn??4321789056??";
  if (s.LessonNo >= 1 && s.LessonNo <= 12 && s.LessonDrill == 0)
    return static_cast<uint8_t>(kIntroKeys[(s.LessonNo - 1) * 4 + std::clamp(s.IntroStep, 0, 3)]);
  if (s.LessonNo <= 14 && s.SeqReady) return form.Lessons().Sequence()[std::max(s.SeqPos, 0)];
  return s.LessonNo >= 15 ? ' ' : 0;
}

void Monkey::KeyEvent(bool inDialog) {
  if (!inDialog && Chance(accuracy_)) {
    const uint8_t wanted = WantedChar();
    if (wanted && TypeByte(wanted)) return;
  }
  const uint64_t pick = Below(100);
  if (pick < 62) {
    PressKey(kCharKeys[Below(std::size(kCharKeys))], Chance(30));
  } else if (pick < 67) {
    PressKey(vk::Escape, Chance(10));
  } else if (pick < 72) {
    PressKey(vk::Return, Chance(10));
  } else if (pick < 76) {
    PressKey(vk::Tab, Chance(10));
  } else if (pick < 79) {
    PressKey(vk::Back, false);
  } else if (pick < 86) {
    PressKey(static_cast<uint16_t>(vk::F1 + Below(12)), Chance(10));
  } else if (pick < 89) {
    PressKey(vk::Kana, false);
  } else if (pick < 93) {
    PressKey(kOtherKeys[Below(std::size(kOtherKeys))], Chance(10));
  } else {
    PressKey(vk::Space, false);
  }
}

// A click on a control a player can reach: shown and enabled, on the dialog while it is open.
void Monkey::ClickEvent(bool inDialog) {
  // Half the time the player aims at something that answers a click.
  const bool aimed = Chance(50);
  std::vector<ui::Control*> reachable;
  const ui::ControlSet& set = inDialog ? game_->NameDialog().Controls() : Form().Controls();
  for (const auto& c : set.All()) {
    if (!c->Showing() || !c->Enabled()) continue;
    if (aimed && !c->OnClick && !c->OnDblClick && !dynamic_cast<ui::TextField*>(c.get())) continue;
    reachable.push_back(c.get());
  }
  if (reachable.empty()) {
    WaitEvent(inDialog);
    return;
  }
  ui::Control* c = reachable[Below(reachable.size())];
  const uint64_t kind = Below(100);
  if (kind < 8) {
    Log("mousedown " + c->Name());
    c->MouseDown(ui::MouseButton::Left);
  } else if (kind < 15) {
    Log("mouseup " + c->Name());
    c->MouseUp(ui::MouseButton::Left);
  } else {
    const bool twice = kind >= 85;
    Log((twice ? "dblclick " : "click ") + c->Name());
    c->MouseDown(ui::MouseButton::Left);
    if (auto* box = dynamic_cast<ui::CheckBox*>(c))
      box->SetChecked(!box->Checked());
    else
      c->Click();
    c->MouseUp(ui::MouseButton::Left);
    if (dynamic_cast<ui::TextField*>(c) && !inDialog) Form().SetFocusTo(c);
    if (twice) {
      c->DblClick();
      c->MouseDown(ui::MouseButton::Left);
      c->MouseUp(ui::MouseButton::Left);
    }
  }
  AfterEvent();
}

// Time passes: mostly a moment; while a drill runs, now and then long enough for it to run
// out. (Idle screens cost the most to simulate: they redraw the information pictures.)
void Monkey::WaitEvent(bool inDialog) {
  const uint64_t pick = Below(100);
  int64_t ms = 0;
  if (inDialog) {
    ms = static_cast<int64_t>(Below(100));
  } else if (Form().State().DrillRunning) {
    // Until about when the clock runs out, at most a minute.
    const int64_t left = std::clamp<int64_t>(Form().State().TimeLeft, 0, 600) * 100;
    ms = pick < 50   ? static_cast<int64_t>(Below(500))
         : pick < 85 ? static_cast<int64_t>(Below(3001))
         : pick < 98 ? 3000 + static_cast<int64_t>(Below(12000))
                     : left + static_cast<int64_t>(Below(1500));
  } else {
    // Now and then long enough for the title's idle score show.
    ms = pick < 60   ? static_cast<int64_t>(Below(100))
         : pick < 90 ? static_cast<int64_t>(Below(600))
         : pick < 99 || Below(2) ? static_cast<int64_t>(Below(3001))
                                 : 10000 + static_cast<int64_t>(Below(5000));
  }
  Log("wait " + std::to_string(ms));
  stats_.simulatedMs += ms;
  platform_->Advance(ms);
  AfterEvent();
}

// An answer for the next question box; one at most waits its turn. A question without one
// is answered No.
void Monkey::AnswerEvent() {
  if (pendingAnswers_ >= 1) {
    WaitEvent(false);
    return;
  }
  const bool yes = Chance(25);
  Log(yes ? "answer yes" : "answer no");
  platform_->QueueAnswer(yes);
  ++pendingAnswers_;
  AfterEvent();
}

// A question with no answer waiting: the player answers it now, seldom Yes to quitting.
// In the script the answer goes before the command that raised the question.
void Monkey::AnswerNow(const std::string& question) {
  if (pendingAnswers_ > 0) return;
  const bool yes = Chance(question == "終了しますか？" ? 8 : 40);
  platform_->QueueAnswer(yes);
  ++pendingAnswers_;
  auto at = script_.end();
  while (at != script_.begin() && ((at - 1)->empty() || (at - 1)->front() == '#')) --at;
  if (at != script_.begin()) --at;
  script_.insert(at, yes ? "answer yes" : "answer no");
}

void Monkey::ResizeEvent() {
  const uint64_t pick = Below(100);
  ++stats_.resizes;
  if (pick < 15) {
    Log("maximize");
    Form().Maximize();
  } else if (pick < 30) {
    Log("restore");
    Form().Restore();
  } else {
    int w = 100 + static_cast<int>(Below(2000)), h = 100 + static_cast<int>(Below(1300));
    if (pick < 35) {
      w = 1 + static_cast<int>(Below(16384));
      h = 1 + static_cast<int>(Below(16384));
    }
    Log("resize " + std::to_string(w) + " " + std::to_string(h));
    Form().resize(w, h);
  }
  QCoreApplication::processEvents();
  AfterEvent();
}

// The system clock is set: forward by minutes or a day, or back a little.
void Monkey::ClockEvent() {
  int64_t now = ToMs(platform_->Now());
  const uint64_t pick = Below(10);
  if (pick < 5)
    now += static_cast<int64_t>(Below(3 * 3600)) * 1000;
  else if (pick < 7)
    now += 86400000;
  else
    now -= static_cast<int64_t>(Below(3600)) * 1000;
  now -= ((now % 1000) + 1000) % 1000;
  const plat::LocalDateTime when = FromMs(now);
  Log(NowLine(when));
  platform_->SetNow(when);
  AfterEvent();
}

// The name dialog runs modally: the events go to it until it closes or the player's
// patience runs out; then the window system closes it.
void Monkey::ModalLoop(QDialog& dialog) {
  ++stats_.dialogs;
  plat::Keyboard& keys = platform_->Keys();
  plat::KeySink* sink = keys.Sink();
  if (auto* dialogSink = dynamic_cast<plat::KeySink*>(&dialog)) keys.SetSink(dialogSink);
  ++modalDepth_;
  for (uint64_t budget = 1 + Below(40); budget > 0 && dialog.isVisible() && !failed_ && events_ < options_.events;
       --budget)
    Step(true);
  if (dialog.isVisible()) Log("# the window system closes the name dialog here");
  --modalDepth_;
  keys.SetSink(sink);
}

}  // namespace monkey
