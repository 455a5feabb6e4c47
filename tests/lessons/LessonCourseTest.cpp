#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "DriverFixture.h"

namespace {

constexpr char kTestSet[] = "abcdefghijklmnopqrstuvwxyz1234567890,./;";

struct LessonCourseTest : DriverFixture {
  // The window runs (its first tick let keys in) and the course is entered as the menu does.
  void Enter() {
    Run("start\nwait 50\n");
    Form().Lessons().StartLessonCourse();
    ShowScreen(C().FLPanel);
  }
  // Types CP932 bytes as keystrokes.
  void Type(std::string_view bytes) {
    std::string line = "type \"";
    for (unsigned char b : bytes) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      line += hex;
    }
    Run(line + "\"\n");
  }
  void Wait(int ms) { Run("wait " + std::to_string(ms) + "\n"); }
  std::string Sequence() { return reinterpret_cast<const char*>(Form().Lessons().Sequence()); }
  // Types the rest of the practice sequence with `misses` wrong keys (one of them a key outside
  // every practice set) before its last character.
  void TypePractice(int misses) {
    const std::string seq = Sequence();
    for (size_t i = State().SeqPos; i < seq.size(); ++i) {
      if (i + 1 == seq.size())
        for (int m = 0; m < misses; ++m) Type(m == 0 ? "@" : seq[i] == 'x' ? "y" : "x");
      Type(std::string(1, seq[i]));
    }
  }
  // Lesson 1 (or any key lesson) up to its practice: the intro keys, then the pause.
  void IntroThenPractice(std::string_view keys) {
    Type(keys);
    Wait(1200);
  }
  // Everything a key could change besides the key flash.
  std::string Snapshot() {
    const auto& s = State();
    std::string t;
    for (int v :
         {s.LessonNo, s.LessonDrill, s.IntroStep, s.SwallowKey, s.SeqReady, s.LessonMisses, s.MessageTicks, s.SeqPos})
      t += std::to_string(v) + ",";
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             C().Panel1, C().FLPanel, C().FLL1, C().FLL2, C().FLL3, C().FLL4, C().FLL5, C().FLL6, C().FLL7, C().FLL8,
             C().FLL9, C().FLL11, C().FLL12, C().FLL13, C().FLP7, C().FLP8, C().FLM1})
      t += c->Name() + (c->Visible() ? "+" : "-") + c->Caption() + ";";
    return t + Sequence();
  }
};

TEST_F(LessonCourseTest, Lesson1IntroductionShowsEachKeyWithItsFingerAndPausesBeforeThePractice) {
  Enter();
  Wait(100);
  EXPECT_EQ(C().FLL5->Caption(), "lesson 1-1  基本位置");
  EXPECT_EQ(C().FLL1->Caption(), "f を[左手人差し指]で押す");
  EXPECT_EQ(C().FLP_F->BackColor(), ui::clr::Red);

  Type("d");  // not the key asked for
  EXPECT_EQ(State().IntroStep, 0);
  EXPECT_EQ(C().FLL2->Caption(), " ");
  EXPECT_EQ(C().FLL6->Caption(), " ");
  EXPECT_EQ(C().FLP_D->BackColor(), ui::clr::Black);

  Type("f");
  EXPECT_EQ(State().IntroStep, 1);
  EXPECT_EQ(C().FLL2->Caption(), "d を[左手  中  指]で押す");
  EXPECT_EQ(C().FLL6->Caption(), ">>  [左手人差し指]の基本位置");
  EXPECT_EQ(C().FLP_D->BackColor(), ui::clr::Red);
  EXPECT_EQ(C().FLP_F->BackColor(), ui::clr::Black);
  Type("ds");
  EXPECT_EQ(C().FLL3->Caption(), "s を[左手  薬  指]で押す");
  EXPECT_EQ(C().FLL7->Caption(), ">>  [左手  中  指]の基本位置");
  EXPECT_EQ(C().FLL4->Caption(), "a を[左手  小  指]で押す");
  EXPECT_EQ(C().FLL8->Caption(), ">>  [左手  薬  指]の基本位置");
  EXPECT_EQ(State().SwallowKey, 0);
  Type("a");
  EXPECT_EQ(C().FLL9->Caption(), ">>  [左手  小  指]の基本位置");
  EXPECT_EQ(C().FLL1->Caption(), "f を[左手人差し指]で押す");
  EXPECT_EQ(State().LessonDrill, 1);
  EXPECT_EQ(State().IntroStep, 0);
  EXPECT_EQ(State().SwallowKey, 1);

  // The second after the last intro key keeps the introduction; its first key is swallowed.
  Wait(1000);
  EXPECT_TRUE(C().FLL9->Visible());
  EXPECT_FALSE(C().FLP7->Visible());
  Type("f");
  EXPECT_EQ(State().SwallowKey, 0);
  EXPECT_EQ(State().SeqReady, 0);
  EXPECT_EQ(State().LessonMisses, 0);

  Wait(100);
  EXPECT_EQ(State().SeqReady, 1);
  EXPECT_TRUE(C().FLP7->Visible());
  EXPECT_TRUE(C().FLL13->Visible());
  EXPECT_FALSE(C().FLL1->Visible());
  EXPECT_FALSE(C().FLL9->Visible());
  EXPECT_EQ(C().FLL5->Caption(), "lesson 1-2  ｆｄｓａ の練習");
  const std::string seq = Sequence();
  ASSERT_EQ(seq.size(), 50u);
  EXPECT_EQ(C().FLP7->Caption(), seq.substr(0, 1));
}

