#include <gtest/gtest.h>

#include "DriverFixture.h"
#include "app/TitleScreen.h"
#include "platform/Cp932.h"

namespace {

struct TitleScreenTest : DriverFixture {
  // Starts the game and waits for the intro to reveal the title.
  void StartRevealed() { Run("start\nwait 2100\nexpect state IntroPhase 2\n"); }
  // What a player sees and the scripts compare: every control and the switches, without
  // the clocks that move by themselves.
  std::string Snapshot() {
    std::string text;
    for (const auto& c : Form().Controls().All()) {
      if (c.get() == C().Label21 || c.get() == C().Label24 || c.get() == C().Label25 || c.get() == C().Label22 ||
          c.get() == C().F1L21 || c.get() == C().F1L24 || c.get() == C().F1L25 || c.get() == C().F1L22 ||
          c.get() == C().F6L1 || c.get() == C().Image1 || c.get() == C().Label12 || c.get() == C().F4P1 ||
          c.get() == C().F5P7 || c.get() == C().Image2)
        continue;
      auto* l = dynamic_cast<ui::Label*>(c.get());
      text += c->Name() + (c->Visible() ? "+" : "-") + c->Caption() + std::to_string(c->FontColor()) + "/" +
              std::to_string(c->BackColor()) + (l && l->Transparent() ? "t" : "o") + ";";
    }
    const auto& s = State();
    for (int v : std::initializer_list<int>{s.SwitchR, s.SwitchC, s.SwitchS, s.SwitchK, s.CertSwitch, s.SwitchPlus,
                                            s.SwitchB, s.SwitchT, s.InfoPage, s.BriefHelpShown})
      text += std::to_string(v);
    return text;
  }
};

TEST_F(TitleScreenTest, IntroRevealsTheTitleOnThe42ndTickOrTheSecondWhenSkipped) {
  Run("start\nwait 2050\n");  // 41 ticks
  EXPECT_EQ(State().IntroPhase, 0);
  EXPECT_FALSE(C().Label6->Visible());
  EXPECT_TRUE(C().Image3->Visible());
  Run("wait 50\n");  // the 42nd tick
  EXPECT_EQ(State().IntroPhase, 2);
  EXPECT_TRUE(C().Label6->Visible());
  EXPECT_TRUE(C().Label51->Visible());
  EXPECT_FALSE(C().Image3->Visible());  // the start picture goes
  EXPECT_FALSE(C().Panel4->Visible());

  driver = std::make_unique<drive::Driver>(dir.path().toStdString(), out, err);
  Run("start\ncheck CheckBox5 on\nwait 50\n");
  EXPECT_EQ(State().IntroPhase, 0);
  Run("wait 50\n");  // the second tick, with the start picture kept
  EXPECT_EQ(State().IntroPhase, 2);
  EXPECT_TRUE(C().Image3->Visible());
  EXPECT_TRUE(C().Label6->Visible());
}

TEST_F(TitleScreenTest, SwitchKeysAndClicksToggleAndRedrawTheirLabels) {
  StartRevealed();
  struct Case {
    const char* key;
    uint8_t game::PlayState::*field;
    ui::Label* label;
    ui::Color onFont, onBack;
  };
  const Case cases[] = {{"r", &game::PlayState::SwitchR, C().Label6, ui::clr::Maroon, ui::clr::Silver},
                        {"C", &game::PlayState::SwitchC, C().Label7, ui::clr::Black, ui::clr::Aqua},
                        {"s", &game::PlayState::SwitchS, C().Label2, ui::clr::White, ui::clr::Blue},
                        {"k", &game::PlayState::SwitchK, C().Label9, ui::clr::Navy, ui::clr::Fuchsia},
                        {"b", &game::PlayState::SwitchB, C().Label10, ui::clr::Black, ui::clr::Lime},
                        {"T", &game::PlayState::SwitchT, C().Label11, ui::clr::Black, ui::clr::Yellow}};
  for (const Case& c : cases) {
    Run(std::string("key ") + c.key + "\n");
    EXPECT_EQ(State().*c.field, 1) << c.key;
    EXPECT_EQ(c.label->FontColor(), c.onFont) << c.key;
    EXPECT_EQ(c.label->BackColor(), c.onBack) << c.key;
    EXPECT_FALSE(c.label->Transparent()) << c.key;
    Run("click " + c.label->Name() + "\n");  // the label's click toggles it back
    EXPECT_EQ(State().*c.field, 0) << c.key;
    EXPECT_EQ(c.label->FontColor(), ui::clr::Silver) << c.key;
    EXPECT_TRUE(c.label->Transparent()) << c.key;
    const char otherCase = static_cast<char>(c.key[0] ^ 0x20);
    Run(std::string("key ") + otherCase + "\n");  // either case
    EXPECT_EQ(State().*c.field, 1) << otherCase;
    Run(std::string("key ") + otherCase + "\n");
    EXPECT_EQ(State().*c.field, 0) << otherCase;
  }
  // '+' is no letter: it leaves K (one case away in the code table) alone, and K leaves it.
  Run("key +\nexpect caption Label8 \"LICEN +\"\nexpect state SwitchPlus 1\nexpect state SwitchK 0\n");
  Run("key k\nexpect state SwitchPlus 1\nkey K\nkey +\nexpect caption Label8 LICENCE\n");
  // L with a registered name only toggles the certification.
  Record().SetCertName({'T', 'A', 'R', 'O', ' ', ' ', ' ', ' ', ' ', ' '});
  Run("key l\nexpect state CertSwitch 1\n");
  EXPECT_EQ(C().Label8->BackColor(), ui::clr::Red);
  EXPECT_EQ(C().Label8->FontColor(), ui::clr::White);
  Run("click Label8\nexpect state CertSwitch 0\n");
  EXPECT_FALSE(driver->GameObject()->NameDialog().isVisible());
}

TEST_F(TitleScreenTest, LWithoutANameAsksForOneEachTime) {
  StartRevealed();
  Run("key L\nkey ENTER\nexpect state CertSwitch 1\n");  // Enter in the dialog registers ten spaces
  const auto name = Record().CertName();
  EXPECT_EQ(std::string(name.begin(), name.end()), "          ");
  Run("key L\nexpect state CertSwitch 0\n");  // registered now: no dialog
  Record().SetCertName({});
  Run("click Label8\nset F9M1 ＴＡＲＯ太郎\nclick F9B1\nexpect state CertSwitch 1\n");
  const auto typed = Record().CertName();
  EXPECT_EQ(plat::cp932::ToUtf8(std::string(typed.begin(), typed.end())), "ＴＡＲＯ太");
}

// The stars are counted by the model (PlayTimeTest); the title draws them in their colour.
TEST_F(TitleScreenTest, CertificationStarsAreDrawnInTheirColour) {
  StartRevealed();
  for (int i = 0; i < 21; ++i) Record().SetCertGradeAt(i, 1);
  Run("wait 1100\n");  // a blink-off tick draws the stars
  EXPECT_EQ(C().Label45->Caption(), "★☆★");
  EXPECT_EQ(C().Label45->FontColor(), ui::clr::Blue);
}

TEST_F(TitleScreenTest, CounterColoursFollowTodaysHitsAndBlinkFrom65000) {
  StartRevealed();
  auto colours = [&](int today) {
    Record().SetTodayGood(static_cast<uint16_t>(today));
    Run("wait 50\n");
    return std::make_pair(C().Label21->FontColor(), C().F1L21->FontColor());
  };
  EXPECT_EQ(colours(9999), std::make_pair(ui::clr::Blue, ui::clr::Aqua));
  EXPECT_EQ(colours(10000), std::make_pair(ui::clr::Olive, ui::clr::Yellow));
  EXPECT_EQ(colours(45000), std::make_pair(ui::clr::Red, ui::clr::Red));
  EXPECT_EQ(C().Label21->Caption(), "45000");
  EXPECT_TRUE(C().Label21->Visible());
  Record().SetTodayGood(65000);
  bool sawHidden = false, sawShown = false;
  for (int i = 0; i < 30; ++i) {
    Run("wait 50\n");
    EXPECT_EQ(C().Label21->Visible(), State().BlinkOn == 0);
    EXPECT_EQ(C().F1L21->Visible(), C().Label21->Visible());
    (C().Label21->Visible() ? sawShown : sawHidden) = true;
  }
  EXPECT_TRUE(sawHidden && sawShown);
}

TEST_F(TitleScreenTest, UptimeStopsAtItsCapAndTheTimerKeepsTheRunningTime) {
  StartRevealed();
  State().StartSeconds -= 2000000;  // far beyond the cap
  Run("wait 50\nexpect state UptimeSeconds 921658\nexpect caption Label25 255:00.58s\n");
  EXPECT_EQ(app::TitleScreen::UptimeText(3723), "001:02.03s");
  Record().SetPlayTime({0, 0, 0, 0});
  State().PlayTimeBaseTick = static_cast<int32_t>(Platform().TickCount());
  State().PlayTimeNominalMs = 0;
  Run("wait 10000\n");  // ticks and clock agree: 10 s
  EXPECT_EQ(Record().PlayTime().Seconds, 10);
}

TEST_F(TitleScreenTest, IdleScoreShowComesAfter202TicksAndReturnsAfter102) {
  StartRevealed();
  Run("key z\nkey z\n");  // a key resets the count
  Run("wait 10050\nexpect visible Panel1\nwait 50\nexpect visible F4Panel\nexpect state IdleScoreShow 1\n");
  Run("wait 5050\nexpect visible F4Panel\nwait 50\nexpect visible Panel1\nexpect state IdleScoreShow 0\n");
  // An open information panel holds the count; so does the brief help.
  Run("key i\nwait 20000\nexpect visible Panel1\nkey a\nkey a\nkey a\nkey a\nexpect state InfoPage 0\n");
  Run("key F1\nwait 20000\nexpect visible Panel1\nkey F1\n");
  // Characters have no use on the score show; it goes back by itself.
  Run("wait 10100\nexpect visible F4Panel\nkey x\nexpect visible F4Panel\nwait 5100\nexpect visible Panel1\n");
}

TEST_F(TitleScreenTest, InformationPagesTurnOnAnyKeyWhileTheKeyStillActs) {
  StartRevealed();
  Run("key I\nexpect state InfoPage 1\nexpect visible Panel6\nexpect visible Image5\n");
  ASSERT_FALSE(C().Image5->Canvas().Texts().empty());
  EXPECT_EQ(C().Image5->Canvas().Texts()[0].text, " -----------------+   DOJ data   +-----------------");
  Run("key r\nexpect state SwitchR 1\nexpect state InfoPage 2\nexpect visible Image7\nexpect visible Panel7\n");
  Run("key SPACE\nexpect state InfoPage 3\nexpect visible Image6\nexpect visible Panel1\n");
  Run("answer no\nkey ESC\nexpect state InfoPage 4\nexpect visible Image8\nexpect visible Panel8\n");
  EXPECT_EQ(Platform().Messages().back().text, "終了しますか？");
  Run("click Label12\nexpect state InfoPage 0\nexpect hidden Panel6\nexpect visible Panel1\n");
  Run("click Label47\nexpect state InfoPage 1\nclick Label47\nexpect state InfoPage 1\n");
}

TEST_F(TitleScreenTest, InfoPageOneDrawsTheRecordAtItsColumns) {
  Run("now 2026-12-07 09:30:00\nstart\nwait 2100\n");
  Record().SetStartDate({2025, 4, 1});
  Record().SetGoodKeys(1234);
  Record().SetModeUse(1, 4, 77);
  Record().SetPlayTime({12, 3, 4, 0});
  Run("key i\n");
  const auto& texts = C().Image5->Canvas().Texts();
  auto find = [&](int y) -> const ui::CanvasText* {
    for (const auto& t : texts)
      if (t.y == y) return &t;
    return nullptr;
  };
  ASSERT_NE(find(13), nullptr);
  EXPECT_EQ(find(13)->text, "(2025/04/01 - 2026/12/07)");
  EXPECT_EQ(find(13)->x, 78);  // trunc(13 × 6.03)
  EXPECT_EQ(find(13)->color, ui::clr::Aqua);
  EXPECT_EQ(find(52)->text, "GOOD:0000001234  MISS:0000000000");
  EXPECT_EQ(find(52)->x, 60);
  EXPECT_EQ(find(156)->text, "ｱｲｳ [30] ... 00000   [60] ... 00077  [120] ... 00000");
  EXPECT_EQ(find(156)->color, ui::clr::Yellow);
  EXPECT_EQ(find(234)->text, " total time.[00012:03.04s]");
}

TEST_F(TitleScreenTest, QuitQuestionNoKeepsEverythingYesCloses) {
  StartRevealed();
  Run("answer no\nkey ESC\nexpect visible Panel1\n");
  EXPECT_FALSE(Form().Closed());
  Run("answer yes\nclick Label48\n");
  EXPECT_TRUE(Form().Closed());
  ASSERT_EQ(Platform().Messages().size(), 2u);
  EXPECT_EQ(Platform().Messages()[1].caption, "DOJOKAI");
  EXPECT_EQ(Platform().Messages()[1].answer, "yes");
}

TEST_F(TitleScreenTest, BriefHelpTwiceRestoresTheTitleExactly) {
  StartRevealed();
  const std::string before = Snapshot();
  Run("key F1\nexpect state BriefHelpShown 1\nexpect visible Label38\nexpect visible Label40\n");
  EXPECT_EQ(C().Label51->BackColor(), ui::clr::Yellow);
  EXPECT_FALSE(C().Label51->Transparent());
  Run("click Label51\nexpect state BriefHelpShown 0\nexpect hidden Label3\n");
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(TitleScreenTest, TitleKeysOfEveryKindDoOnlyWhatTheyShould) {
  StartRevealed();
  const std::string before = Snapshot();
  Run("key F5\nkey F11\nkey KANA\nkey KANA\nkey TAB\nkey BACKSPACE\nkey ENTER\nkey q\nkey 9\nkey ｱ\nkey LEFT\n");
  EXPECT_EQ(Snapshot(), before);
  Run("key v\nexpect visible Label4\nexpect visible Label5\nkey V\nexpect hidden Label4\n");
  Run("key z\nexpect visible Image3\nkey z\nexpect hidden Image3\n");
  Run("key F10\n");
  ASSERT_EQ(Platform().HelpFiles().size(), 1u);
  EXPECT_EQ(Platform().HelpFiles()[0], dir.path().toStdString() + "/dojokai.hlp");
  Run("key SPACE\nexpect visible F6Panel\nexpect hidden Panel1\n");
}

}  // namespace
