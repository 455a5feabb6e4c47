#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "DriverFixture.h"
#include "game/Modes.h"
#include "platform/Cp932.h"

namespace {

struct ModeSelectTest : DriverFixture {
  void OpenModeSelect(const std::string& titleKeys = "") {
    Run("start\nwait 2100\n" + titleKeys + "key SPACE\n");
    ASSERT_TRUE(C().F6Panel->Visible());
  }
  uint16_t ModeUse(int d, int m) { return Record().ModeUse(d, m); }
};

TEST_F(ModeSelectTest, SpaceAndTheTimeFieldCycleTheTimeSetting) {
  OpenModeSelect();
  EXPECT_EQ(C().F6P2->Caption(), " 30s");
  for (const char* label : {" 60s", "120s", "000s", " 30s"}) {
    Run("key SPACE\n");
    EXPECT_EQ(C().F6P2->Caption(), label);
  }
  Run("click F6P2\nclick F6P2\n");
  EXPECT_EQ(C().F6P2->Caption(), "120s");
  EXPECT_EQ(State().DurationIndex, 2);
  EXPECT_TRUE(C().F6Panel->Visible());
}

TEST_F(ModeSelectTest, TabAndTheModeFieldWalkAllEightModes) {
  OpenModeSelect();
  const std::pair<const char*, ui::Color> walk[] = {{"[ HAO ]", ui::clr::Lime},    {"[ RND ]", ui::clr::Aqua},
                                                    {"[ ZYX ]", ui::clr::Fuchsia}, {"[ ｱｲｳ ]", ui::clr::Yellow},
                                                    {"[ ﾃﾐｽ ]", ui::clr::Lime},    {"[ ｴﾗｲ ]", ui::clr::Aqua},
                                                    {"[ *** ]", ui::clr::Fuchsia}, {"[ ABC ]", ui::clr::Yellow}};
  for (int i = 0; i < 8; ++i) {
    Run("key TAB\n");
    EXPECT_EQ(C().F6P3->Caption(), walk[i].first);
    EXPECT_EQ(C().F6P3->FontColor(), walk[i].second);
    EXPECT_EQ(State().Mode, (i + 1) % 8);
  }
  Run("click F6P3\nclick F6P3\n");
  EXPECT_EQ(C().F6P3->Caption(), "[ RND ]");
  EXPECT_TRUE(C().F6Panel->Visible());
}

TEST_F(ModeSelectTest, DigitsStartAtOnceAndEnterRepeatsTheLastMode) {
  OpenModeSelect();
  Run("key SPACE\nkey 3\n");
  EXPECT_TRUE(C().F1Panel->Visible());
  EXPECT_FALSE(C().F6Panel->Visible());
  EXPECT_EQ(State().Mode, 2);
  EXPECT_EQ(State().TimeLeft, 600);
  EXPECT_EQ(State().DrillText.View(), State().RndText.View());
  EXPECT_EQ(C().F6P3->Caption(), "[ RND ]");
  EXPECT_EQ(ModeUse(1, 2), 1);
  EXPECT_EQ(Record().DrillTotal(), 1u);

  ShowScreen(C().F6Panel);
  Run("key ENTER\n");
  EXPECT_TRUE(C().F1Panel->Visible());
  EXPECT_EQ(State().Mode, 2);
  EXPECT_EQ(ModeUse(1, 2), 2);
  // A click on the Enter line does the same.
  ShowScreen(C().F6Panel);
  Run("click F6L20\n");
  EXPECT_TRUE(C().F1Panel->Visible());
  EXPECT_EQ(ModeUse(1, 2), 3);
  EXPECT_EQ(Record().DrillTotal(), 3u);

  // Esc and its label go back to the title and keep the mode.
  ShowScreen(C().F6Panel);
  Run("key ESC\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_FALSE(C().F6Panel->Visible());
  Run("key SPACE\nclick F6L3\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_EQ(C().F6P3->Caption(), "[ RND ]");
}

TEST_F(ModeSelectTest, EachModeTypesItsOwnText) {
  OpenModeSelect();
  const auto kana = std::string(game::kKanaText);
  const struct {
    char digit;
    std::string text;
  } fixed[] = {{'1', "abcdefghijklmnopqrstuvwxyz"}, {'4', "zyxwvutsrqponmlkjihgfedcba"}, {'5', kana}};
  for (const auto& f : fixed) {
    ShowScreen(C().F6Panel);
    Run(std::string("key ") + f.digit + "\n");
    EXPECT_EQ(State().DrillText.View(), f.text) << f.digit;
  }
  EXPECT_EQ(plat::cp932::ToUtf8(kana), "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝ");

  // Word drills: words of their script, each followed by a space.
  for (char digit : {'2', '6'}) {
    ShowScreen(C().F6Panel);
    Run(std::string("key ") + digit + "\n");
    const std::string words = State().DrillText.View();
    ASSERT_GT(words.size(), 100u) << digit;
    EXPECT_EQ(words.back(), ' ');
    for (unsigned char c : words) {
      if (c == ' ') continue;
      if (digit == '2')
        EXPECT_TRUE(std::isalpha(c)) << int{c};
      else
        EXPECT_TRUE(c >= 0xA1 && c <= 0xDF) << int{c};
    }
  }

  // The random texts are made anew for every drill.
  ShowScreen(C().F6Panel);
  Run("key 3\n");
  const std::string rnd = State().RndText.View();
  ASSERT_EQ(rnd.size(), 1021u);
  const std::set<char> rndChars(rnd.begin(), rnd.end());
  EXPECT_EQ(rndChars.size(), 35u);  // a..y, 0..8 and the space, all drawn
  for (char c : rndChars) EXPECT_TRUE((c >= 'a' && c <= 'y') || (c >= '0' && c <= '8') || c == ' ') << c;
  ShowScreen(C().F6Panel);
  Run("key 7\n");
  const std::string erai = State().EraiText.View();
  ASSERT_EQ(erai.size(), 1022u);
  EXPECT_EQ(State().DrillText.View(), erai);
  EXPECT_EQ(std::set<char>(erai.begin(), erai.end()), std::set<char>(kana.begin(), kana.end()));
}

TEST_F(ModeSelectTest, LessonsAndTheUntimedSettingCountOnlyTheirCounters) {
  OpenModeSelect();
  C().FLP10->Hide();
  Run("key 0\n");
  EXPECT_TRUE(C().FLPanel->Visible());
  EXPECT_FALSE(C().F6Panel->Visible());
  EXPECT_TRUE(C().FLP10->Visible());
  EXPECT_EQ(State().Mode, 7);
  EXPECT_EQ(C().F6P3->Caption(), "[ *** ]");
  EXPECT_EQ(Record().OtherModeUse(), 1);
  EXPECT_EQ(Record().DrillTotal(), 1u);

  // Enter with the lesson mode opens the lessons again; KEY OFF keeps their keyboard hidden.
  State().SwitchK = 1;
  C().FLP10->Hide();
  ShowScreen(C().F6Panel);
  Run("key ENTER\n");
  EXPECT_TRUE(C().FLPanel->Visible());
  EXPECT_FALSE(C().FLP10->Visible());
  EXPECT_EQ(Record().OtherModeUse(), 2);

  ShowScreen(C().F6Panel);
  Run("key SPACE\nkey SPACE\nkey SPACE\nkey 1\n");
  EXPECT_EQ(State().DurationIndex, 3);
  EXPECT_EQ(State().TimeLeft, 9999);  // shown as 999.9
  EXPECT_EQ(Record().DrillTotal(), 3u);
  for (int d = 0; d < 3; ++d)
    for (int m = 0; m < 7; ++m) EXPECT_EQ(ModeUse(d, m), 0);

  // Counters stop at their maximum.
  Record().SetModeUse(0, 0, 65535);
  Record().SetOtherModeUse(65535);
  Record().SetDrillTotal(UINT32_MAX);
  State().DurationIndex = 0;
  ShowScreen(C().F6Panel);
  Run("key 1\n");
  ShowScreen(C().F6Panel);
  Run("key 0\n");
  EXPECT_EQ(ModeUse(0, 0), 65535);
  EXPECT_EQ(Record().OtherModeUse(), 65535);
  EXPECT_EQ(Record().DrillTotal(), UINT32_MAX);
}

TEST_F(ModeSelectTest, AClickSelectsAndADoubleClickStarts) {
  OpenModeSelect();
  Run("click F6L13\n");
  EXPECT_TRUE(C().F6Panel->Visible());
  EXPECT_EQ(State().Mode, 2);
  EXPECT_EQ(C().F6P3->Caption(), "[ RND ]");
  EXPECT_EQ(C().F6P3->FontColor(), ui::clr::Aqua);
  EXPECT_EQ(Record().DrillTotal(), 0u);

  Run("dblclick F6L14\n");
  EXPECT_TRUE(C().F1Panel->Visible());
  EXPECT_EQ(State().Mode, 3);
  EXPECT_EQ(ModeUse(0, 3), 1);

  ShowScreen(C().F6Panel);
  Run("dblclick F6L5\n");
  EXPECT_TRUE(C().FLPanel->Visible());
  EXPECT_EQ(Record().OtherModeUse(), 1);
  EXPECT_EQ(Record().DrillTotal(), 2u);
}

}  // namespace
