#pragma once
// The keyboard as the game sees it: a Japanese (JIS) keyboard under Windows. Every
// keystroke reaches the window as three events: key down (virtual-key number and shift
// state), the character it types (one CP932 byte, if any) and key up. The kana key
// toggles the kana lock; while it is on, character keys type the half-width katakana of
// the JIS kana layout on the screens that want kana.
#include <cstdint>
#include <optional>

#include "platform/JisLayout.h"
#include "platform/KeyCodes.h"

class QKeyEvent;

namespace plat {

// Shift state carried by key-down and key-up events.
struct ShiftState {
  bool shift = false, ctrl = false, alt = false;
};

// The character events of the keys that type control characters.
namespace ch {
constexpr uint8_t Backspace = 8, Tab = 9, Enter = 13, Escape = 27, Space = ' ';
}  // namespace ch

// Receives the three window events.
class KeySink {
 public:
  virtual ~KeySink() = default;
  virtual void OnKeyDown(uint16_t vk, ShiftState shift) = 0;
  virtual void OnKeyChar(uint8_t ch) = 0;
  virtual void OnKeyUp(uint16_t vk, ShiftState shift) = 0;
  // The kana lock was switched (by the kana key or by the game's own setting).
  virtual void OnKanaLock(bool /*on*/) {}
  // Whether keys should type kana while the lock is on: screens where text is typed say
  // yes; a screen of commands says no and gets the key as with the lock off.
  virtual bool WantsKana() const { return true; }
};

// The key of the JIS table with virtual-key number `vk`; null for keys that type no character.
const JisKey* FindJisKey(uint16_t vk);

// The key, Shift and kana lock that type byte `ch`; nullopt when no key types it.
struct Stroke {
  uint16_t vk;
  bool shift;
  bool kana;
};
std::optional<Stroke> StrokeForChar(uint8_t ch);

class Keyboard {
 public:
  void SetSink(KeySink* sink) { sink_ = sink; }
  KeySink* Sink() const { return sink_; }

  bool ShiftDown() const { return shift_; }
  bool CtrlDown() const { return ctrl_; }
  bool AltDown() const { return alt_; }
  bool KanaLock() const { return kanaLock_; }
  // The lock is on and the window wants kana now.
  bool KanaActive() const { return kanaLock_ && (!sink_ || sink_->WantsKana()); }
  void SetKanaLock(bool on);
  // Which keyboard the player has: JIS (the default) or US.
  KeyMap Map() const { return map_; }
  void SetMap(KeyMap map) { map_ = map; }
  void SetShift(bool down) { shift_ = down; }
  ShiftState State() const { return {shift_, ctrl_, alt_}; }

  // The character key `vk` types in the current shift and lock state (0 = none).
  uint8_t CharFor(uint16_t vk) const;
  // The character the JIS layout types, without the kana lock and in the current shift
  // state, on the key that typed `ch`: kana are judged by where the key is, whatever the
  // keyboard's own layout makes of it. A character that came from no key (a key-down's
  // stand-in, an input method) is returned as it is.
  uint8_t KanaKeyChar(uint8_t ch) const;

  // A key goes down: the key-down event, then its character. Modifier keys update the
  // shift state, the kana key toggles the lock. A repeat sends both again.
  void Press(uint16_t vk);
  // Only the key-down event (modifier keys still change the shift state).
  void DownOnly(uint16_t vk) { Down(vk, 0); }
  // A key comes up: the key-up event.
  void Release(uint16_t vk);
  // Only the character event (a byte typed without a key, as an input method does).
  void Char(uint8_t ch);
  // The synthetic key press that clicks use for Esc and Return: down, character, up.
  void Inject(uint16_t vk);

  // A Qt key event of the real window, its key known by its X11 key code on the keyboard
  // map. Returns false for keys the game does not know, which then go their normal way.
  bool Translate(const QKeyEvent& event);

 private:
  void Down(uint16_t vk, uint8_t ch);
  KeySink* sink_ = nullptr;
  bool shift_ = false, ctrl_ = false, alt_ = false, kanaLock_ = false;
  KeyMap map_ = KeyMap::Jis;
  // The last key that went down and the character it typed.
  uint16_t lastVk_ = 0;
  uint8_t lastChar_ = 0;
};

}  // namespace plat
