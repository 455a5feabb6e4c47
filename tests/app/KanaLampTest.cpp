#include <gtest/gtest.h>

#include "DriverFixture.h"

namespace {

struct KanaLampTest : DriverFixture {
  bool DrillLamp() { return C().F1L26->Visible() && C().F1L26->Showing(); }
  bool LessonLamp() { return C().FLL14->Visible() && C().FLL14->Showing(); }
};

TEST_F(KanaLampTest, TheLampShowsTheLockOnTheDrillAndLessonScreensOnly) {
  Run("start\nwait 2100\nkey KANA\n");
  EXPECT_TRUE(C().F1L26->Visible());
  EXPECT_FALSE(DrillLamp() || LessonLamp());  // the title shows no lamp
  // With the lock on the digits type kana: the mode is chosen with it off.
  Run("key KANA\nkey SPACE\nkey 5\nkey KANA\n");
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
    for (ui::Label* lamp : {C().F1L26, C().FLL14}) {
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

}  // namespace
