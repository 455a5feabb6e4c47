#include <gtest/gtest.h>

#include "DriverFixture.h"

namespace {

struct KanaLampTest : DriverFixture {
  bool DrillLamp() { return C().F1L26->Visible() && C().F1L26->Showing(); }
  bool LessonLamp() { return C().FLL14->Visible() && C().FLL14->Showing(); }
  bool ModeSelectLamp() { return C().F6L21->Visible() && C().F6L21->Showing(); }
};

TEST_F(KanaLampTest, TheLampShowsTheLockOnTheDrillLessonAndModeSelectScreens) {
  Run("start\nwait 2100\nkey KANA\n");
  EXPECT_TRUE(C().F1L26->Visible());
  EXPECT_FALSE(DrillLamp() || LessonLamp() || ModeSelectLamp());  // the title shows no lamp
  Run("key SPACE\n");
  EXPECT_TRUE(ModeSelectLamp());
  Run("key 5\n");
  EXPECT_TRUE(DrillLamp());
  Run("key KANA\n");
  EXPECT_FALSE(C().F1L26->Visible());
  Run("kanalock on\n");  // the driver's own switch lights it too
  EXPECT_TRUE(DrillLamp());
  Run("kanalock off\nkey ESC\nkey SPACE\nkey SPACE\nkey 0\nkanalock on\n");
  ASSERT_TRUE(C().FLPanel->Visible());
  EXPECT_TRUE(LessonLamp());
  Run("kanalock off\n");
  EXPECT_FALSE(C().FLL14->Visible());
}

TEST_F(KanaLampTest, TheLampCoversNoControlAtAnySize) {
  Run("start\nwait 2100\nkanalock on\n");
  for (const auto& [w, h] : {std::pair{480, 300}, {640, 400}, {1000, 600}, {733, 457}, {1920, 1200}}) {
    Run("resize " + std::to_string(w) + " " + std::to_string(h) + "\n");
    for (ui::Label* lamp : {C().F1L26, C().FLL14, C().F6L21}) {
      const QRect r(lamp->Left(), lamp->Top(), lamp->Width(), lamp->Height());
      EXPECT_TRUE(QRect(0, 0, lamp->Parent()->Width(), lamp->Parent()->Height()).contains(r)) << w;
      for (const auto& c : Form().Controls().All()) {
        if (c.get() == lamp || c->Parent() != lamp->Parent() || c->GetKind() == ui::Kind::Memo) continue;
        const QRect other(c->Left(), c->Top(), c->Width(), c->Height());
        EXPECT_FALSE(r.intersects(other)) << lamp->Name() << " covers " << c->Name() << " at " << w << "x" << h;
      }
    }
  }
}

// With the lock on, the screens of commands take the key pressed, and the screens where text
// is typed take its kana.
TEST_F(KanaLampTest, CommandScreensTakeTheKeyPressedTextTakesKana) {
  Run("start\nwait 2100\nkey KANA\nkey r\n");  // the R switch (the key types ｽ with the lock)
  EXPECT_EQ(State().SwitchR, 1);
  Run("key i\n");
  EXPECT_TRUE(C().Panel6->Visible());
  Run("key a\nkey a\nkey a\nkey a\n");
  EXPECT_FALSE(C().Panel6->Visible());
  Run("key l\nkey 3\nkey 4\nkey ENTER\n");  // L asks for a name, and the name field types kana
  EXPECT_EQ(State().CertSwitch, 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(Record().CertName().data()), 3), "\xB1\xB3 ");
  Run("key SPACE\nkey SPACE\nkey 5\n");  // 60 s of ｱｲｳ, chosen by the digit
  ASSERT_TRUE(C().F1Panel->Visible());
  EXPECT_EQ(State().Mode, 4);
  EXPECT_EQ(State().DurationIndex, 1);
  Run("key 3\nkey e\n");  // ｱ ｲ
  EXPECT_EQ(State().Good, 2);
}

}  // namespace
