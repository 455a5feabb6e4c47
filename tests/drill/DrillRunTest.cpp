#include <gtest/gtest.h>

#include <vector>

#include "DriverFixture.h"
#include "platform/Cp932.h"

namespace {

struct DrillRunTest : DriverFixture {
  // From the title: `titleKeys` (switches), Space, Space `spaces` more times for the time
  // setting, then the mode's digit starts the drill.
  void StartDrill(char digit, int spaces = 0, const std::string& titleKeys = "") {
    driver = std::make_unique<drive::Driver>(dir.path().toStdString(), out, err);
    std::string script = "start\nwait 2100\n" + titleKeys + "key SPACE\n";
    for (int i = 0; i < spaces; ++i) script += "key SPACE\n";
    Run(script + "key " + digit + "\n");
    ASSERT_TRUE(C().F1Panel->Visible());
  }
  // Restarts the running drill on a text of the test's own, as the mode select would.
  void UseText(const uint8_t* text, size_t size) {
    Form().F1T1.SetEnabled(false);
    State().DrillText = {text, size};
    State().Score = State().Good = State().Miss = 0;
    Form().Drill().StartDrill();
  }
  void Key(uint8_t ch) { Form().Drill().DrillKey(ch); }
  std::string Caption(ui::Control* c) { return c->Caption(); }
};

TEST_F(DrillRunTest, WrongKeysBeforeTheFirstHitAreIgnored) {
  StartDrill('1');
  Run("type xyzQ\nkey ENTER\nkey BACKSPACE\nwait 1000\n");
  EXPECT_EQ(State().Good + State().Miss + State().Score, 0);
  EXPECT_FALSE(Form().F1T1.Enabled());
  EXPECT_EQ(State().DrillRunning, 0);
  EXPECT_EQ(Record().TotalKeys(), 0u);
  EXPECT_EQ(Caption(C().F1L2), "030.0");
  EXPECT_EQ(Caption(C().F1L9), "     abcdef");

  Run("key a\n");
  EXPECT_EQ(State().Good, 1);
  EXPECT_EQ(State().Score, 16);
  EXPECT_TRUE(Form().F1T1.Enabled());
  EXPECT_EQ(State().DrillRunning, 1);
  EXPECT_EQ(Caption(C().F1L4), "00016");
  EXPECT_EQ(Caption(C().F1L6), "1");
  EXPECT_EQ(Caption(C().F1L9), "    abcdefg");
  EXPECT_EQ(Caption(C().F1L15), "     b");
  Run("key x\nwait 1000\n");
  EXPECT_EQ(State().Miss, 1);
  EXPECT_EQ(State().Score, 0);
  EXPECT_EQ(Caption(C().F1L8), "1");
  EXPECT_EQ(Caption(C().F1L2), "029.0");
  EXPECT_EQ(Record().TotalKeys(), 2u);
  EXPECT_EQ(Record().GoodKeys(), 1u);
  EXPECT_EQ(Record().MissKeys(), 1u);
  EXPECT_EQ(Record().TodayGood(), 1);
  EXPECT_EQ(State().GoodSinceStart, 1);
}

TEST_F(DrillRunTest, TheTextRepeatsFromItsStartAndShortTextsFillTheWindow) {
  StartDrill('1');
  Run("type abcdefghijklmnopqrstuvwxyz\n");
  EXPECT_EQ(Caption(C().F1L9), "vwxyzabcdef");
  EXPECT_EQ(Caption(C().F1L15), "     a");
  Run("type abc\n");  // the 27th character is 'a' again
  EXPECT_EQ(State().Good, 29);
  EXPECT_EQ(State().Miss, 0);
  EXPECT_EQ(State().TextPos, 3);

  static const uint8_t kShort[] = {'a', 'b'};
  UseText(kShort, sizeof kShort);
  EXPECT_EQ(Caption(C().F1L9), "     ababab");
  Run("type aba\n");
  EXPECT_EQ(Caption(C().F1L9), "  ababababa");
  EXPECT_EQ(State().Good, 3);
}

TEST_F(DrillRunTest, SwitchBFoldsUpperAndLowerCase) {
  StartDrill('1');
  Run("key A\nkey a\nkey B\n");
  EXPECT_EQ(State().Good, 1);
  EXPECT_EQ(State().Miss, 1);

  StartDrill('1', 0, "key b\n");
  static const uint8_t kMixed[] = {'a', 'B', 'c', 'D'};
  UseText(kMixed, sizeof kMixed);
  Run("type AbCd\n");
  EXPECT_EQ(State().Good, 4);
  EXPECT_EQ(State().Miss, 0);
}

TEST_F(DrillRunTest, KanaModesMapKeysByTheKanaLayoutAndTheShiftKey) {
  StartDrill('5');
  Run("key 3\nkey e\nkey ｳ\n");  // ｱ, ｲ and ｳ typed with the kana lock on
  EXPECT_EQ(State().Good, 3);
  EXPECT_EQ(State().Miss, 0);

  static const uint8_t kText[] = {0xA6, 0xA8, 0xAF, 0xDB, 0xDB, 0xB1};  // ｦｨｯﾛﾛｱ
  UseText(kText, sizeof kText);
  Run("key shift+0\nkey shift+e\nkey shift+z\nkey RO\n");
  EXPECT_EQ(State().Good, 4);
  EXPECT_EQ(State().Miss, 0);  // the ro key's own '\' is not judged again
  Run("kanalock on\nkey RO\nkanalock off\nkey 0\n");
  EXPECT_EQ(State().Good, 5);
  EXPECT_EQ(State().Miss, 1);  // 0 without Shift is ﾜ
}

// Esc ends the drill, and the clock's next tick ends it a second time (the splash starts
// over): the end is told once, after the Esc's miss is counted.
TEST_F(DrillRunTest, TheEndOfADrillIsToldOnceWithTheEscCounted) {
  StartDrill('1');
  std::vector<int> told;
  Form().Drill().Ended.Listen([&] { told.push_back(State().Miss); });
  Run("type abc\nkey ESC\nwait 300\n");
  EXPECT_EQ(told, std::vector<int>{1});
  EXPECT_TRUE(C().F8Panel->Visible());
}

TEST_F(DrillRunTest, TheMissLimiterEndsTheDrillAtTheNinthMiss) {
  StartDrill('1', 0, "key +\n");
  Run("key a\ntype 11111111\n");
  EXPECT_TRUE(C().F1Panel->Visible());
  Run("key 1\n");
  EXPECT_FALSE(C().F1Panel->Visible());
  EXPECT_TRUE(C().F8Panel->Visible());
  EXPECT_EQ(State().Miss, 9);
  EXPECT_EQ(State().TimeLeft, 0);

  // Untimed: the result is dropped and the title follows.
  StartDrill('1', 3, "key +\n");
  Run("key a\ntype 111111111\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_FALSE(C().F1Panel->Visible());
  EXPECT_EQ(State().Good + State().Score, 0);

  StartDrill('1');
  Run("key a\ntype 11111111111111111111\n");
  EXPECT_TRUE(C().F1Panel->Visible());
  EXPECT_EQ(State().Miss, 20);
}

TEST_F(DrillRunTest, ScoreIsKeptBetween0And65535) {
  StartDrill('1');
  Run("key a\ntype 11111111111\n");
  EXPECT_EQ(State().Score, 0);
  Run("type bcdefghij\n");
  EXPECT_EQ(State().Good, 10);
  EXPECT_EQ(State().Miss, 11);
  EXPECT_EQ(State().Score, 0);
  EXPECT_EQ(Caption(C().F1L4), "00000");

  StartDrill('1', 3);
  for (int i = 0; i < 5000; ++i) Key(static_cast<uint8_t>('a' + i % 26));
  EXPECT_EQ(State().Good, 5000);
  EXPECT_EQ(State().Score, 65535);
  EXPECT_EQ(Caption(C().F1L4), "65535");
  EXPECT_EQ(Caption(C().F1L6), "5000");
}

TEST_F(DrillRunTest, CountersSaturate) {
  StartDrill('1');
  Record().SetTotalKeys(UINT32_MAX);
  Record().SetGoodKeys(UINT32_MAX);
  Record().SetMissKeys(UINT32_MAX);
  Record().SetTodayGood(65535);
  State().GoodSinceStart = 65535;
  Run("key a\nkey 1\n");
  EXPECT_EQ(Record().TotalKeys(), UINT32_MAX);
  EXPECT_EQ(Record().GoodKeys(), UINT32_MAX);
  EXPECT_EQ(Record().MissKeys(), UINT32_MAX);
  EXPECT_EQ(Record().TodayGood(), 65535);
  EXPECT_EQ(State().GoodSinceStart, 65535);
}

TEST_F(DrillRunTest, EscInARunningDrillCountsAsAMissAndTheClockRestartsTheSplash) {
  StartDrill('1');
  Run("type abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwx\ntype 11\nwait 5000\n");
  int splashTicks = 0;
  Form().F8T1.OnTimer = [&] {
    ++splashTicks;
    Form().F8T1.SetEnabled(false);
  };
  Run("key ESC\n");
  EXPECT_EQ(State().Good, 50);
  EXPECT_EQ(State().Miss, 3);
  EXPECT_EQ(State().Score, 752);
  EXPECT_TRUE(C().F8Panel->Visible());
  EXPECT_FALSE(C().F1Panel->Visible());
  // The clock, still running, times out at its next tick and restarts the one-second wait.
  Run("wait 100\n");
  EXPECT_FALSE(Form().F1T1.Enabled());
  EXPECT_EQ(State().TimeLeft, 1);
  EXPECT_EQ(State().DrillRunning, 0);
  Run("wait 950\n");
  EXPECT_EQ(splashTicks, 0);
  Run("wait 100\n");
  EXPECT_EQ(splashTicks, 1);
}

TEST_F(DrillRunTest, EscBeforeTheFirstHitLeavesAtOnce) {
  StartDrill('1');
  Run("key x\nkey ESC\nwait 200\n");
  EXPECT_TRUE(C().F4Panel->Visible());
  EXPECT_FALSE(C().F1Panel->Visible());
  EXPECT_FALSE(C().F8Panel->Visible());
  EXPECT_EQ(State().Good + State().Miss + State().Score, 0);
  EXPECT_EQ(Record().TotalKeys(), 0u);

  StartDrill('1', 3);
  Run("key ESC\n");
  EXPECT_TRUE(C().Panel1->Visible());

  // Untimed and running: the title follows; the clock's last tick leaves the screen the
  // player has gone on to.
  StartDrill('1', 3);
  Run("type abc\nkey ESC\nkey SPACE\nwait 200\n");
  EXPECT_TRUE(C().F6Panel->Visible());
  EXPECT_FALSE(C().Panel1->Visible());
  EXPECT_EQ(State().Good, 0);
  EXPECT_FALSE(Form().F1T1.Enabled());

  // The [ESC] panel acts like the key.
  StartDrill('1');
  Run("key a\nclick F1P50\n");
  EXPECT_TRUE(C().F8Panel->Visible());
  EXPECT_EQ(State().Miss, 1);
}

TEST_F(DrillRunTest, EmptyTextsAndEveryByteInEveryMode) {
  static const uint8_t kEmpty[] = {0};
  for (char digit = '1'; digit <= '7'; ++digit) {
    StartDrill(digit);
    const uint8_t first = State().DrillText.At(0);
    ASSERT_NE(first, 0) << digit;
    Key(first);
    for (int b = 0; b < 256; ++b)
      if (b != 27) Key(static_cast<uint8_t>(b));
    EXPECT_EQ(State().Good + State().Miss, 256) << digit;
    EXPECT_EQ(Record().TotalKeys(), 256u) << digit;
    EXPECT_GE(State().Score, 0);

    // An empty text never starts the clock; Esc leaves.
    UseText(kEmpty, 0);
    for (int b = 0; b < 256; ++b)
      if (b != 27) Key(static_cast<uint8_t>(b));
    EXPECT_EQ(State().Good + State().Miss, 0) << digit;
    EXPECT_FALSE(Form().F1T1.Enabled()) << digit;
    Key(27);
    EXPECT_TRUE(C().F4Panel->Visible()) << digit;
  }
}

TEST_F(DrillRunTest, LidRowsShowTheSplitsOfA60sDrillAndMarkNewBests) {
  StartDrill('1', 1, "key k\n");
  EXPECT_TRUE(C().F1P1->Visible());
  EXPECT_EQ(Caption(C().F1P2), "TIME  SCORE  HSCORE");
  ui::Label* rows[] = {C().F1L16, C().F1L17, C().F1L18, C().F1L19, C().F1L20};
  Run("key a\n");
  const char* first[] = {"010s  00016  00000", "020s  00048  00000", "030s  00080  00000", "040s  00112  00000",
                         "050s  00144  00000"};
  for (int k = 0; k < 5; ++k) {
    Run(k == 0 ? "wait 10100\n" : "wait 10000\n");
    EXPECT_EQ(Caption(rows[k]), first[k]) << k;
    EXPECT_EQ(rows[k]->FontColor(), ui::clr::White) << k;
    if (k < 4) {
      EXPECT_EQ(Caption(rows[k + 1]), "") << k;
    }
    Run(std::string("type ") + "bcdefghijk"[2 * k] + "bcdefghijk"[2 * k + 1] + "\n");
  }
  EXPECT_EQ(State().CheckpointBest[0][1][4], 144);
  Run("wait 11000\n");  // time out
  EXPECT_FALSE(Form().F1T1.Enabled());

  // The next 60-s drill: equal is no new best, more is (lime).
  ShowScreen(C().F6Panel);
  Run("key 1\n");
  for (ui::Label* row : rows) EXPECT_EQ(Caption(row), "");
  Run("key a\nwait 10100\ntype bcdef\nwait 10000\n");
  EXPECT_EQ(Caption(rows[0]), "010s  00016  00016");
  EXPECT_EQ(rows[0]->FontColor(), ui::clr::White);
  EXPECT_EQ(Caption(rows[1]), "020s  00096  00048");
  EXPECT_EQ(rows[1]->FontColor(), ui::clr::Lime);
  EXPECT_EQ(State().CheckpointBest[0][1][1], 96);
}

TEST_F(DrillRunTest, LidTitleShowsThePlaceAndTheScoreToBeat) {
  StartDrill('1');
  for (int r = 0; r < 10; ++r) Record().SetRankEntry(0, r, {{}, static_cast<uint16_t>(1000 - 100 * r), 0, 0});
  struct Case {
    int score;
    const char* title;
    ui::Color colour;
  };
  const Case cases[] = {{1001, "No. 1 ### TOP ###", ui::clr::Red}, {1000, "No. 2(next->1000)", ui::clr::Yellow},
                        {850, "No. 3(next->900)", ui::clr::Aqua},  {650, "No. 5(next->700)", ui::clr::Lime},
                        {250, "No. 9(next->300)", ui::clr::Green}, {150, "No.10(next->200)", ui::clr::Blue},
                        {100, "*****(next->100)", ui::clr::Blue}};
  for (const Case& c : cases) {
    State().Score = c.score;
    Form().Drill().RefreshDrillScreen();
    EXPECT_EQ(Caption(C().Label39), c.title) << c.score;
    EXPECT_EQ(C().Label39->FontColor(), c.colour) << c.score;
  }
  StartDrill('1', 3);
  EXPECT_EQ(Caption(C().Label39), ">>>  ETERNAL  <<<");
  EXPECT_EQ(C().Label39->FontColor(), ui::clr::Yellow);
  EXPECT_EQ(Caption(C().F1P2), "TIME  TODAY  TYPE/S");
  EXPECT_EQ(Caption(C().F1L2), "999.9");
}

TEST_F(DrillRunTest, RateReadoutAndTheUntimedHistory) {
  StartDrill('1', 0, "key t\n");
  EXPECT_TRUE(C().F1L23->Visible());
  // 99 keys and the Esc that ends the drill: 100 keystrokes in 30 s.
  Run("type abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz\nwait 20000\n"
      "type abcdefghijklmnopqrstuvwxyz111111111111111111111\nkey ESC\n");
  EXPECT_EQ(State().KeyRate, 3333);
  EXPECT_EQ(Caption(C().F1L23), " 3.333 k/s");

  // Untimed: the rate of the last ten seconds; the lid's top row follows every second and
  // every 30 s a line goes into the history below it.
  StartDrill('1', 3, "key t\n");
  Run("type abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwx\nwait 10000\n");
  EXPECT_EQ(Caption(C().F1L23), " 5.000 k/s");
  EXPECT_EQ(Caption(C().F1L16), "  10     50   5.050 k/s (303k/m)");
  EXPECT_EQ(Caption(C().F1L2), "999.9");
  EXPECT_EQ(Caption(C().F1L17), "");
  Run("wait 20000\n");
  const std::string pushed = Caption(C().F1L17);
  EXPECT_EQ(pushed.substr(0, 4), "  30");
  EXPECT_EQ(C().F1L17->FontColor(), C().F1L21->FontColor());
  Run("wait 30000\n");
  EXPECT_EQ(Caption(C().F1L18), pushed);
  EXPECT_EQ(Caption(C().F1L17).substr(0, 4), "  60");
  EXPECT_TRUE(C().F1Panel->Visible());
}

}  // namespace

namespace {

using Sound = plat::Platform::Sound;

// Only judged keys sound: wrong keys before the first hit, modifier keys and the Esc that
// ends the drill are silent, and each switch governs its own sound from the next key on.
TEST_F(DrillRunTest, JudgedKeysSoundByTheirSwitches) {
  StartDrill('1');
  Run("type abx\n");
  EXPECT_TRUE(Platform().Sounds().empty());  // both switches off: silence

  StartDrill('1');
  Form().Options().romaji.keySound = true;
  Form().Options().romaji.missSound = true;
  Run("type xy\nkey SHIFT\nkey CTRL\n");  // before the first hit, and no characters
  EXPECT_TRUE(Platform().Sounds().empty());
  Run("type ab\nkey SHIFT\nkey x\nkey ENTER\n");
  EXPECT_EQ(Platform().Sounds(), (std::vector<Sound>{Sound::Key, Sound::Key, Sound::Miss, Sound::Miss}));
  Run("key ESC\n");
  EXPECT_EQ(State().Miss, 3);                 // Esc counts as a miss ...
  EXPECT_EQ(Platform().Sounds().size(), 4u);  // ... but is no typing to hear

  StartDrill('1');
  Form().Options().romaji.missSound = true;
  Run("type ab1\n");
  EXPECT_EQ(Platform().Sounds(), std::vector<Sound>{Sound::Miss});
  Form().Options().romaji.missSound = false;
  Form().Options().romaji.keySound = true;
  Run("type 1c\n");
  EXPECT_EQ(Platform().Sounds(), (std::vector<Sound>{Sound::Miss, Sound::Key}));
}

TEST_F(DrillRunTest, TheRoKeysEchoPlaysNoSecondSound) {
  StartDrill('5');
  Form().Options().romaji.keySound = true;
  static const uint8_t kText[] = {0xDB, 0xB1};  // ﾛｱ
  UseText(kText, sizeof kText);
  Run("key RO\n");  // '_' from the key-down, then the key's own backslash, which is not judged
  EXPECT_EQ(State().Good, 1);
  EXPECT_EQ(Platform().Sounds(), std::vector<Sound>{Sound::Key});
}

}  // namespace
