#include "tests/monkey/Monkey.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <algorithm>

#include "app/Game.h"
#include "platform/Keyboard.h"
#include "tests/monkey/MonkeyUtil.h"
#include "tools/drive/Driver.h"

namespace monkey {
namespace {

namespace vk = plat::vk;

// Every key of the JIS keyboard that types a character (with and without Shift and the
// kana lock), and the others a player may hit.
constexpr uint16_t kCharKeys[] = {
    '1',          '2',      '3',      '4',      '5',          '6',           '7',      '8',        '9',      '0',
    vk::OemMinus, vk::Oem7, vk::Oem5, 'Q',      'W',          'E',           'R',      'T',        'Y',      'U',
    'I',          'O',      'P',      vk::Oem3, vk::Oem4,     'A',           'S',      'D',        'F',      'G',
    'H',          'J',      'K',      'L',      vk::OemPlus,  vk::Oem1,      vk::Oem6, 'Z',        'X',      'C',
    'V',          'B',      'N',      'M',      vk::OemComma, vk::OemPeriod, vk::Oem2, vk::Oem102, vk::Space};
constexpr uint16_t kOtherKeys[] = {vk::Left, vk::Up,     vk::Right,    vk::Down,   vk::Home,
                                   vk::End,  vk::PageUp, vk::PageDown, vk::Insert, vk::Delete};

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
    if (auto bytes = ReadWhole(programDir_ + "/dojokai.dat"); bytes && bytes->size() >= game::DatRecord::kSize) {
      game::DatRecord r;
      std::copy_n(bytes->begin(), game::DatRecord::kSize, r.Bytes().begin());
      if (!r.ChecksumValid()) Fail("the data file beside the program fails its checksum at the end");
    }
  }
  return !failed_;
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
  if (!failed_ && !Form().Closed()) CheckState();
  charsThisEvent_ = 1;
}

void Monkey::Step(bool inDialog) {
  if (!inDialog) {
    const ui::Panel* screen = Form().VisibleScreen();
    const auto& screens = Form().ScreenPanels();
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
uint8_t Monkey::WantedChar() {
  app::TForm2& form = Form();
  const game::PlayState& s = form.State();
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
  // Names are often typed through an input method.
  if (Chance(inDialog || Form().C.F7Panel->Visible() ? 20 : 2)) {
    CharEvent();
    return;
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

// What an input method hands the window without a key: one byte, or the two bytes of a
// double-byte character (not every one of them is a character of the code page).
void Monkey::CharEvent() {
  std::string bytes;
  if (Chance(50)) {
    bytes += static_cast<char>(1 + Below(255));
  } else {
    bytes += static_cast<char>(Chance(80) ? 0x81 + Below(0x1F) : 0xE0 + Below(0x1D));
    bytes += static_cast<char>(Chance(50) ? 0x40 + Below(0x3F) : 0x80 + Below(0x7D));
  }
  std::string line = "char \"";
  for (char b : bytes) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(b));
    line += hex;
  }
  Log(line + "\"");
  charsThisEvent_ = static_cast<int>(bytes.size());
  for (char b : bytes) {
    platform_->Keys().Char(static_cast<uint8_t>(b));
    platform_->ProcessPendingEvents();
  }
  AfterEvent();
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
    drive::ClickLikeAPlayer(Form(), *c, twice, inDialog);
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
    // On the title now and then long enough for its idle score show.
    const bool title = Form().C.Panel1->Visible();
    ms = pick < 60                  ? static_cast<int64_t>(Below(100))
         : pick < 90                ? static_cast<int64_t>(Below(600))
         : pick < (title ? 98 : 99) ? static_cast<int64_t>(Below(3001))
         : title                    ? 10000 + static_cast<int64_t>(Below(6000))
                                    : 3000 + static_cast<int64_t>(Below(3000));
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
  recent_.push_back(std::string("   (answered ") + (yes ? "yes" : "no") + ", queued before the command above)");
  if (recent_.size() > 20) recent_.pop_front();
}

void Monkey::ResizeEvent() {
  const bool taking = Form().State().InputEnabled;
  const int oldWidth = Form().ClientWidth(), oldHeight = Form().ClientHeight();
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
  // Once the game takes keys a change of size keeps the window within the design size and
  // the band of shapes: never below 480 × 300, at most twice as wide as high, one and a half
  // times as high as wide. (A size set before the first tick stays as it is.)
  if (failed_ || Form().Closed()) return;
  const int w = Form().ClientWidth(), h = Form().ClientHeight();
  if (taking && (w != oldWidth || h != oldHeight) && (w < 480 || h < 300 || w > 2 * h || 2 * h > 3 * w))
    Fail("the client area is " + std::to_string(w) + " × " + std::to_string(h));
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
  if (Form().State().DatRecord.CertName()[0] != 0) Fail("the name dialog opened with a name registered");
  plat::Keyboard& keys = platform_->Keys();
  plat::KeySink* sink = keys.Sink();
  if (auto* dialogSink = dynamic_cast<plat::KeySink*>(&dialog)) keys.SetSink(dialogSink);
  ++modalDepth_;
  for (uint64_t budget = 1 + Below(40); budget > 0 && dialog.isVisible() && !failed_ && events_ < options_.events;
       --budget)
    Step(true);
  const bool dismissed = dialog.isVisible();
  if (dismissed) Log("# the window system closes the name dialog here");
  --modalDepth_;
  keys.SetSink(sink);
  // Its button and Enter both register a name, blanks for an empty field.
  if (!dismissed && !failed_ && Form().State().DatRecord.CertName()[0] == 0)
    Fail("the name dialog closed without registering a name");
}

}  // namespace monkey
