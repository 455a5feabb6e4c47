#include <QKeyEvent>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "game/DrillJudge.h"
#include "platform/KeyCodes.h"
#include "platform/Keyboard.h"
#include "platform/XkbLayout.h"

namespace {

using plat::KeyMap;

// Keeps the characters the window receives.
struct CharSink : plat::KeySink {
  std::vector<uint8_t> chars;
  bool wantsKana = true;
  bool WantsKana() const override { return wantsKana; }
  void OnKeyDown(uint16_t, plat::ShiftState) override {}
  void OnKeyChar(uint8_t ch) override { chars.push_back(ch); }
  void OnKeyUp(uint16_t, plat::ShiftState) override {}
};

// A press of X11 key code `code` as the X server reports it on a keyboard of `map`: the
// character that keyboard's own layout types there (the jp layout's Shift+0 is '~').
void PressKeyCode(plat::Keyboard& keys, KeyMap map, uint32_t code, bool shift) {
  const uint16_t vk = plat::VkForKeyCode(code, map);
  uint8_t ch = 0;
  if (map == KeyMap::Us) {
    ch = plat::UsChar(code, shift);
  } else if (const plat::JisKey* key = plat::FindJisKey(vk)) {
    ch = vk == '0' && shift ? '~' : shift ? key->shifted : key->plain;
  }
  const auto mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
  const QString text = ch ? QString(QChar(ch)) : QString();
  keys.Translate(QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, mods, code, 0, 0, text));
  keys.Translate(QKeyEvent(QEvent::KeyRelease, Qt::Key_unknown, mods, code, 0, 0, text));
}

// The kana the drill judges for one press of the key that the on-screen keyboard marks for
// `kana`: the window's character, or the stand-in the key-down gives a JIS keyboard for
// Shift+0 and for the ro key.
uint8_t KanaTyped(KeyMap map, bool lock, uint8_t kana) {
  const auto stroke = plat::StrokeForChar(kana);
  EXPECT_TRUE(stroke && stroke->kana) << int(kana);
  if (!stroke) return 0;
  plat::Keyboard keys;
  CharSink sink;
  keys.SetSink(&sink);
  keys.SetMap(map);
  keys.SetKanaLock(lock);
  const uint32_t code = plat::KeyCodeForVk(stroke->vk, map);
  EXPECT_NE(code, 0u) << int(kana);
  keys.SetShift(stroke->shift);
  PressKeyCode(keys, map, code, stroke->shift);
  keys.SetShift(stroke->shift);  // the drill reads Shift while the key is down
  if (lock) return sink.chars.size() == 1 ? sink.chars[0] : 0;
  uint8_t ch = 0;
  if (stroke->vk == plat::vk::Oem102) {
    ch = '_';
  } else if (sink.chars.empty() && map == KeyMap::Jis && stroke->vk == '0' && stroke->shift) {
    ch = '0';
  } else if (sink.chars.size() == 1) {
    ch = keys.KanaKeyChar(sink.chars[0]);
  }
  return game::MapKanaKey(ch, stroke->shift);
}

TEST(KeyCodesTest, EveryKanaOfTheLayoutIsTypedByItsKeyOnBothKeyboardsWithAndWithoutTheLock) {
  for (KeyMap map : {KeyMap::Jis, KeyMap::Us}) {
    for (bool lock : {false, true}) {
      for (int k = 0xA1; k <= 0xDF; ++k) {
        EXPECT_EQ(KanaTyped(map, lock, static_cast<uint8_t>(k)), k)
            << plat::KeyMapName(map) << (lock ? " lock on" : " lock off") << " kana " << k;
      }
    }
  }
}

TEST(KeyCodesTest, LatinCharactersStayWhatTheKeyboardTypes) {
  // A US keyboard types its own characters; only kana go by the key's place.
  plat::Keyboard keys;
  CharSink sink;
  keys.SetSink(&sink);
  keys.SetMap(KeyMap::Us);
  PressKeyCode(keys, KeyMap::Us, 11, true);   // Shift+2: '@' on a US keyboard
  PressKeyCode(keys, KeyMap::Us, 48, false);  // the ' key, where JIS has ':'
  PressKeyCode(keys, KeyMap::Us, 19, true);   // Shift+0 types ')' there
  PressKeyCode(keys, KeyMap::Us, 49, false);  // the ` key, the yen key's stand-in
  EXPECT_EQ(sink.chars, (std::vector<uint8_t>{'@', '\'', ')', '`'}));
  // The kana of those keys are the JIS kana of the place: ﾌ, ｹ, ｦ, ｰ.
  EXPECT_EQ(keys.KanaKeyChar('`'), '\\');
  EXPECT_EQ(keys.KanaKeyChar('x'), 'x');  // a character from no key stays as it is
  // The ` key and the right Alt key type nothing special on a JIS keyboard.
  EXPECT_EQ(plat::VkForKeyCode(plat::keycode::Grave, KeyMap::Jis), 0);
  EXPECT_EQ(plat::VkForKeyCode(plat::keycode::RightAlt, KeyMap::Jis), 0);
  EXPECT_EQ(plat::VkForKeyCode(plat::keycode::RightAlt, KeyMap::Us), plat::vk::Oem102);
  // The JIS yen and ro keys keep their places on either map.
  EXPECT_EQ(plat::VkForKeyCode(plat::keycode::Ro, KeyMap::Us), plat::vk::Oem102);
  EXPECT_EQ(plat::VkForKeyCode(plat::keycode::Yen, KeyMap::Us), plat::vk::Oem5);
}

