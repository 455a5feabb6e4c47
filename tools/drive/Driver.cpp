#include "tools/drive/Driver.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

#include "app/Game.h"
#include "platform/Cp932.h"
#include "platform/Keyboard.h"
#include "tools/drive/Json.h"
#include "tools/drive/Script.h"
#include "tools/drive/Snapshot.h"
#include "tools/drive/StatsCommands.h"

namespace drive {
namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Keys by name; a one-character name is the key that types it.
std::optional<uint16_t> NamedKey(const std::string& name) {
  static const std::pair<const char*, uint16_t> kNames[] = {
      {"ESC", plat::vk::Escape},    {"ENTER", plat::vk::Return},   {"TAB", plat::vk::Tab},
      {"SPACE", plat::vk::Space},   {"BACKSPACE", plat::vk::Back}, {"RO", plat::vk::Oem102},
      {"KANA", plat::vk::Kana},     {"SHIFT", plat::vk::Shift},    {"CTRL", plat::vk::Control},
      {"ALT", plat::vk::Menu},      {"LEFT", plat::vk::Left},      {"RIGHT", plat::vk::Right},
      {"UP", plat::vk::Up},         {"DOWN", plat::vk::Down},      {"HOME", plat::vk::Home},
      {"END", plat::vk::End},       {"PAGEUP", plat::vk::PageUp},  {"PAGEDOWN", plat::vk::PageDown},
      {"INSERT", plat::vk::Insert}, {"DELETE", plat::vk::Delete},  {"YEN", plat::vk::Oem5}};
  const std::string upper = Upper(name);
  for (const auto& [n, code] : kNames)
    if (upper == n) return code;
  if (upper.size() >= 2 && upper[0] == 'F') {
    const std::string digits = upper.substr(1);
    if (std::all_of(digits.begin(), digits.end(), ::isdigit) && digits.size() <= 2) {
      const int n = std::stoi(digits);
      if (n >= 1 && n <= 12) return static_cast<uint16_t>(plat::vk::F1 + n - 1);
    }
  }
  return std::nullopt;
}

bool OnOff(const std::string& word) {
  const std::string w = Upper(word);
  if (w == "ON") return true;
  if (w == "OFF") return false;
  throw ScriptError("expected on or off: " + word);
}

}  // namespace

// A mouse click as the window system delivers it: down, click (a check box changes its
// state, a radio button is checked), up; a double click adds its own event and a second
// down and up. A clicked edit field of the window takes the keyboard focus.
void ClickLikeAPlayer(app::TForm2& form, ui::Control& c, bool doubleClick, bool inDialog) {
  c.MouseDown(ui::MouseButton::Left);
  if (auto* radio = dynamic_cast<ui::RadioButton*>(&c))
    radio->SetChecked(true);  // a checked one stays checked
  else if (auto* box = dynamic_cast<ui::CheckBox*>(&c))
    box->SetChecked(!box->Checked());
  else
    c.Click();
  c.MouseUp(ui::MouseButton::Left);
  if (dynamic_cast<ui::TextField*>(&c) && !inDialog) form.SetFocusTo(&c);
  if (doubleClick) {
    c.DblClick();
    c.MouseDown(ui::MouseButton::Left);
    c.MouseUp(ui::MouseButton::Left);
  }
}

Driver::Driver(std::string exeDir, std::ostream& out, std::ostream& err)
    : exeDir_(std::move(exeDir)), out_(out), err_(err) {
  platform_.SetProgramDir(exeDir_);
  platform_.SetModalLoop([this](QDialog& dialog) { ModalLoop(dialog); });
}

Driver::~Driver() { game_.reset(); }

void Driver::Fail(const std::string& message) {
  err_ << "line " << current_ << ": " << message << "\n";
  throw Stop{kScriptError};
}

void Driver::ExpectFailed(const std::string& saw, const std::string& expected) {
  err_ << "line " << current_ << ": expect failed\n  saw:      " << saw << "\n  expected: " << expected << "\n";
  throw Stop{kExpectFailed};
}

int Driver::Run(const std::string& script) {
  std::istringstream in(script);
  for (std::string line; std::getline(in, line);) lines_.push_back(line);
  try {
    RunUntil([] { return false; });
  } catch (const Stop& stop) {
    return stop.code;
  }
  return kOk;
}

void Driver::RunUntil(const std::function<bool()>& done) {
  while (!done() && next_ < lines_.size()) {
    current_ = next_ + 1;
    const std::string line = lines_[next_++];
    try {
      Execute(line);
    } catch (const ScriptError& e) {
      Fail(e.what());
    }
    Settle();
    if (pendingStop_) throw Stop{*pendingStop_};
  }
}