TEST_F(LessonCourseTest, TwoKeyLessonIntroducesItsKeysWithBothIndexFingers) {
  Enter();
  Run("key TAB\nkey TAB\nwait 100\n");  // lesson 3
  EXPECT_EQ(C().FLL1->Caption(), "g を[左手人差し指]で押す");
  EXPECT_EQ(C().FLP_G->BackColor(), ui::clr::Red);
  Type("g");
  EXPECT_EQ(C().FLL2->Caption(), "h を[右手人差し指]で押す");
  EXPECT_EQ(C().FLL6->Caption(), ">>  [左手人差し指]の基本位置");
  Type("h");
  EXPECT_EQ(C().FLL3->Caption(), "");  // no third key
  EXPECT_EQ(C().FLL7->Caption(), ">>  [右手人差し指]の基本位置");
  EXPECT_EQ(State().LessonDrill, 1);
  Wait(1200);
  EXPECT_EQ(C().FLL5->Caption(), "lesson 3-2 asdfghjkl;の練習");

  // Marks of the course's punctuation keys.
  Run("key TAB\nkey TAB\nkey TAB\nkey TAB\nkey TAB\nwait 100\n");  // lesson 8
  EXPECT_EQ(State().LessonNo, 8);
  EXPECT_EQ(C().FLL1->Caption(), "m を[右手人差し指]で押す");
  Type("m");
  EXPECT_EQ(C().FLP_KM->BackColor(), ui::clr::Red);
  Type(",");
  EXPECT_EQ(C().FLP_PR->BackColor(), ui::clr::Red);
  Type(".");
  EXPECT_EQ(C().FLP_SR->BackColor(), ui::clr::Red);
  EXPECT_EQ(C().FLP_KM->BackColor(), ui::clr::Black);
}

TEST_F(LessonCourseTest, FiveMissesPassAndSixRepeatTheLessonWithANewSequence) {
  Enter();
  IntroThenPractice("fdsa");
  const std::string seq = Sequence();
  // A wrong key, even one outside the practice set, counts and keeps the position.
  Type(seq[0] == 'f' ? "d" : "f");
  Type("q");
  EXPECT_EQ(State().LessonMisses, 2);
  EXPECT_EQ(State().SeqPos, 0);
  EXPECT_EQ(C().FLP7->Caption(), seq.substr(0, 1));
  Type(seq.substr(0, 1));
  EXPECT_EQ(State().SeqPos, 1);
  EXPECT_EQ(C().FLP7->Caption(), seq.substr(1, 1));
  EXPECT_EQ(State().LessonMisses, 2);
  // The mark stays on the key just typed until the next refresh.
  EXPECT_EQ((C().*(seq[0] == 'f'   ? &ui::MainControls::FLP_F
                   : seq[0] == 'd' ? &ui::MainControls::FLP_D
                   : seq[0] == 's' ? &ui::MainControls::FLP_S
                                   : &ui::MainControls::FLP_A))
                ->BackColor(),
            ui::clr::Red);
  TypePractice(3);
  EXPECT_EQ(State().LessonNo, 2);
  EXPECT_EQ(State().LessonDrill, 0);
  EXPECT_EQ(State().MessageTicks, 30);
  EXPECT_TRUE(C().FLL11->Visible());
  EXPECT_FALSE(C().FLL12->Visible());

  Wait(3100);
  EXPECT_FALSE(C().FLL11->Visible());
  EXPECT_FALSE(C().FLP7->Visible());
  EXPECT_TRUE(C().FLL1->Visible());
  EXPECT_EQ(C().FLL5->Caption(), "lesson 2-1  基本位置");
  EXPECT_EQ(C().FLL1->Caption(), "j を[右手人差し指]で押す");
  EXPECT_EQ(C().FLL2->Caption(), " ");

  IntroThenPractice("jkl;");
  EXPECT_EQ(C().FLL5->Caption(), "lesson 2-2  ｊｋｌ； の練習");
  const std::string failed = Sequence();
  TypePractice(6);
  EXPECT_EQ(State().LessonNo, 2);
  EXPECT_EQ(State().SeqReady, 0);
  EXPECT_EQ(State().MessageTicks, 30);
  EXPECT_TRUE(C().FLL12->Visible());
  EXPECT_FALSE(C().FLL11->Visible());
  Wait(2000);
  EXPECT_TRUE(C().FLL12->Visible());
  Wait(1100);
  EXPECT_FALSE(C().FLL12->Visible());
  EXPECT_EQ(State().SeqReady, 1);
  EXPECT_EQ(State().SeqPos, 0);
  EXPECT_EQ(State().LessonMisses, 0);
  EXPECT_NE(Sequence(), failed);
  EXPECT_EQ(C().FLL5->Caption(), "lesson 2-2  ｊｋｌ； の練習");
}

