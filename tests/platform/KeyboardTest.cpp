#include <QKeyEvent>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/Keyboard.h"
#include "platform/Random.h"

namespace {

// Records the three window events as text: "D48+" (down, Shift held), "C95", "U48".
struct Recorder : plat::KeySink {
  std::vector<std::string> events;
  void OnKeyDown(uint16_t vk, plat::ShiftState s) override {
    events.push_back("D" + std::to_string(vk) + (s.shift ? "+" : ""));
  }
  void OnKeyChar(uint8_t ch) override { events.push_back("C" + std::to_string(ch)); }
  void OnKeyUp(uint16_t vk, plat::ShiftState s) override {
    events.push_back("U" + std::to_string(vk) + (s.shift ? "+" : ""));
  }
};

using Events = std::vector<std::string>;

struct KeyboardTest : ::testing::Test {
  Recorder rec;
  plat::Keyboard keys;
  void SetUp() override { keys.SetSink(&rec); }
  void Stroke(uint16_t vk) {
    keys.Press(vk);
    keys.Release(vk);
  }
  // A Qt key event as the X server sends it for a JIS keyboard.
  void Qt(QEvent::Type type, int key, Qt::KeyboardModifiers mods, const QString& text, quint32 scan,
          bool repeat = false) {
    QKeyEvent e(type, key, mods, scan, 0, 0, text, repeat);
    keys.Translate(e);
  }
};

TEST_F(KeyboardTest, ShiftZeroIsAKeyDownWithoutCharacter) {
  keys.DownOnly(plat::vk::Shift);
  Stroke('0');
  keys.Release(plat::vk::Shift);
  EXPECT_EQ(rec.events, (Events{"D16+", "D48+", "U48+", "U16"}));
}

TEST_F(KeyboardTest, RoKeyIsKey226ThenBackslashOrUnderscore) {
  Stroke(plat::vk::Oem102);
  keys.DownOnly(plat::vk::Shift);
  Stroke(plat::vk::Oem102);
  EXPECT_EQ(rec.events, (Events{"D226", "C92", "U226", "D16+", "D226+", "C95", "U226+"}));
}

TEST_F(KeyboardTest, ControlKeysArriveAsKeyDownsAndCharacters) {
  for (uint16_t vk : {plat::vk::Escape, plat::vk::Return, plat::vk::Back, plat::vk::Tab}) Stroke(vk);
  EXPECT_EQ(rec.events, (Events{"D27", "C27", "U27", "D13", "C13", "U13", "D8", "C8", "U8", "D9", "C9", "U9"}));
  rec.events.clear();
  Stroke(plat::vk::F10);  // a key without a character
  EXPECT_EQ(rec.events, (Events{"D121", "U121"}));
}

TEST_F(KeyboardTest, KanaLockTypesTheJisKanaLayout) {
  Stroke(plat::vk::Kana);
  EXPECT_TRUE(keys.KanaLock());
  Stroke('3');  // ｱ
  keys.DownOnly(plat::vk::Shift);
  Stroke('3');  // ｧ
  Stroke('0');  // ｦ
  keys.Release(plat::vk::Shift);
  Stroke(plat::vk::Oem102);  // ﾛ
  Stroke(plat::vk::Space);
  EXPECT_EQ(rec.events, (Events{"D21", "U21", "D51", "C177", "U51", "D16+", "D51+", "C167", "U51+", "D48+", "C166",
                                "U48+", "U16", "D226", "C219", "U226", "D32", "C32", "U32"}));
  Stroke(plat::vk::Kana);
  EXPECT_FALSE(keys.KanaLock());
}

TEST_F(KeyboardTest, EveryTypableByteHasAKeyThatTypesItBack) {
  for (int b = 1; b < 256; ++b) {
    const auto stroke = plat::StrokeForChar(static_cast<uint8_t>(b));
    if (!stroke) continue;
    keys.SetKanaLock(stroke->kana);
    keys.SetShift(stroke->shift);
    EXPECT_EQ(keys.CharFor(stroke->vk), b) << "byte " << b;
  }
  // Everything a JIS keyboard types in either state is reachable.
  for (int b = 0x20; b < 0x7F; ++b) EXPECT_TRUE(plat::StrokeForChar(static_cast<uint8_t>(b))) << b;
  for (int b = 0xA1; b <= 0xDF; ++b) EXPECT_TRUE(plat::StrokeForChar(static_cast<uint8_t>(b))) << b;
  EXPECT_EQ(plat::StrokeForChar('\\')->vk, plat::vk::Oem5);  // the yen key, not the ro key
}

TEST_F(KeyboardTest, QtEventsOfAJisKeyboardBecomeWindowsKeys) {
  // The ro key (X key code 97) with Shift types '_' on key 226; without Shift '\'.
  Qt(QEvent::KeyPress, Qt::Key_Underscore, Qt::ShiftModifier, "_", 97);
  Qt(QEvent::KeyRelease, Qt::Key_Underscore, Qt::ShiftModifier, "_", 97);
  Qt(QEvent::KeyPress, Qt::Key_Backslash, Qt::NoModifier, "\\", 97);
  // The yen key types '\' on key 220.
  Qt(QEvent::KeyPress, Qt::Key_Backslash, Qt::NoModifier, "\\", 132);
  // Shift+0 types nothing, whatever the layout makes of it.
  Qt(QEvent::KeyPress, Qt::Key_AsciiTilde, Qt::ShiftModifier, "~", 19);
  // Tab, and a held key's repeats come without key-ups.
  Qt(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t", 23);
  Qt(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a", 38, true);
  Qt(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a", 38, true);
  EXPECT_EQ(rec.events,
            (Events{"D226+", "C95", "U226+", "D226", "C92", "D220", "C92", "D48+", "D9", "C9", "D65", "C97"}));
}

TEST_F(KeyboardTest, KanaKeyOfQtTogglesTheLock) {
  Qt(QEvent::KeyPress, Qt::Key_Hiragana_Katakana, Qt::NoModifier, "", 101);
  Qt(QEvent::KeyRelease, Qt::Key_Hiragana_Katakana, Qt::NoModifier, "", 101);
  Qt(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q", 24);
  EXPECT_EQ(rec.events, (Events{"D21", "U21", "D81", "C192"}));  // ﾀ
}

TEST(GameRandomTest, FollowsTheGamesGenerator) {
  plat::GameRandom r;
  r.Seed(1);
  std::vector<int> out;
  for (int i = 0; i < 5; ++i) out.push_back(r.Next());
  EXPECT_EQ(out, (std::vector<int>{346, 130, 10982, 1090, 11656}));
  r.Seed(12345);
  EXPECT_EQ(r.Next(), 15301);
  EXPECT_EQ(r.Below(26), 24996 % 26);
  r.Seed(0xFFFFFFFFu);  // the state wraps at 32 bits
  r.Next();
  EXPECT_EQ(r.State(), 0xFFFFFFFFu * 22695477u + 1u);
}

}  // namespace
