#include "platform/Keyboard.h"

#include <QKeyEvent>
#include <array>

namespace plat {
namespace {

// Keys that are not character keys, by Qt key.
uint16_t VkFromQtKey(int key) {
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return static_cast<uint16_t>(vk::F1 + (key - Qt::Key_F1));
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint16_t>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint16_t>('0' + (key - Qt::Key_0));
  switch (key) {
    case Qt::Key_Escape: return vk::Escape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Return;
    case Qt::Key_Backspace: return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vk::Tab;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_Shift: return vk::Shift;
    case Qt::Key_Control: return vk::Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return vk::Menu;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Home: return vk::Home;
    case Qt::Key_End: return vk::End;
    case Qt::Key_PageUp: return vk::PageUp;
    case Qt::Key_PageDown: return vk::PageDown;
    case Qt::Key_Insert: return vk::Insert;
    case Qt::Key_Delete: return vk::Delete;
    case Qt::Key_Hiragana_Katakana:
    case Qt::Key_Kana_Lock:
    case Qt::Key_Kana_Shift:
    case Qt::Key_Katakana:
    case Qt::Key_Hiragana: return vk::Kana;
    default: return 0;
  }
}

}  // namespace

const JisKey* FindJisKey(uint16_t code) {
  for (const auto& k : kJisKeys)
    if (k.vk == code) return &k;
  return nullptr;
}

std::optional<Stroke> StrokeForChar(uint8_t ch) {
  switch (ch) {
    case 27: return Stroke{vk::Escape, false, false};
    case 13: return Stroke{vk::Return, false, false};
    case 8: return Stroke{vk::Back, false, false};
    case 9: return Stroke{vk::Tab, false, false};
    default: break;
  }
  if (ch == 0) return std::nullopt;
  // Latin first (the yen key before the ro key for the backslash), then kana.
  for (const auto& k : kJisKeys) {
    if (k.plain == ch) return Stroke{k.vk, false, false};
    if (k.shifted == ch) return Stroke{k.vk, true, false};
  }
  for (const auto& k : kJisKeys) {
    if (k.kana == ch) return Stroke{k.vk, false, true};
    if (k.kanaShifted == ch) return Stroke{k.vk, true, true};
  }
  return std::nullopt;
}

void Keyboard::SetKanaLock(bool on) {
  const bool changed = on != kanaLock_;
  kanaLock_ = on;
  if (changed && sink_) sink_->OnKanaLock(on);
}

uint8_t Keyboard::KanaKeyChar(uint8_t ch) const {
  if (lastVk_ == 0 || ch != lastChar_) return ch;
  const JisKey* key = FindJisKey(lastVk_);
  if (!key) return ch;
  // Shift+0 types nothing on a JIS keyboard; on the kana layout the key is still the 0 key.
  return shift_ && key->shifted ? key->shifted : key->plain;
}

uint8_t Keyboard::CharFor(uint16_t code) const {
  switch (code) {
    case vk::Back:
    case vk::Tab:
    case vk::Return:
    case vk::Escape: return static_cast<uint8_t>(code);
    default: break;
  }
  if (alt_) return 0;  // Alt combinations are system keys, not characters
  const JisKey* key = FindJisKey(code);
  if (!key) return 0;
  if (ctrl_) return (code >= 'A' && code <= 'Z') ? static_cast<uint8_t>(code - 'A' + 1) : 0;
  if (key->kana && KanaActive()) return shift_ ? key->kanaShifted : key->kana;
  return shift_ ? key->shifted : key->plain;
}

void Keyboard::Down(uint16_t code, uint8_t ch) {
  switch (code) {
    case vk::Shift: shift_ = true; break;
    case vk::Control: ctrl_ = true; break;
    case vk::Menu: alt_ = true; break;
    case vk::Kana: SetKanaLock(!kanaLock_); break;
    default: break;
  }
  lastVk_ = code;
  lastChar_ = ch;
  if (!sink_) return;
  sink_->OnKeyDown(code, State());
  if (ch != 0) sink_->OnKeyChar(ch);
}

void Keyboard::Press(uint16_t code) { Down(code, CharFor(code)); }

void Keyboard::Release(uint16_t code) {
  switch (code) {
    case vk::Shift: shift_ = false; break;
    case vk::Control: ctrl_ = false; break;
    case vk::Menu: alt_ = false; break;
    default: break;
  }
  if (sink_) sink_->OnKeyUp(code, State());
}

void Keyboard::Char(uint8_t ch) {
  lastVk_ = 0;
  if (sink_) sink_->OnKeyChar(ch);
}

void Keyboard::Inject(uint16_t code) {
  Press(code);
  Release(code);
}

bool Keyboard::Translate(const QKeyEvent& event) {
  const bool press = event.type() == QEvent::KeyPress;
  const Qt::KeyboardModifiers mods = event.modifiers();
  shift_ = mods.testFlag(Qt::ShiftModifier);
  ctrl_ = mods.testFlag(Qt::ControlModifier);
  alt_ = mods.testFlag(Qt::AltModifier);

  // A character key is known by its place; other keys by what the layout calls them.
  uint16_t code = VkForKeyCode(event.nativeScanCode(), map_);
  const bool byPlace = code != 0;
  if (!byPlace) code = VkFromQtKey(event.key());
  // The right Alt key stands for the ro key on a US keyboard: no Alt then.
  if (byPlace && code == vk::Oem102) alt_ = false;
  const QString text = event.text();
  const bool asciiText = text.size() == 1 && text.at(0).unicode() < 0x80;
  if (code == 0 && asciiText) {
    if (auto stroke = StrokeForChar(static_cast<uint8_t>(text.at(0).unicode()))) code = stroke->vk;
  }
  // Underscore is typed only by the ro key on a JIS keyboard.
  if (event.key() == Qt::Key_Underscore && event.nativeScanCode() == 0) code = vk::Oem102;
  if (code == 0) return false;

  if (!press) {
    // Windows sends no key-up between the repeats of a held key.
    if (!event.isAutoRepeat()) Release(code);
    return true;
  }
  uint8_t ch = 0;
  if (FindJisKey(code) && !ctrl_ && !alt_ && KanaActive()) {
    ch = CharFor(code);  // the kana of the key's place, Shift+0 (ｦ) included
  } else if (code == '0' && shift_ && map_ == KeyMap::Jis) {
    ch = 0;  // Shift+0 types nothing on a JIS keyboard, whatever the layout makes of it
  } else if (code == vk::Oem102 || !asciiText || alt_) {
    ch = CharFor(code);
  } else {
    ch = static_cast<uint8_t>(text.at(0).unicode());
  }
  Down(code, ch);
  return true;
}

}  // namespace plat