TEST(KeyCodesTest, ShiftZeroTypesWoWithTheLockOnAJisKeyboard) {
  plat::Keyboard keys;
  CharSink sink;
  keys.SetSink(&sink);
  PressKeyCode(keys, KeyMap::Jis, 19, true);  // lock off: nothing (the key-down stands in)
  keys.SetKanaLock(true);
  PressKeyCode(keys, KeyMap::Jis, 19, true);  // lock on: ｦ
  EXPECT_EQ(sink.chars, (std::vector<uint8_t>{0xA6}));
}

TEST(KeyCodesTest, AWindowThatWantsNoKanaGetsTheKeyPressedWhateverTheLock) {
  for (KeyMap map : {KeyMap::Jis, KeyMap::Us}) {
    plat::Keyboard keys;
    CharSink sink;
    sink.wantsKana = false;
    keys.SetSink(&sink);
    keys.SetMap(map);
    keys.SetKanaLock(true);
    PressKeyCode(keys, map, 10, false);  // 1 (ﾇ)
    PressKeyCode(keys, map, 27, false);  // R (ｽ)
    PressKeyCode(keys, map, 27, true);
    EXPECT_EQ(sink.chars, (std::vector<uint8_t>{'1', 'r', 'R'})) << plat::KeyMapName(map);
    sink.wantsKana = true;
    PressKeyCode(keys, map, 27, false);
    EXPECT_EQ(sink.chars.back(), 0xBD);
  }
}

TEST(KeyCodesTest, TheXLayoutNamesTheKeyboard) {
  EXPECT_EQ(plat::KeyMapOfLayouts("jp"), KeyMap::Jis);
  EXPECT_EQ(plat::KeyMapOfLayouts("jp(kana),us"), KeyMap::Jis);
  EXPECT_EQ(plat::KeyMapOfLayouts("us"), KeyMap::Us);
  EXPECT_EQ(plat::KeyMapOfLayouts("us,jp"), KeyMap::Us);  // the first layout is the one in use
  EXPECT_EQ(plat::KeyMapOfLayouts("de"), KeyMap::Us);
  using namespace std::string_literals;
  EXPECT_EQ(plat::LayoutsOfRulesNames("evdev\0pc105\0jp\0\0\0"s), "jp");
  EXPECT_EQ(plat::LayoutsOfRulesNames("evdev\0pc105\0us,jp\0,\0grp:alt_shift_toggle\0"s), "us,jp");
  EXPECT_EQ(plat::LayoutsOfRulesNames("evdev\0pc105\0\0\0\0"s), std::nullopt);  // no layout: unreadable
  EXPECT_EQ(plat::LayoutsOfRulesNames("evdev"s), std::nullopt);
  EXPECT_EQ(plat::KeyMapNamed("us"), KeyMap::Us);
  EXPECT_EQ(plat::KeyMapNamed("JIS"), std::nullopt);
}

TEST(KeyCodesTest, ThePlayersWordOutweighsTheKeymapWhichIsAskedOnlyWithoutIt) {
  using plat::KeyboardChoice;
  using plat::KeyMapSource;
  int asked = 0;
  auto keymap = [&asked](std::optional<KeyMap> says) {
    return [&asked, says] {
      ++asked;
      return says;
    };
  };
  EXPECT_EQ(plat::ChooseKeyMap(KeyMap::Us, KeyMap::Jis, keymap(KeyMap::Jis)),
            (KeyboardChoice{KeyMap::Us, KeyMapSource::CommandLine}));
  EXPECT_EQ(plat::ChooseKeyMap(std::nullopt, KeyMap::Us, keymap(KeyMap::Jis)),
            (KeyboardChoice{KeyMap::Us, KeyMapSource::Setting}));
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(plat::ChooseKeyMap(std::nullopt, std::nullopt, keymap(KeyMap::Us)),
            (KeyboardChoice{KeyMap::Us, KeyMapSource::Detected}));
  EXPECT_EQ(plat::ChooseKeyMap(std::nullopt, std::nullopt, keymap(std::nullopt)),
            (KeyboardChoice{KeyMap::Jis, KeyMapSource::Undetected}));
  EXPECT_EQ(asked, 2);
}

}  // namespace
