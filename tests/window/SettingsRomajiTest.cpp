#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "DriverFixture.h"
#include "TextFiles.h"

namespace {

constexpr char kEightKeys[] =
    "[DOJOKAI]\nDOJCFGVERSION=301\nDOJDATPATH=\nDOJDATPATHON=0\nRESETSW=0\nDOJDATNOTRW=0\n"
    "STARTZKEY=0\nTITSCOREOFF=0\nBMPJPGLOADON=0\n";

// The eight keys of a fresh file followed by `rest` (appended, not added with +: g++ 12 warns
// about a temporary std::string(kEightKeys) + "...").
std::string EightKeysAnd(std::string_view rest) {
  std::string text = kEightKeys;
  text.append(rest);
  return text;
}

struct SettingsRomajiTest : DriverFixture {
  std::string Dir() const { return dir.path().toStdString(); }
  std::string Cfg() const { return Dir() + "/dojokai.cfg"; }
  void Restart() {
    driver.reset();
    driver = std::make_unique<drive::Driver>(Dir(), out, err);
  }
  const game::RomajiOptions& Romaji() { return Form().Options().romaji; }
};

TEST_F(SettingsRomajiTest, TheSecondPageOpensInsideTheSettingsScreenAndBack) {
  Run("start\nwait 50\nkey F2\n");
  EXPECT_TRUE(C().RSButton1->Showing());
  EXPECT_FALSE(C().RSPanel->Showing());
  EXPECT_FALSE(C().RSButton2->Showing());
  Run("click RSButton1\n");
  EXPECT_EQ(Form().Screens().Current(), game::Screen::Settings);  // the same screen
  EXPECT_TRUE(C().RSPanel->Showing());
  EXPECT_TRUE(C().RSButton2->Showing());
  EXPECT_FALSE(C().RSButton1->Showing());
  EXPECT_TRUE(C().Button1->Showing());  // the page closes like the first
  EXPECT_EQ(Form().FocusedControl(), C().RSButton2);
  // The defaults: ヘボン式, every switch off.
  EXPECT_TRUE(C().RSRadioButton1->Checked());
  for (ui::CheckBox* b : {C().RSCheckBox1, C().RSCheckBox2, C().RSCheckBox3}) EXPECT_FALSE(b->Checked()) << b->Name();
  Run("click RSButton2\n");
  EXPECT_FALSE(C().RSPanel->Showing());
  EXPECT_TRUE(C().RSButton1->Showing());

  // Closed from the second page, the screen opens again on the first.
  Run("click RSButton1\nclick Button1\nkey F2\n");
  EXPECT_TRUE(C().Panel11->Visible());
  EXPECT_FALSE(C().RSPanel->Showing());
  EXPECT_TRUE(C().RSButton1->Showing());
  // Nothing differs from the defaults: the file holds the eight keys alone.
  EXPECT_EQ(ReadText(Cfg()), kEightKeys);
}

TEST_F(SettingsRomajiTest, EveryChangeTakesEffectAtOnceAndIsWrittenInItsOwnSection) {
  Run("start\nwait 50\nkey F2\nclick RSButton1\n");
  Run("check RSCheckBox2 on\n");
  EXPECT_TRUE(Romaji().keySound);  // before the screen closes
  Run("click RSRadioButton3\n");
  EXPECT_EQ(Romaji().guideStyle, 2);
  EXPECT_FALSE(C().RSRadioButton1->Checked());
  Run("check RSRadioButton2 on\ncheck RSCheckBox1 on\ncheck RSCheckBox3 on\ncheck RSCheckBox2 off\n");
  EXPECT_EQ(Romaji(), (game::RomajiOptions{.guideStyle = 1, .finalN = true, .keySound = false, .missSound = true}));
  Run("click Button1\n");
  EXPECT_EQ(ReadText(Cfg()), EightKeysAnd("\n[ROMAJI]\nGUIDE=1\nFINALN=1\nKEYSOUND=0\nMISSSOUND=1\n"));

  Restart();
  Run("start\nwait 50\nkey F2\nclick RSButton1\n");
  EXPECT_EQ(Romaji(), (game::RomajiOptions{.guideStyle = 1, .finalN = true, .keySound = false, .missSound = true}));
  EXPECT_TRUE(C().RSRadioButton2->Checked());
  EXPECT_TRUE(C().RSCheckBox1->Checked());
  EXPECT_FALSE(C().RSCheckBox2->Checked());
  EXPECT_TRUE(C().RSCheckBox3->Checked());
  // Back to the defaults: the section, once there, stays and says so.
  Run("check RSRadioButton1 on\ncheck RSCheckBox1 off\ncheck RSCheckBox3 off\nclick Button1\n");
  EXPECT_EQ(Romaji(), game::RomajiOptions{});
  EXPECT_EQ(ReadText(Cfg()), EightKeysAnd("\n[ROMAJI]\nGUIDE=0\nFINALN=0\nKEYSOUND=0\nMISSSOUND=0\n"));
}

TEST_F(SettingsRomajiTest, TheSectionIsReadKeyByKeyAndBadValuesKeepTheDefaults) {
  struct Case {
    const char* section;
    game::RomajiOptions expected;
  };
  const Case cases[] = {
      {"[ROMAJI]\nGUIDE=2\nFINALN=1\nKEYSOUND=1\nMISSSOUND=1\n", {2, true, true, true}},
      {"[romaji]\nguide=1\nkeysound=1\n", {1, false, true, false}},  // names in any case
      {"[ROMAJI]\nGUIDE=3\nFINALN=2\nKEYSOUND=yes\nMISSSOUND=-1\n", {}},
      {"[ROMAJI]\nGUIDE=-1\nFINALN=\n", {}},
      {"[ROMAJI]\nGUIDE= 2 \r\nMISSSOUND=1\r\n", {2, false, false, true}},
      {"[OTHER]\nGUIDE=2\nKEYSOUND=1\n", {}},  // only the section of its own counts
  };
  for (const Case& c : cases) {
    WriteText(Cfg(), EightKeysAnd("\n" + std::string(c.section)));
    Restart();
    Run("start\nwait 50\n");
    EXPECT_EQ(Romaji(), c.expected) << c.section;
  }
}

}  // namespace
