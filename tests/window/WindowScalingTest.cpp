#include <gtest/gtest.h>

#include "DriverFixture.h"
#include "window/WindowScaling.h"

namespace {

struct WindowScalingTest : DriverFixture {
  struct Geometry {
    int left, top, width, height, font;
    bool operator==(const Geometry&) const = default;
  };
  static Geometry Of(const ui::Control* c) { return {c->Left(), c->Top(), c->Width(), c->Height(), c->FontHeight()}; }
  std::vector<Geometry> All() {
    std::vector<Geometry> out;
    for (const auto& c : Form().Controls().All()) out.push_back(Of(c.get()));
    return out;
  }
  std::pair<int, int> Client() { return {Form().ClientWidth(), Form().ClientHeight()}; }
};

TEST_F(WindowScalingTest, DoubleSizeDoublesEveryControlAndBackIsExact) {
  Run("start\nwait 50\n");
  const auto design = All();
  Run("resize 960 600\n");
  EXPECT_EQ(Client(), std::make_pair(960, 600));
  for (ui::Control* c : std::initializer_list<ui::Control*>{C().P_Q, C().F1P3, C().Panel6, C().GroupBox1, C().CheckBox5,
                                                            C().Image5, C().F6P3}) {
    const Geometry g = Of(c);
    const size_t i = static_cast<size_t>(std::find_if(Form().Controls().All().begin(), Form().Controls().All().end(),
                                                      [&](const auto& p) { return p.get() == c; }) -
                                         Form().Controls().All().begin());
    EXPECT_EQ(g.left, 2 * design[i].left) << c->Name();
    EXPECT_EQ(g.top, 2 * design[i].top) << c->Name();
    EXPECT_EQ(g.width, 2 * design[i].width) << c->Name();
    EXPECT_EQ(g.height, 2 * design[i].height) << c->Name();
    if (c->GetKind() != ui::Kind::Image) {
      EXPECT_EQ(g.font, 2 * design[i].font) << c->Name();
    }
  }
  EXPECT_EQ(C().Panel6->BevelWidth(), 4);
  EXPECT_EQ(C().Button1->Width(), 162);  // recorded one by one
  EXPECT_EQ(C().Edit1->FontHeight(), 24);
  EXPECT_EQ(C().F1L9->Width(), 176);  // labels measure their text with the new font
  // Repeated resizing starts from the design values: nothing drifts.
  Run("resize 733 457\nresize 1111 700\nresize 480 300\n");
  const auto back = All();
  for (size_t i = 0; i < back.size(); ++i) {
    const ui::Control* c = Form().Controls().All()[i].get();
    if (c == C().Image2) continue;
    // An auto-sized label fits whatever text the screens gave it meanwhile.
    if (auto* l = dynamic_cast<const ui::Label*>(c); l && l->AutoSize()) {
      EXPECT_EQ(std::make_tuple(back[i].left, back[i].top, back[i].font),
                std::make_tuple(design[i].left, design[i].top, design[i].font))
          << c->Name();
      continue;
    }
    EXPECT_EQ(back[i], design[i]) << c->Name();
  }
}

TEST_F(WindowScalingTest, SizeFloorAndAspectBandCorrectTheClient) {
  Run("start\nwait 50\nresize 1000 300\n");
  EXPECT_EQ(Client(), std::make_pair(600, 300));
  Run("resize 480 800\n");
  EXPECT_EQ(Client(), std::make_pair(480, 720));
  Run("resize 400 250\n");
  EXPECT_EQ(Client(), std::make_pair(480, 300));
  EXPECT_EQ(window::WindowScaling::FactorX(600).Value(), 1.25);
  EXPECT_EQ(C().Label6->Left(), 218);
  EXPECT_EQ(Form().Timer1.Enabled(), true);  // the timers run again after scaling
}

TEST_F(WindowScalingTest, NothingScalesBeforeTheFirstTick) {
  Run("start\n");
  const auto design = All();
  Form().resize(960, 600);
  Run("wait 0\n");
  EXPECT_EQ(All(), design);
  EXPECT_FALSE(Form().F1T1.Enabled());
}

TEST_F(WindowScalingTest, HundredPercentFromAMaximisedWindow) {
  Run("start\nwait 2100\nmaximize\n");
  EXPECT_GT(Form().ClientWidth(), 480);
  EXPECT_GT(C().Label6->FontHeight(), 12);
  Run("key F9\n");
  EXPECT_FALSE(Form().Maximized());
  EXPECT_EQ(Client(), std::make_pair(480, 300));
  EXPECT_EQ(C().Label6->FontHeight(), 12);
  EXPECT_EQ(C().Label6->Left(), 218);
  Run("resize 960 600\nclick SpeedButton2\n");
  EXPECT_EQ(Client(), std::make_pair(480, 300));
}

TEST_F(WindowScalingTest, LogoDropsToSixteenAndLeavesOnDoubleClickUntilTheNextResize) {
  Run("start\nwait 8000\n");
  EXPECT_EQ(C().Image2->Top(), 16);
  Run("dblclick Image2\n");
  EXPECT_EQ(C().Image2->Top(), -100);
  Run("resize 960 600\n");
  EXPECT_EQ(C().Image2->Top(), 25);  // trunc(0.8 × 2 × 16) = 25, below the limit of 32
  EXPECT_EQ(C().Image2->Width(), 200);
  Run("wait 2000\n");
  EXPECT_EQ(C().Image2->Top(), 33);  // the drop goes on in steps of 2 × 2 past 16 scaled
  Run("resize 480 300\n");
  EXPECT_EQ(C().Image2->Top(), 16);
}

// The factors are exact fractions: at 640 x 400 (4/3) a design value of 3 becomes 4, not the
// 3 that 1.33 would give; 1000 x 600 is 25/12 across and 2 down.
TEST_F(WindowScalingTest, EveryControlLandsWhereTheExactFactorTruncatedPutsIt) {
  Run("start\nwait 50\n");
  const auto design = All();
  std::vector<int> bevels;
  for (const auto& c : Form().Controls().All())
    bevels.push_back(dynamic_cast<const ui::Panel*>(c.get()) ? static_cast<const ui::Panel*>(c.get())->BevelWidth()
                                                             : 0);
  for (const auto& [w, h] : {std::pair{640, 400}, std::pair{1000, 600}}) {
    Run("resize " + std::to_string(w) + " " + std::to_string(h) + "\n");
    ASSERT_EQ(Client(), std::make_pair(w, h));
    const auto scaled = All();
    int checked = 0;
    for (size_t i = 0; i < scaled.size(); ++i) {
      const ui::Control* c = Form().Controls().All()[i].get();
      if (c == C().Image2) continue;
      switch (c->GetKind()) {
        case ui::Kind::Panel:
        case ui::Kind::Label:
        case ui::Kind::GroupBox:
        case ui::Kind::Image:
        case ui::Kind::CheckBox:
        case ui::Kind::RadioButton: break;
        default: continue;
      }
      EXPECT_EQ(scaled[i].left, design[i].left * w / 480) << c->Name() << " at " << w;
      EXPECT_EQ(scaled[i].top, design[i].top * h / 300) << c->Name() << " at " << w;
      if (c->GetKind() != ui::Kind::Image) {
        EXPECT_EQ(scaled[i].font, design[i].font * w / 480) << c->Name();
      }
      const auto* l = dynamic_cast<const ui::Label*>(c);
      if (!l || !l->AutoSize()) {
        EXPECT_EQ(scaled[i].width, design[i].width * w / 480) << c->Name() << " at " << w;
        EXPECT_EQ(scaled[i].height, design[i].height * h / 300) << c->Name() << " at " << w;
      }
      if (const auto* p = dynamic_cast<const ui::Panel*>(c)) {
        EXPECT_EQ(p->BevelWidth(), bevels[i] * h / 300) << c->Name();
      }
      ++checked;
    }
    EXPECT_GT(checked, 300);
  }
  // A key cap of the drill keyboard: 33 wide becomes 44 (1.33 made it 43).
  Run("resize 640 400\n");
  EXPECT_EQ(std::make_pair(C().P_2->Left(), C().P_2->Width()), std::make_pair(50, 44));
  EXPECT_EQ(C().Button1->Width(), 81 * 640 / 480);  // recorded one by one, the same rule
}

}  // namespace