void Driver::Settle() { platform_.ProcessPendingEvents(); }

// The dialog takes the commands that follow until it closes; the command that opened it
// then finishes.
void Driver::ModalLoop(QDialog& dialog) {
  QDialog* outer = modal_;
  modal_ = &dialog;
  plat::KeySink* sink = platform_.Keys().Sink();
  if (auto* dialogSink = dynamic_cast<plat::KeySink*>(&dialog)) platform_.Keys().SetSink(dialogSink);
  try {
    RunUntil([&dialog] { return !dialog.isVisible(); });
  } catch (const Stop& stop) {
    // A script that stops inside the dialog stops the whole run once the dialog is gone.
    pendingStop_ = stop.code;
    next_ = lines_.size();
  }
  platform_.Keys().SetSink(sink);
  modal_ = outer;
}

void Driver::RequireStarted(const std::string& command) {
  if (!game_) throw ScriptError(command + " needs the game: use start first");
}

ui::Control* Driver::FindControl(const std::string& name) {
  if (modal_ && game_) {
    if (ui::Control* c = game_->NameDialog().Controls().Find(name)) return c;
  }
  ui::Control* c = game_->Form().Controls().Find(name);
  if (!c) c = game_->NameDialog().Controls().Find(name);
  if (!c) throw ScriptError("no control named " + name);
  return c;
}

// A whole keystroke: Shift down when the key needs it, the key with its character, the
// key up, Shift up. A kana presses its key with the kana lock on.
void Driver::Stroke(uint16_t code, bool shift, bool kana) {
  plat::Keyboard& keys = platform_.Keys();
  const bool lock = keys.KanaLock();
  if (kana) keys.SetKanaLock(true);
  const bool holdShift = shift && !keys.ShiftDown();
  if (holdShift) keys.DownOnly(plat::vk::Shift);
  keys.Press(code);
  keys.Release(code);
  if (holdShift) keys.Release(plat::vk::Shift);
  if (kana) keys.SetKanaLock(lock);
}

// A key pressed by its X11 key code, as the X server reports it for the keyboard map in use:
// the key, the character its layout types (the lock aside), Shift held if asked.
void Driver::PhysicalKey(uint32_t code, bool shift) {
  plat::Keyboard& keys = platform_.Keys();
  const uint16_t vk = plat::VkForKeyCode(code, keys.Map());
  if (vk == 0) throw ScriptError("key code " + std::to_string(code) + " is no character key of this keyboard");
  uint8_t ch = 0;
  if (keys.Map() == plat::KeyMap::Us) {
    ch = plat::UsChar(code, shift);
  } else if (const plat::JisKey* key = plat::FindJisKey(vk)) {
    ch = shift ? key->shifted : key->plain;
  }
  const QString text = ch ? QString(QChar(ch)) : QString();
  const Qt::KeyboardModifiers mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
  if (shift) keys.DownOnly(plat::vk::Shift);
  const QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, mods, code, 0, 0, text);
  keys.Translate(press);
  Settle();
  const QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, mods, code, 0, 0, text);
  keys.Translate(release);
  if (shift) keys.Release(plat::vk::Shift);
}

void Driver::TypeByte(uint8_t ch, bool shift) {
  auto stroke = plat::StrokeForChar(ch);
  if (!stroke) throw ScriptError("no key types byte " + std::to_string(ch));
  Stroke(stroke->vk, shift || stroke->shift, stroke->kana);
}

void Driver::Keystroke(const std::string& keyName) {
  std::string name = keyName;
  bool shift = false;
  if (name.size() > 6 && Upper(name.substr(0, 6)) == "SHIFT+") {
    shift = true;
    name = name.substr(6);
  }
  if (auto named = NamedKey(name)) {
    Stroke(*named, shift, false);
    return;
  }
  const auto bytes = plat::cp932::FromUtf8(name);
  if (!bytes || bytes->size() != 1) throw ScriptError("not a key: " + name);
  TypeByte(static_cast<uint8_t>((*bytes)[0]), shift);
}

