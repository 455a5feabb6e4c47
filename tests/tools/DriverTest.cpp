#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "DriverFixture.h"

namespace {

struct DriverTest : DriverFixture {
  int Run(const std::string& script) { return driver->Run(script); }
};

TEST_F(DriverTest, BadScriptsStopWithTheirLineAndExitOne) {
  EXPECT_EQ(Run("# a comment\n\nfly away\n"), 1);
  EXPECT_NE(err.str().find("line 3: unknown command: fly"), std::string::npos) << err.str();
  for (const char* bad : {"wait 10\n", "start\nwait ten\n", "start\nkey NOSUCHKEY\n", "start\nclick Nothing\n",
                          "start\nexpect state NoField 1\n", "start\ntype \"unclosed\n", "start\nchar \"\\q\"\n",
                          "now 2026-13-01 10:00:00\n", "start\nstart\n", "start\nanswer maybe\n", "start\nkey \"😀\"\n",
                          "start\ncheck Button1 on\n"}) {
    drive::Driver d(dir.path().toStdString(), out, err);
    EXPECT_EQ(d.Run(bad), 1) << bad;
  }
}

TEST_F(DriverTest, FailedExpectationExitsTwoShowingBothSides) {
  EXPECT_EQ(Run("start\nexpect caption Label5 \"<20210714p>\"\nexpect state Score 0\nexpect visible F1Panel\n"), 2);
  EXPECT_NE(err.str().find("line 4"), std::string::npos);
  EXPECT_NE(err.str().find("F1Panel hidden"), std::string::npos);
}

TEST_F(DriverTest, KeysBeforeTheFirstTimerTickDoNothing) {
  ASSERT_EQ(Run("start\n"), 0);
  ShowScreen(Form().C.F5Panel);
  ASSERT_EQ(Run("key a\nkey F2\nchar \"\\e\"\nexpect visible F5Panel\nclick F5P1\n"), 0);
  EXPECT_TRUE(Form().C.Panel1->Visible());  // clicks are not gated, keys are
  ShowScreen(Form().C.F5Panel);
  ASSERT_EQ(Run("wait 49\nkey a\nexpect visible F5Panel\nwait 1\nexpect state InputEnabled 1\nkey a\n"), 0);
  EXPECT_TRUE(Form().C.Panel1->Visible());
  EXPECT_FALSE(Form().C.F5Panel->Visible());
}

TEST_F(DriverTest, AboutScreenReturnsOnAnyCharacterButNotOnFunctionKeys) {
  ASSERT_EQ(Run("start\nwait 50\n"), 0);
  ShowScreen(Form().C.F5Panel);
  ASSERT_EQ(Run("key F5\nkey F10\nkey F1\nkey shift+SHIFT\nexpect visible F5Panel\nkey ESC\n"), 0);
  EXPECT_EQ(Form().VisibleScreen(), Form().C.Panel1);
  ShowScreen(Form().C.F5Panel);
  ASSERT_EQ(Run("key ｱ\nexpect visible Panel1\nexpect hidden F5Panel\n"), 0);
}

TEST_F(DriverTest, F3AndF4ToggleRateAndLidOnTheDrillScreenOnly) {
  ASSERT_EQ(Run("start\nwait 50\nkey F3\nkey F4\nexpect state SwitchT 0\nexpect state SwitchK 0\n"), 0);
  ShowScreen(Form().C.F1Panel);
  ASSERT_EQ(Run("key F3\nkey F4\nexpect state SwitchT 1\nexpect visible F1L23\nexpect state SwitchK 1\n"
                "expect visible F1P1\nkey F4\nexpect state SwitchK 0\nexpect hidden F1P1\n"),
            0)
      << err.str();
  EXPECT_EQ(Form().C.Label11->FontColor(), ui::clr::Black);  // the switch labels follow
  EXPECT_FALSE(Form().C.Label11->Transparent());
  EXPECT_TRUE(Form().C.Label9->Transparent());
}

TEST_F(DriverTest, ShiftZeroAndTheRoKeyReachTheDrillOnlyWithoutKanaLock) {
  ASSERT_EQ(Run("start\nwait 50\n"), 0);
  ShowScreen(Form().C.F1Panel);
  ASSERT_EQ(Run("key shift+0\nexpect state InjectedChar 48\n"), 0);
  State().InjectedChar = 0;
  ASSERT_EQ(Run("key RO\nexpect state InjectedChar 95\n"), 0);
  State().InjectedChar = 0;
  ASSERT_EQ(Run("kanalock on\nkey shift+0\nkey RO\nexpect state InjectedChar 0\n"), 0);
}

TEST_F(DriverTest, ClickThatInjectsEscActsLikeTheEscKey) {
  ASSERT_EQ(Run("start\nwait 50\n"), 0);
  ShowScreen(Form().C.FLPanel);
  ASSERT_EQ(Run("key ESC\nexpect visible Panel1\nexpect hidden FLPanel\n"), 0);
  ShowScreen(Form().C.FLPanel);
  ASSERT_EQ(Run("click FLP9\nexpect visible Panel1\nexpect hidden FLPanel\n"), 0);
  ShowScreen(Form().C.FLPanel);
  // Before the first tick the injected key is ignored like a typed one.
  State().InputEnabled = 0;
  ASSERT_EQ(Run("click FLP9\nexpect visible FLPanel\n"), 0);
}

TEST_F(DriverTest, SettingsOpenByF2AndCloseByTheirButton) {
  ASSERT_EQ(Run("start\nwait 50\nkey F2\nexpect visible Panel11\nexpect hidden Panel1\nclick Button1\n"
                "expect visible Panel1\nexpect hidden Panel11\nkey F2\nkey ENTER\nexpect visible Panel1\n"),
            0)
      << err.str();
}

TEST_F(DriverTest, AnExceptionInAHandlerIsShownAndTheGameGoesOn) {
  ASSERT_EQ(Run("start\nwait 50\n"), 0);
  Form().Guard([] { throw std::runtime_error("壊れた"); });
  ASSERT_EQ(driver->Platform().Messages().size(), 1u);
  EXPECT_EQ(driver->Platform().Messages()[0].kind, "error");
  EXPECT_EQ(driver->Platform().Messages()[0].text, "壊れた");
  ASSERT_EQ(Run("key F2\nexpect visible Panel11\n"), 0);
}

TEST_F(DriverTest, ModalDialogTakesTheFollowingCommandsUntilItCloses) {
  ASSERT_EQ(Run("start\nwait 50\n"), 0);
  app::Game* game = driver->GameObject();
  Form().C.Label8->Show();
  Form().C.Label8->OnClick = [&](ui::Control&) { driver->Platform().RunModal(game->NameDialog()); };
  ASSERT_EQ(Run("click Label8\nset F9M1 TARO\nwait 500\nkey ENTER\nexpect visible Panel1\n"), 0) << err.str();
  const auto name = State().DatRecord.CertName();
  EXPECT_EQ(std::string(name.begin(), name.end()), "TARO      ");
  EXPECT_FALSE(game->NameDialog().isVisible());
  EXPECT_EQ(State().InputEnabled, 1);  // the window's timers ran meanwhile
}

TEST_F(DriverTest, SnapshotHasEveryPart) {
  ASSERT_EQ(Run("start\nwait 100\nanswer yes\ndump -\n"), 0);
  const auto doc = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()));
  ASSERT_TRUE(doc.isObject()) << out.str().substr(0, 200);
  const QJsonObject o = doc.object();
  for (const char* key : {"screen", "client", "clock", "state", "record", "controls", "timers", "messages", "help"})
    EXPECT_TRUE(o.contains(key)) << key;
  EXPECT_EQ(o["screen"].toString(), "Panel1");
  EXPECT_EQ(o["client"].toObject()["width"].toInt(), 480);
  EXPECT_EQ(o["clock"].toObject()["tick"].toInteger(), 3600100);
  EXPECT_EQ(o["clock"].toObject()["now"].toString(), "2026-12-06 10:00:00");
  const QJsonObject state = o["state"].toObject();
  EXPECT_EQ(state["DrillText"].toString(), "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(state["DrillWindow"].toString(), "     abcdef");
  EXPECT_EQ(state["EntryName"].toString(), "0123456789");
  EXPECT_EQ(state["TimeLeft"].toInt(), 300);
  const QJsonObject record = o["record"].toObject();
  EXPECT_EQ(record["hex"].toString().size(), 8190);
  EXPECT_EQ(record["CertGrades"].toArray().size(), 21);
  EXPECT_EQ(record["RankEntries"].toArray().size(), 21);
  EXPECT_EQ(record["RankEntries"].toArray()[0].toArray()[0].toObject()["Score"].toInt(), 3000);
  const QJsonObject f1l9 = o["controls"].toObject()["F1L9"].toObject();
  for (const char* key : {"kind", "parent", "visible", "caption", "left", "top", "width", "height", "font_height",
                          "font_color", "color", "transparent", "enabled", "hint"})
    EXPECT_TRUE(f1l9.contains(key)) << key;
  EXPECT_EQ(f1l9["kind"].toString(), "label");
  EXPECT_EQ(f1l9["parent"].toString(), "F1Panel");
  EXPECT_EQ(f1l9["font_color"].toString(), "#FF00FF");
  EXPECT_TRUE(o["controls"].toObject()["F8I1"].toObject()["canvas"].toArray().size() > 100);
  EXPECT_TRUE(o["controls"].toObject()["CheckBox1"].toObject().contains("checked"));
  EXPECT_TRUE(o["controls"].toObject()["Edit1"].toObject().contains("text"));
  EXPECT_TRUE(o["controls"].toObject()["Panel6"].toObject().contains("bevel_width"));
  EXPECT_EQ(o["controls"].toObject()["F9M1"].toObject()["parent"].toString(), "TForm9");
  EXPECT_EQ(o["timers"].toObject()["Timer1"].toObject()["interval"].toInt(), 50);
  EXPECT_TRUE(o["timers"].toObject()["Timer1"].toObject()["enabled"].toBool());
}

TEST_F(DriverTest, CloseRunsFormCloseOnce) {
  ASSERT_EQ(Run("start\nwait 50\nclose\nexpect state InputEnabled 1\n"), 0);
  EXPECT_TRUE(Form().Closed());
  EXPECT_FALSE(Form().Timer1.Enabled());
}

}  // namespace
