#include <gtest/gtest.h>

#include "DriverFixture.h"
#include "platform/Cp932.h"
#include "platform/Keyboard.h"
#include "ui/DesignScreens.h"

namespace {

uint8_t Byte(const char* utf8) { return static_cast<uint8_t>(plat::cp932::FromUtf8(utf8).value().at(0)); }

struct KeyCapsTest : DriverFixture {
  void SetUp() override {
    DriverFixture::SetUp();
    Run("start\nwait 50\n");
    ShowScreen(C().F1Panel);
  }
  drill::KeyCaps& Caps() { return Form().Caps(); }
  std::vector<ui::Panel*> AllCaps() {
    std::vector<ui::Panel*> caps;
    for (const auto& place : ui::design::kKeyCaps)
      caps.push_back(dynamic_cast<ui::Panel*>(Form().Controls().Find(place.drillName)));
    return caps;
  }
  // Every cap in its unmarked colours: caption white (SHIFT silver), background black.
  void ExpectUnmarked(const std::string& after) {
    for (ui::Panel* cap : AllCaps()) {
      const bool shift = cap == C().P_SFT || cap == C().P_SFTR;
      EXPECT_EQ(cap->FontColor(), shift ? ui::clr::Silver : ui::clr::White) << cap->Name() << " after " << after;
      EXPECT_EQ(cap->BackColor(), ui::clr::Black) << cap->Name() << " after " << after;
    }
  }
};

TEST_F(KeyCapsTest, ShiftedCharactersMarkTheirCapAndTheOtherHandsShift) {
  Caps().ClearKeyCapColours();
  Caps().ResetKeyCapFonts();
  Caps().MarkKey('#');
  EXPECT_EQ(C().P_3->FontColor(), ui::clr::Blue);
  EXPECT_EQ(C().P_SFTR->FontColor(), ui::clr::Blue);
  EXPECT_EQ(C().P_SFT->FontColor(), ui::clr::Silver);
  Caps().UnmarkKey('#');
  ExpectUnmarked("#");

  for (uint8_t letter : {'A', 'a'}) {
    Caps().MarkKey(letter);
    EXPECT_EQ(C().P_A->FontColor(), ui::clr::Lime);
    EXPECT_EQ(C().P_SFT->FontColor(), ui::clr::Silver);
    EXPECT_EQ(C().P_SFTR->FontColor(), ui::clr::Silver);
    Caps().UnmarkKey(letter);
  }

  Caps().MarkKey('_');
  EXPECT_EQ(C().P_AB->FontColor(), ui::clr::Blue);
  EXPECT_EQ(C().P_SFT->FontColor(), ui::clr::Blue);
  EXPECT_EQ(C().P_SFTR->FontColor(), ui::clr::Silver);
  Caps().UnmarkKey('_');
  Caps().MarkKey(Byte("ﾛ"));
  EXPECT_EQ(C().P_AB->FontColor(), ui::clr::Lime);
  EXPECT_EQ(C().P_SFT->FontColor(), ui::clr::Silver);
  Caps().UnmarkKey(Byte("ﾛ"));
  ExpectUnmarked("ﾛ");

  // Reversed marks colour backgrounds: red for a plain key, blue for a shifted one.
  Caps().MarkKeyReverse('k');
  EXPECT_EQ(C().P_K->BackColor(), ui::clr::Red);
  EXPECT_EQ(C().P_K->FontColor(), ui::clr::White);
  Caps().UnmarkKeyReverse('k');
  Caps().MarkKeyReverse(Byte("ｯ"));
  EXPECT_EQ(C().P_Z->BackColor(), ui::clr::Blue);
  EXPECT_EQ(C().P_SFTR->BackColor(), ui::clr::Blue);
  Caps().UnmarkKeyReverse(Byte("ｯ"));
  ExpectUnmarked("reverse marks");
}

TEST_F(KeyCapsTest, EveryPrintableCharacterAndHalfWidthKanaHasACapAndNothingElseHas) {
  const std::string right = plat::cp932::FromUtf8("!\"#$%ｧｩｪｨｯ").value();
  for (int b = 0; b < 256; ++b) {
    const auto ch = static_cast<uint8_t>(b);
    const auto caps = Caps().KeyCapMap(ch);
    const bool typed = (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
    EXPECT_EQ(caps.key != nullptr, typed) << b;
    EXPECT_NE(caps.key, C().P_SFT) << b;
    EXPECT_NE(caps.key, C().P_SFTR) << b;
    if (right.find(static_cast<char>(ch)) != std::string::npos)
      EXPECT_EQ(caps.shift, C().P_SFTR) << b;
    else
      EXPECT_TRUE(caps.shift == nullptr || caps.shift == C().P_SFT) << b;
    if (b >= 'a' && b <= 'z') {
      EXPECT_EQ(caps.key, Caps().KeyCapMap(static_cast<uint8_t>(b - 32)).key) << b;
      EXPECT_EQ(caps.shift, nullptr) << b;
    }
    // Marking and unmarking any byte leaves the keyboard as it was.
    Caps().MarkKey(ch);
    Caps().UnmarkKey(ch);
    Caps().MarkKeyReverse(ch);
    Caps().UnmarkKeyReverse(ch);
  }
  ExpectUnmarked("every byte");

  struct Case {
    const char* ch;
    ui::Panel* key;
    ui::Panel* shift;
  };
  const Case cases[] = {{"ｦ", C().P_0, C().P_SFT},  {"=", C().P_MS, C().P_SFT}, {"ｰ", C().P_EN, nullptr},
                        {"|", C().P_EN, C().P_SFT}, {"`", C().P_AD, C().P_SFT}, {"ﾞ", C().P_AD, nullptr},
                        {" ", C().P_SPC, nullptr},  {"ｨ", C().P_E, C().P_SFTR}, {"1", C().P_1, nullptr}};
  for (const Case& c : cases) {
    const auto caps = Caps().KeyCapMap(Byte(c.ch));
    EXPECT_EQ(caps.key, c.key) << c.ch;
    EXPECT_EQ(caps.shift, c.shift) << c.ch;
  }
}

TEST_F(KeyCapsTest, CaptionsNameTheCharactersTheirCapTypes) {
  // Every character on a cap's Latin or kana caption marks that cap ("&&" shows one '&').
  auto check = [&](const char* set) {
    for (ui::Panel* cap : AllCaps()) {
      if (cap == C().P_SPC || cap == C().P_SFT || cap == C().P_SFTR) continue;
      std::string text = plat::cp932::FromUtf8(cap->Caption()).value();
      if (text == "6&&") text = "6&";
      for (char ch : text) EXPECT_EQ(Caps().KeyCapMap(static_cast<uint8_t>(ch)).key, cap) << set << " " << cap->Name();
    }
  };
  Caps().ShowKanaCaps();
  EXPECT_EQ(C().P_3->Caption(), "ｱｧ");
  EXPECT_EQ(C().P_1->Caption(), "ﾇ");
  EXPECT_EQ(C().P_RS->Caption(), "ﾟ｢");
  EXPECT_EQ(C().P_SPC->Caption(), "ｽ ﾍﾟ ｰ ｽ");
  EXPECT_EQ(C().P_SFT->Caption(), "ｼ ﾌ ﾄ");
  EXPECT_EQ(C().P_SFTR->Caption(), "ｼ ﾌ ﾄ");
  check("kana");
  Caps().ShowLatinCaps();
  EXPECT_EQ(C().P_6->Caption(), "6&&");
  EXPECT_EQ(C().P_2->Caption(), "2\"");
  EXPECT_EQ(C().P_AD->Caption(), "@`");
  EXPECT_EQ(C().P_EN->Caption(), "\\|");
  EXPECT_EQ(C().P_SPC->Caption(), "S P A C E");
  EXPECT_EQ(C().P_SFTR->Caption(), "SHIFT");
  check("Latin");
}

// The keyboard picture and the keyboard agree: the cap a character marks is the cap of the key
// the window types it with (the backslash the yen key's), and a character no key types marks
// no cap.
TEST(KeyCapRowsTest, EveryCharacterMarksTheCapOfTheKeyThatTypesIt) {
  for (int b = 0; b < 256; ++b) {
    const auto ch = static_cast<uint8_t>(b);
    const auto stroke = plat::StrokeForChar(ch);
    const plat::JisKey* key = stroke ? plat::FindJisKey(stroke->vk) : nullptr;
    EXPECT_EQ(drill::KeyCaps::CapRowOf(ch), key ? key - plat::kJisKeys.data() : -1) << "byte " << b;
  }
  EXPECT_EQ(drill::KeyCaps::CapRowOf('\\'), drill::KeyCaps::CapRowOf(Byte("ｰ")));
}

TEST_F(KeyCapsTest, ClearAndResetReachEveryTaggedCapOfTheDrillKeyboardOnly) {
  for (ui::Panel* cap : AllCaps()) {
    cap->SetColor(ui::clr::Red);
    cap->SetFontColor(ui::clr::Blue);
  }
  C().FLP_A->SetColor(ui::clr::Red);  // the lesson keyboard has caps of its own
  Caps().ClearKeyCapColours();
  Caps().ResetKeyCapFonts();
  ExpectUnmarked("clear and reset");
  EXPECT_EQ(C().FLP_A->BackColor(), ui::clr::Red);
}

}  // namespace