TEST_F(LessonCourseTest, DrawnSequencesComeFromTheSetWithoutNeighbourRepeats) {
  Enter();
  const char* sets[] = {"fdsa", "jkl;", "asdfghjkl;", "rewq", "uiop", "qwertyuiop",
                        "vcxz", "m,./", "zxcvbnm,./", "4321", "7890", "1234567890"};
  for (int lesson = 1; lesson <= 14; ++lesson) {
    if (lesson == 13) continue;
    const std::string set = lesson == 14 ? kTestSet : sets[lesson - 1];
    for (int draw = 0; draw < 5; ++draw) {
      State().LessonNo = lesson;
      State().LessonDrill = 1;
      State().SeqReady = 0;
      Wait(1000);  // a new second draws anew
      const std::string seq = Sequence();
      ASSERT_EQ(seq.size(), lesson == 14 ? 100u : 50u) << lesson;
      for (size_t i = 0; i < seq.size(); ++i) {
        EXPECT_NE(set.find(seq[i]), std::string::npos) << lesson << " " << seq;
        if (i > 0) {
          EXPECT_NE(seq[i], seq[i - 1]) << lesson << " " << seq;
        }
      }
    }
  }
}

TEST_F(LessonCourseTest, TestScoresHundredLessOnePerMissAndNeverBelowZero) {
  struct Case {
    int misses;
    const char* score;
  };
  for (const Case& c : {Case{0, "100 点"}, Case{37, "63 点"}, Case{99, "1 点"}, Case{100, "0 点"}, Case{140, "0 点"}}) {
    Enter();
    for (int i = 0; i < 13; ++i) Run("key TAB\n");
    Wait(100);
    if (c.misses == 140) {
      Run("key TAB\n");  // the test cannot be skipped
      EXPECT_EQ(State().LessonNo, 14);
    }
    TypePractice(c.misses);
    EXPECT_EQ(State().LessonNo, 15) << c.misses;
    EXPECT_EQ(C().FLP8->Caption(), c.score) << c.misses;
    EXPECT_TRUE(C().FLP8->Visible());
    EXPECT_TRUE(C().FLM1->Visible());
    EXPECT_FALSE(C().FLP7->Visible());
    EXPECT_FALSE(C().FLL13->Visible());
    EXPECT_FALSE(C().FLL12->Visible());
    EXPECT_EQ(C().FLL5->Caption(), "lesson 14試験");
    if (c.misses < 140) {
      Run("close\n");
      driver = std::make_unique<drive::Driver>(dir.path().toStdString(), out, err);
    }
  }
  // Tab does nothing on the ending, and a rescale keeps its title.
  Run("key TAB\nwait 500\nresize 960 600\n");
  EXPECT_EQ(State().LessonNo, 15);
  EXPECT_TRUE(C().FLM1->Visible());
  EXPECT_FALSE(C().FLP7->Visible());
  EXPECT_EQ(C().FLL5->Caption(), "lesson 14試験");
}