void Driver::Execute(const std::string& line) {
  LineReader r(line);
  if (r.Empty()) return;
  const std::string command = r.PlainWord("command");
  plat::Keyboard& keys = platform_.Keys();

  if (command == "now") {
    const std::string date = r.PlainWord("date"), time = r.PlainWord("time");
    r.End();
    plat::LocalDateTime t;
    char dash1 = 0, dash2 = 0, colon1 = 0, colon2 = 0;
    std::istringstream in(date + " " + time);
    in >> t.year >> dash1 >> t.month >> dash2 >> t.day >> t.hour >> colon1 >> t.minute >> colon2 >> t.second;
    if (!in || dash1 != '-' || dash2 != '-' || colon1 != ':' || colon2 != ':' || t.month < 1 || t.month > 12 ||
        t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 59 || t.year < 1601 || t.year > 9999)
      throw ScriptError("now needs YYYY-MM-DD HH:MM:SS");
    platform_.SetNow(t);
  } else if (command == "uptime") {
    // Any count the 32-bit tick can show, up to just before it wraps.
    const std::string word = r.PlainWord("MS");
    r.End();
    size_t used = 0;
    unsigned long long ms = 0;
    try {
      ms = std::stoull(word, &used);
    } catch (...) {
      used = 0;
    }
    if (used == 0 || used != word.size() || !std::isdigit(static_cast<unsigned char>(word[0])) || ms > 0xFFFFFFFFull)
      throw ScriptError("uptime needs a tick count from 0 to 4294967295: " + word);
    platform_.SetUptime(static_cast<uint32_t>(ms));
  } else if (command == "start") {
    // `start late`: the controls get their widgets as the real game gives them, when they
    // come on screen; every snapshot must be the same as after a plain `start`.
    const std::string mode = r.AtEnd() ? std::string() : r.PlainWord("mode");
    r.End();
    if (!mode.empty() && mode != "late") throw ScriptError("start takes nothing or late: " + mode);
    if (game_) throw ScriptError("the game has started already");
    game_ = std::make_unique<app::Game>(platform_,
                                        mode.empty() ? ui::ControlSet::Widgets::Now : ui::ControlSet::Widgets::Late);
    game_->Form().SetSimulatedFocus(true);
    game_->Form().UseKeyboard(std::nullopt, [this] { return keymap_; });
    if (!wordsFile_.empty()) game_->Form().Romaji().SetWordsFile(wordsFile_);
  } else if (command == "words") {
    const Text file = r.Rest("file");
    if (file.utf8.empty()) throw ScriptError("words needs a file");
    wordsFile_ = std::filesystem::absolute(file.utf8).string();
    if (game_) game_->Form().Romaji().SetWordsFile(wordsFile_);
  } else if (command == "wait") {
    const int ms = r.Number("MS");
    r.End();
    if (ms < 0) throw ScriptError("wait must not be negative");
    RequireStarted(command);
    platform_.Advance(ms);
  } else if (command == "key") {
    const std::string name = r.PlainWord("key name");
    r.End();
    RequireStarted(command);
    Keystroke(name);
  } else if (command == "down" || command == "up") {
    const std::string name = r.PlainWord("key name");
    r.End();
    RequireStarted(command);
    uint16_t code = 0;
    if (auto named = NamedKey(name)) {
      code = *named;
    } else {
      const auto bytes = plat::cp932::FromUtf8(name);
      auto stroke = bytes && bytes->size() == 1 ? plat::StrokeForChar(static_cast<uint8_t>((*bytes)[0])) : std::nullopt;
      if (!stroke) throw ScriptError("not a key: " + name);
      code = stroke->vk;
    }
    if (command == "down")
      keys.DownOnly(code);
    else
      keys.Release(code);
  } else if (command == "char" || command == "type") {
    const Text text = r.Rest("text");
    RequireStarted(command);
    for (char b : text.Bytes()) {
      if (command == "char")
        keys.Char(static_cast<uint8_t>(b));
      else
        TypeByte(static_cast<uint8_t>(b), false);
      Settle();
    }
  } else if (command == "click" || command == "dblclick" || command == "mousedown" || command == "mouseup") {
    const std::string name = r.PlainWord("control name");
    r.End();
    RequireStarted(command);
    ui::Control* c = FindControl(name);
    if (!c->Showing() || !c->Enabled()) {
      err_ << "line " << current_ << ": " << name << " cannot be clicked now (hidden or disabled)\n";
      return;
    }
    if (command == "mousedown") {
      c->MouseDown(ui::MouseButton::Left);
    } else if (command == "mouseup") {
      c->MouseUp(ui::MouseButton::Left);
    } else {
      ClickLikeAPlayer(game_->Form(), *c, command == "dblclick", modal_ != nullptr);
    }
  } else if (command == "answer") {
    const std::string word = Upper(r.PlainWord("yes or no"));
    r.End();
    if (word != "YES" && word != "NO") throw ScriptError("answer takes yes or no");
    platform_.QueueAnswer(word == "YES");
  } else if (command == "set") {
    const std::string name = r.PlainWord("control name");
    const Text text = r.Rest("text");
    RequireStarted(command);
    auto* field = dynamic_cast<ui::TextField*>(FindControl(name));
    if (!field) throw ScriptError(name + " is not an edit or memo field");
    field->SetText("");
    field->TypeText(text.utf8);
  } else if (command == "check") {
    const std::string name = r.PlainWord("control name");
    const bool on = OnOff(r.PlainWord("on or off"));
    r.End();
    RequireStarted(command);
    auto* box = dynamic_cast<ui::CheckBox*>(FindControl(name));
    if (!box) throw ScriptError(name + " is not a check box");
    if (box->Enabled()) box->SetChecked(on);
  } else if (command == "keyboard") {
    const std::string name = r.PlainWord("jis, us or none");
    r.End();
    const auto map = plat::KeyMapNamed(name);
    if (!map && name != "none") throw ScriptError("keyboard takes jis, us or none: " + name);
    keymap_ = map;
    // A game already running reads the keymap again, as at its start.
    if (game_) game_->Form().UseKeyboard(std::nullopt, [this] { return keymap_; });
  } else if (command == "keycode") {
    std::string word = r.PlainWord("X11 key code");
    r.End();
    RequireStarted(command);
    const bool shift = Upper(word).rfind("SHIFT+", 0) == 0;
    if (shift) word = word.substr(6);
    if (word.empty() || word.size() > 3 || !std::all_of(word.begin(), word.end(), ::isdigit))
      throw ScriptError("not a key code: " + word);
    PhysicalKey(static_cast<uint32_t>(std::stoi(word)), shift);
  } else if (command == "kanalock") {
    const bool on = OnOff(r.PlainWord("on or off"));
    r.End();
    keys.SetKanaLock(on);
  } else if (command == "resize") {
    const int w = r.Number("width"), h = r.Number("height");
    r.End();
    RequireStarted(command);
    if (w < 1 || h < 1 || w > 16384 || h > 16384) throw ScriptError("resize needs a size from 1 to 16384");
    game_->Form().resize(w, h);
    QCoreApplication::processEvents();
  } else if (command == "maximize" || command == "restore") {
    r.End();
    RequireStarted(command);
    if (command == "maximize")
      game_->Form().Maximize();
    else
      game_->Form().Restore();
    QCoreApplication::processEvents();
  } else if (command == "dump") {
    const std::string file = r.PlainWord("file");
    r.End();
    RequireStarted(command);
    WriteDump(file, Snapshot(*game_, platform_) + "\n", out_);
  } else if (command == "shot") {
    const std::string file = r.PlainWord("file");
    r.End();
    RequireStarted(command);
    // With the statistics window shown, the picture is of that window.
    QImage image = StatsShot(game_->Form());
    if (image.isNull()) image = game_->Form().grab().toImage();
    if (modal_ && modal_->isVisible()) {
      QPainter p(&image);
      const QImage dialog = modal_->grab().toImage();
      p.drawImage((image.width() - dialog.width()) / 2, (image.height() - dialog.height()) / 2, dialog);
    }
    if (!image.save(QString::fromStdString(file), "PNG")) throw ScriptError("cannot write " + file);
  } else if (command == "expect") {
    RequireStarted(command);
    const std::string what = r.PlainWord("what to expect");
    if (what == "visible" || what == "hidden") {
      const std::string name = r.PlainWord("control name");
      r.End();
      const bool visible = FindControl(name)->Visible();
      if (visible != (what == "visible")) ExpectFailed(name + (visible ? " visible" : " hidden"), name + " " + what);
    } else if (what == "caption") {
      const std::string name = r.PlainWord("control name");
      const Text text = r.Rest("caption");
      ui::Control* c = FindControl(name);
      auto* field = dynamic_cast<ui::TextField*>(c);
      const std::string caption = field ? field->TextUtf8() : c->Caption();
      if (caption != text.utf8) ExpectFailed(Quote(caption), Quote(text.utf8));
    } else if (what == "state") {
      const std::string field = r.PlainWord("field");
      const Text value = r.Rest("value");
      const auto actual = StateFieldText(game_->Form().State(), field);
      if (!actual) throw ScriptError("no state field named " + field);
      if (*actual != value.utf8) ExpectFailed(field + " = " + *actual, field + " = " + value.utf8);
    } else if (what == "romaji") {
      const std::string field = r.PlainWord("field");
      const Text value = r.Rest("value");
      const auto actual = RomajiFieldText(game_->Form(), field);
      if (!actual) throw ScriptError("the romaji screen is not shown or has no field " + field);
      if (*actual != value.utf8) ExpectFailed(field + " = " + *actual, field + " = " + value.utf8);
    } else {
      throw ScriptError("expect takes visible, hidden, caption, state or romaji");
    }
  } else if (command == "stats") {
    RequireStarted(command);
    StatsCommand(game_->Form(), r, out_);
  } else if (command == "close") {
    r.End();
    RequireStarted(command);
    game_->Form().close();
  } else {
    throw ScriptError("unknown command: " + command);
  }
}

}  // namespace drive
