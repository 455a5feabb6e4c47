#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>

#include <QJsonDocument>
#include <QJsonParseError>

#include "DriverFixture.h"
#include "TextFiles.h"

namespace {

struct SettingsTest : DriverFixture {
  std::string Dir() const { return dir.path().toStdString(); }
  std::string Cfg() const { return Dir() + "/dojokai.cfg"; }
  void Restart() {
    driver.reset();
    driver = std::make_unique<drive::Driver>(Dir(), out, err);
  }
  std::vector<ui::CheckBox*> FileOptions() {
    return {C().CheckBox1, C().CheckBox2, C().CheckBox4, C().CheckBox5, C().CheckBox6, C().CheckBox7};
  }
};

TEST_F(SettingsTest, FreshStartHasEverythingOffAndTheFirstCloseWritesTheEightKeys) {
  Run("start\nwait 50\nkey F2\n");
  ASSERT_TRUE(C().Panel11->Visible());
  EXPECT_FALSE(C().Panel1->Visible());
  EXPECT_EQ(Form().FocusedControl(), C().Button1);
  for (ui::CheckBox* box : FileOptions()) {
    EXPECT_FALSE(box->Checked()) << box->Name();
    EXPECT_TRUE(box->Enabled()) << box->Name();
  }
  EXPECT_EQ(C().Edit1->Text(), "");
  EXPECT_FALSE(C().Edit1->Enabled());
  EXPECT_EQ(C().Edit1->BackColor(), ui::clr::BtnFace);
  EXPECT_EQ(State().DatPath, Dir() + "/dojokai.dat");
  EXPECT_FALSE(std::ifstream(Cfg()).good());  // nothing is written before the screen closes

  Run("click Button1\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_FALSE(C().Panel11->Visible());
  EXPECT_EQ(ReadText(Cfg()),
            "[DOJOKAI]\nDOJCFGVERSION=301\nDOJDATPATH=\nDOJDATPATHON=0\nRESETSW=0\nDOJDATNOTRW=0\n"
            "STARTZKEY=0\nTITSCOREOFF=0\nBMPJPGLOADON=0\n");
}

TEST_F(SettingsTest, OptionsWrittenOnCloseAreReadAtTheNextStart) {
  Run("start\nwait 2100\nclick Label50\n");
  ASSERT_TRUE(C().Panel11->Visible());
  Run("check CheckBox1 on\n");
  EXPECT_TRUE(C().Edit1->Enabled());
  EXPECT_EQ(C().Edit1->BackColor(), ui::clr::Window);
  const std::string folder = Dir() + "/道場";
  Run("set Edit1 " + folder + "\ncheck CheckBox5 on\ncheck CheckBox6 on\ncheck CheckBox3 on\nclick Button1\n");
  EXPECT_EQ(State().MaximizeAtStart, 1);
  EXPECT_NE(ReadText(Cfg()).find("DOJDATPATH=" + folder + "\n"), std::string::npos);  // UTF-8 text

  Restart();
  Run("start\n");
  EXPECT_EQ(C().Edit1->TextUtf8(), folder);
  EXPECT_TRUE(C().CheckBox1->Checked());
  EXPECT_TRUE(C().Edit1->Enabled());
  EXPECT_TRUE(C().CheckBox5->Checked());
  EXPECT_TRUE(C().CheckBox6->Checked());
  EXPECT_FALSE(C().CheckBox2->Checked());
  EXPECT_EQ(State().DatPath, folder + "/dojokai.dat");

  // The check box governs the folder field.
  Run("check CheckBox1 off\n");
  EXPECT_FALSE(C().Edit1->Enabled());
  EXPECT_EQ(C().Edit1->BackColor(), ui::clr::BtnFace);

  // A folder typed into the field stops at 250 bytes.
  Run("check CheckBox1 on\nset Edit1 " + std::string(300, 'x') + "\n");
  EXPECT_EQ(C().Edit1->Text(), std::string(250, 'x'));
}

TEST_F(SettingsTest, OnlyTheNumberOneChecksABoxAndCrlfLinesRead) {
  WriteText(Cfg(),
            "[dojokai]\r\n"
            "DOJDATPATH=" +
                Dir() +
                "/sub\r\n"
                "DOJDATPATHON= 1 \r\n"
                "RESETSW=2\r\n"
                "DOJDATNOTRW=yes\r\n"
                "STARTZKEY=1x\r\n"
                "TITSCOREOFF=01\r\n"
                "BMPJPGLOADON=-1\r\n");
  Run("start\n");
  EXPECT_TRUE(C().CheckBox1->Checked());
  EXPECT_EQ(C().Edit1->TextUtf8(), Dir() + "/sub");  // no carriage return kept
  EXPECT_EQ(State().DatPath, Dir() + "/sub/dojokai.dat");
  EXPECT_FALSE(C().CheckBox2->Checked());
  EXPECT_FALSE(C().CheckBox4->Checked());
  EXPECT_FALSE(C().CheckBox5->Checked());
  EXPECT_TRUE(C().CheckBox6->Checked());
  EXPECT_FALSE(C().CheckBox7->Checked());
}

TEST_F(SettingsTest, ReadOnlyConfigurationKeepsItsContentsWhileTheMaximiseOptionIsSaved) {
  const std::string text = "[DOJOKAI]\nDOJDATPATHON=0\nRESETSW=1\n";
  WriteText(Cfg(), text);
  ::chmod(Cfg().c_str(), 0444);
  Run("start\nwait 50\nkey F2\n");
  EXPECT_EQ(State().CfgLocked, 1);
  for (ui::CheckBox* box : FileOptions()) EXPECT_FALSE(box->Enabled()) << box->Name();
  for (ui::CheckBox* b : {C().RadioButton1, C().RadioButton2, C().RadioButton3}) EXPECT_FALSE(b->Enabled());
  EXPECT_FALSE(C().Edit1->Enabled());
  EXPECT_EQ(C().Edit1->BackColor(), ui::clr::BtnFace);
  EXPECT_TRUE(C().CheckBox2->Checked());  // read all the same
  EXPECT_TRUE(C().CheckBox3->Enabled());
  EXPECT_TRUE(C().Button2->Enabled());
  EXPECT_TRUE(C().Button3->Enabled());
  Run("check CheckBox2 off\ncheck CheckBox3 on\nclick Button1\nclose\n");
  EXPECT_TRUE(C().CheckBox2->Checked());  // a disabled box does not change
  EXPECT_EQ(ReadText(Cfg()), text);

  Restart();
  Run("start\nwait 50\nkey F2\n");
  EXPECT_EQ(State().MaximizeAtStart, 1);
  EXPECT_TRUE(C().CheckBox3->Checked());
  ::chmod(Cfg().c_str(), 0644);
}

constexpr std::string_view kEightKeys =
    "[DOJOKAI]\nDOJCFGVERSION=301\nDOJDATPATH=\nDOJDATPATHON=0\nRESETSW=0\nDOJDATNOTRW=0\n"
    "STARTZKEY=0\nTITSCOREOFF=0\nBMPJPGLOADON=0\n";

TEST_F(SettingsTest, AKeyboardChosenOnTheScreenIsKeptAndOutweighsTheKeymapUntilAutomaticAgain) {
  // 自動: the keymap decides, and the screen says so.
  Run("keyboard us\nstart\nwait 50\nkey F2\n");
  EXPECT_TRUE(C().RadioButton1->Checked());
  EXPECT_EQ(Platform().Keys().Map(), plat::KeyMap::Us);
  EXPECT_EQ(C().Label52->Caption(), "検出: US");
  Run("click RadioButton2\n");
  EXPECT_FALSE(C().RadioButton1->Checked());
  EXPECT_EQ(Platform().Keys().Map(), plat::KeyMap::Us);  // from the next start on
  Run("click RadioButton2\nclick Button1\n");
  EXPECT_TRUE(C().RadioButton2->Checked());  // a second click leaves the choice
  const std::string written = ReadText(Cfg());
  EXPECT_EQ(written.substr(0, kEightKeys.size()), kEightKeys);
  EXPECT_EQ(written.substr(kEightKeys.size()), "KEYBOARD=jis\n");

  // The setting outweighs the keymap, also when the keymap is read again.
  Restart();
  Run("keyboard us\nstart\nwait 50\nkey F2\n");
  EXPECT_TRUE(C().RadioButton2->Checked());
  EXPECT_EQ(Platform().Keys().Map(), plat::KeyMap::Jis);
  EXPECT_EQ(C().Label52->Caption(), "設定: JIS");
  Run("keyboard us\n");
  EXPECT_EQ(Platform().Keys().Map(), plat::KeyMap::Jis);
  // Back to 自動: the file is as a fresh one again.
  Run("click RadioButton1\nclick Button1\n");
  EXPECT_EQ(ReadText(Cfg()), kEightKeys);

  // No keymap to read: JIS, told in red.
  Restart();
  Run("keyboard none\nstart\n");
  EXPECT_EQ(Platform().Keys().Map(), plat::KeyMap::Jis);
  EXPECT_EQ(C().Label52->Caption(), "検出不可: JIS");
  EXPECT_EQ(C().Label52->FontColor(), ui::clr::Red);
}

TEST_F(SettingsTest, TheKeyboardSettingIsReadInAnyCaseAndAnythingElseIsAutomatic) {
  for (const auto& [value, button] :
       {std::pair{"US", &ui::MainControls::RadioButton3}, std::pair{" jis ", &ui::MainControls::RadioButton2},
        std::pair{"de", &ui::MainControls::RadioButton1}}) {
    WriteText(Cfg(), std::string("[DOJOKAI]\nKEYBOARD=") + value + "\n");
    Restart();
    Run("start\n");
    EXPECT_TRUE((C().*button)->Checked()) << value;
  }
}

TEST_F(SettingsTest, ScoreShowOptionTakesEffectAtOnce) {
  Run("start\nwait 2100\nkey F2\ncheck CheckBox6 on\nclick Button1\nwait 15000\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_EQ(State().IdleScoreShow, 0);
}

// A data folder named in CP932 (made on a Japanese Windows desktop) or in no encoding at all:
// the screen shows it readably, the snapshot stays valid JSON, and the bytes are kept.
TEST_F(SettingsTest, AFolderNameThatIsNotUtf8IsShownDecodedAndKeptAsItsBytes) {
  for (const std::string& name : {std::string("\x83\x66\x81\x5B\x83\x5E"), std::string("\xFF\xFE")}) {
    const std::string folder = Dir() + "/" + name;
    ::mkdir(folder.c_str(), 0700);
    const std::string cfg = "[DOJOKAI]\nDOJCFGVERSION=301\nDOJDATPATH=" + folder +
                            "\nDOJDATPATHON=1\nRESETSW=0\nDOJDATNOTRW=0\nSTARTZKEY=0\nTITSCOREOFF=0\nBMPJPGLOADON=0\n";
    WriteText(Cfg(), cfg);
    Restart();
    Run("start\nwait 2100\nkey F2\ndump " + Dir() + "/snapshot.json\n");
    const std::string shown = name[0] == '\x83' ? "データ" : "\uFFFD\uFFFD";
    EXPECT_EQ(C().Panel12->Caption(), Dir() + "/" + shown + "/dojokai.dat");
    QJsonParseError error{};
    QJsonDocument::fromJson(QByteArray::fromStdString(ReadText(Dir() + "/snapshot.json")), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    Run("click Button1\n");
    EXPECT_EQ(ReadText(Cfg()), cfg);
  }
}

}  // namespace