TEST_F(LessonCourseTest, LeavingInLesson7AndEnteringAgainStartsAtLesson1WithAnEmptyIntroduction) {
  Enter();
  Type("fd");  // a started introduction goes with its lesson
  for (int lesson = 2; lesson <= 7; ++lesson) {
    Run("key TAB\n");
    EXPECT_EQ(State().LessonNo, lesson);
    EXPECT_EQ(State().IntroStep, 0);
    EXPECT_EQ(C().FLL2->Caption(), " ");
  }
  Wait(100);
  Type("vc");
  EXPECT_EQ(State().LessonNo, 7);
  EXPECT_EQ(C().FLL3->Caption(), "x を[左手  薬  指]で押す");
  Run("key ESC\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_FALSE(C().FLPanel->Visible());
  Wait(500);  // the timer goes on behind the title
  EXPECT_EQ(State().LessonNo, 7);

  Form().Lessons().StartLessonCourse();
  ShowScreen(C().FLPanel);
  EXPECT_EQ(State().LessonNo, 1);
  EXPECT_EQ(State().IntroStep, 0);
  EXPECT_EQ(State().LessonDrill, 0);
  for (ui::Label* l : {C().FLL1, C().FLL2, C().FLL3, C().FLL4, C().FLL6, C().FLL7, C().FLL8, C().FLL9}) {
    EXPECT_EQ(l->Caption(), " ") << l->Name();
    EXPECT_TRUE(l->Visible()) << l->Name();
  }
  Wait(100);
  EXPECT_EQ(C().FLL1->Caption(), "f を[左手人差し指]で押す");
  EXPECT_EQ(C().FLL3->Caption(), " ");

  // The ESC:exit panel leaves like the key.
  Run("click FLP9\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_FALSE(C().FLPanel->Visible());
}

TEST_F(LessonCourseTest, PressedKeysFlashTheirCapsByTheJisLayout) {
  Enter();
  struct Case {
    const char* bytes;
    ui::Panel* ui::MainControls::*cap;
    ui::Color capColor;
    ui::Panel* ui::MainControls::*shift;  // lit blue, or null
  };
  using MC = ui::MainControls;
  const Case cases[] = {
      {"f", &MC::FLP_F, ui::clr::Lime, nullptr},          {"F", &MC::FLP_F, ui::clr::Lime, nullptr},
      {" ", &MC::FLP_SPC, ui::clr::Lime, nullptr},        {"\\", &MC::FLP_EN, ui::clr::Lime, nullptr},
      {"#", &MC::FLP_3, ui::clr::Lime, &MC::FLP_SFTR},    {"\"", &MC::FLP_2, ui::clr::Lime, &MC::FLP_SFTR},
      {"&", &MC::FLP_6, ui::clr::Lime, &MC::FLP_SFT},     {"?", &MC::FLP_SR, ui::clr::Lime, &MC::FLP_SFT},
      {"+", &MC::FLP_SK, ui::clr::Blue, &MC::FLP_SFT},    {"_", &MC::FLP_AB, ui::clr::Blue, &MC::FLP_SFT},
      {"`", &MC::FLP_AD, ui::clr::Blue, &MC::FLP_SFT},    {"~", &MC::FLP_HT, ui::clr::Blue, &MC::FLP_SFT},
      {"\xDB", &MC::FLP_AB, ui::clr::Lime, nullptr},       // ﾛ
      {"\xB0", &MC::FLP_EN, ui::clr::Lime, nullptr},       // ｰ
      {"\xAF", &MC::FLP_Z, ui::clr::Lime, &MC::FLP_SFTR},  // ｯ
      {"\xA8", &MC::FLP_E, ui::clr::Lime, &MC::FLP_SFTR},  // ｨ
      {"\xA6", &MC::FLP_0, ui::clr::Lime, &MC::FLP_SFT},   // ｦ
      {"\xA5", &MC::FLP_SR, ui::clr::Lime, &MC::FLP_SFT},  // ･
  };
  for (const Case& c : cases) {
    Type(c.bytes);
    for (ui::Panel* p : {C().FLP_1, C().FLP_2, C().FLP_3, C().FLP_6, C().FLP_0, C().FLP_E, C().FLP_F, C().FLP_Z,
                         C().FLP_SR, C().FLP_SK, C().FLP_AB, C().FLP_AD, C().FLP_HT, C().FLP_EN, C().FLP_SPC}) {
      EXPECT_EQ(p->FontColor(), p == C().*c.cap ? c.capColor : ui::clr::White) << c.bytes << " " << p->Name();
    }
    for (ui::Panel* p : {C().FLP_SFT, C().FLP_SFTR})
      EXPECT_EQ(p->FontColor(), c.shift && p == C().*c.shift ? ui::clr::Blue : ui::clr::Silver)
          << c.bytes << " " << p->Name();
  }
  // Characters of no cap light nothing.
  for (const char* none : {"<", ">", "|", "\xA2"}) {  // ｢
    Type(none);
    for (const auto& control : Form().Controls().All()) {
      if (control->Tag() == 30000) {
        EXPECT_TRUE(control->FontColor() == ui::clr::White || control->FontColor() == ui::clr::Silver)
            << none << " " << control->Name();
      }
    }
  }
  // The flash goes after two ticks and the next one.
  Type("#");
  Wait(200);
  EXPECT_EQ(C().FLP_3->FontColor(), ui::clr::Lime);
  Wait(100);
  EXPECT_EQ(C().FLP_3->FontColor(), ui::clr::White);
  EXPECT_EQ(C().FLP_SFTR->FontColor(), ui::clr::Silver);
  EXPECT_EQ(State().KeyFlashPending, 0);
}

TEST_F(LessonCourseTest, KeysDoOnlyWhatEachStateAllows) {
  Enter();
  Wait(100);
  // Introduction: every wrong character leaves the course as it was.
  const std::string intro = Snapshot();
  for (int ch = 1; ch < 256; ++ch) {
    if (ch == 'f') continue;
    Form().OnKeyChar(static_cast<uint8_t>(ch));
    ASSERT_EQ(Snapshot(), intro) << ch;
  }
  // Function keys on the lesson screen change no switch.
  Run("key F3\nkey F4\nkey F1\n");
  EXPECT_EQ(State().SwitchT, 0);
  EXPECT_EQ(State().SwitchK, 0);
  EXPECT_TRUE(C().FLPanel->Visible());

  // Practice: Enter and Backspace are wrong keys like any other.
  IntroThenPractice("fdsa");
  Run("key ENTER\nkey BACKSPACE\n");
  EXPECT_EQ(State().LessonMisses, 2);
  EXPECT_EQ(State().SeqPos, 0);
  // Keys go on during the pass message: the next lesson's introduction takes them.
  TypePractice(0);
  ASSERT_EQ(State().LessonNo, 2);
  Type("j");
  EXPECT_EQ(State().IntroStep, 1);
  EXPECT_TRUE(C().FLL11->Visible());

  // Ending: only Space acts.
  for (int i = 0; i < 12; ++i) Run("key TAB\n");
  Wait(100);
  TypePractice(0);
  ASSERT_EQ(State().LessonNo, 15);
  const std::string ending = Snapshot();
  for (int ch = 1; ch < 256; ++ch) {
    if (ch == ' ') continue;
    Form().OnKeyChar(static_cast<uint8_t>(ch));
    ASSERT_EQ(Snapshot(), ending) << ch;
  }
  Run("key SPACE\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_FALSE(C().FLPanel->Visible());
}

TEST_F(LessonCourseTest, AWholeCourseTypedKeyByKeyEndsWithFullMarks) {
  Enter();
  Wait(100);
  ui::Label* keyLines[] = {C().FLL1, C().FLL2, C().FLL3, C().FLL4};
  int keys = 0;
  while (State().LessonNo <= 14 && keys < 5000) {
    if (State().MessageTicks > 0 || (State().SeqReady == 0 && (State().LessonDrill == 1 || State().LessonNo >= 13))) {
      Wait(100);
      continue;
    }
    if (State().LessonDrill == 0 && State().LessonNo <= 12) {
      // The key line of the step names the key first; after a pass it comes with the next tick.
      const std::string line = keyLines[State().IntroStep]->Caption();
      if (line.size() < 2) {
        Wait(100);
        continue;
      }
      Type(line.substr(0, 1));
    } else {
      ASSERT_EQ(C().FLP7->Caption(), Sequence().substr(State().SeqPos, 1));
      Type(C().FLP7->Caption());
      EXPECT_EQ(State().LessonMisses, 0);
    }
    ++keys;
  }
  EXPECT_EQ(State().LessonNo, 15);
  // 40 intro keys, twelve practices of 50, the final practice and the test.
  EXPECT_EQ(keys, 40 + 12 * 50 + 36 + 100);
  EXPECT_EQ(C().FLP8->Caption(), "100 点");
  EXPECT_EQ(C().FLM1->TextUtf8().find("練習モードクリア　おめでとう") != std::string::npos, true);
  Run("key SPACE\n");
  EXPECT_TRUE(C().Panel1->Visible());
}

}  // namespace
