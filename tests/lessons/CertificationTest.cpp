#include <gtest/gtest.h>

#include "DriverFixture.h"
#include "platform/Cp932.h"

namespace {

struct CertificationTest : DriverFixture {
  void SetUp() override {
    DriverFixture::SetUp();
    Run("start\nwait 2100\n");
    State().CertSwitch = 1;
    Record().SetCertName({'T', 'A', 'R', 'O', ' ', ' ', ' ', ' ', ' ', ' '});
  }
  // A drill has ended on the results screen; Space there opens the judgement.
  void FinishDrill(int mode, int durationIndex, int score, int miss = 0) {
    State().Mode = mode;
    State().DurationIndex = durationIndex;
    State().Score = score;
    State().Good = score / 16 + miss;
    State().Miss = miss;
    ShowScreen(C().F4Panel);
    Run("key SPACE\n");
  }
  void Key() { Run("key SPACE\n"); }
  bool OnJudgement() { return C().LmPanel->Visible() && !C().F4Panel->Visible() && !C().Panel1->Visible(); }
  bool OnTitle() { return C().Panel1->Visible() && !C().LmPanel->Visible(); }
  int Grade(int mode, int durationIndex) { return Form().Certification().GetCertGrade(mode, durationIndex); }
  // Which of LmL1..LmL4 and the certificate are showing, as "1234C".
  std::string Shown() {
    std::string s;
    for (ui::Control* c : std::initializer_list<ui::Control*>{C().LmL1, C().LmL2, C().LmL3, C().LmL4})
      s += c->Visible() ? c->Name().substr(3) : "";
    return s + (C().LmI1->Visible() ? "C" : "");
  }
  std::string GradeLine() {
    const auto& texts = C().LmI1->Canvas().Texts();
    return texts.size() > 1 ? texts[1].text : "";
  }
};

TEST_F(CertificationTest, ThresholdsFollowTheTableWithModeFivesSmallStep) {
  // Grades 8 down to 1 at 30, 60 and 120 s; ZYX and ｱｲｳ as ABC, ｴﾗｲ as RND.
  using Rows = std::array<std::array<int, 8>, 3>;
  const Rows abc = {{{1800, 2100, 2400, 2700, 3000, 3300, 3600, 3900},
                     {3600, 3900, 4200, 4500, 4800, 5100, 5400, 5700},
                     {7200, 7500, 7800, 8100, 8400, 8700, 9000, 9300}}};
  const Rows hao = {{{1200, 1400, 1600, 1800, 2000, 2200, 2400, 2600},
                     {2400, 2600, 2800, 3000, 3200, 3400, 3600, 3800},
                     {4800, 5000, 5200, 5400, 5600, 5800, 6000, 6200}}};
  const Rows rnd = {{{600, 700, 800, 900, 1000, 1100, 1200, 1300},
                     {1200, 1300, 1400, 1500, 1600, 1700, 1800, 1900},
                     {2400, 2500, 2600, 2700, 2800, 2900, 3000, 3100}}};
  const Rows temisu = {{{1200, 1300, 1400, 1500, 1600, 1700, 1800, 1900},
                        {2400, 2500, 2600, 2700, 2800, 2900, 3000, 3100},
                        {4800, 4900, 5000, 5100, 5200, 5300, 5400, 5500}}};
  const Rows* table[7] = {&abc, &hao, &rnd, &abc, &abc, &temisu, &rnd};
  using lessons::Certification;
  for (int m = 0; m < 7; ++m)
    for (int d = 0; d < 3; ++d)
      for (int g = 8; g >= 1; --g)
        EXPECT_EQ(Certification::GradeThreshold(m, d, g), (*table[m])[d][8 - g]) << m << " " << d << " " << g;
  for (auto [m, d, g] : {std::tuple{-1, 0, 8}, {7, 0, 8}, {0, 3, 8}, {0, -1, 8}, {0, 0, 0}, {0, 0, 9}})
    EXPECT_EQ(Certification::GradeThreshold(m, d, g), 9999) << m << " " << d << " " << g;

  // Grades live at DurationIndex * 7 + Mode; stores outside the table are ignored.
  Certification& cert = Form().Certification();
  cert.SetCertGrade(5, 2, 3);
  EXPECT_EQ(Record().CertGradeAt(2 * 7 + 5), 3);
  EXPECT_EQ(cert.GetCertGrade(5, 2), 3);
  for (auto [m, d, g] : {std::tuple{5, 2, -1}, {7, 0, 4}, {-1, 0, 4}, {0, 3, 4}, {0, -1, 4}, {5, 2, 200}})
    cert.SetCertGrade(m, d, g);
  EXPECT_EQ(cert.GetCertGrade(5, 2), 3);
  for (int i = 0; i < 21; ++i) EXPECT_EQ(Record().CertGradeAt(i), i == 19 ? 3 : 0) << i;
  EXPECT_EQ(cert.GetCertGrade(7, 0), 0);
  EXPECT_EQ(cert.GetCertGrade(0, 3), 0);
  EXPECT_EQ(cert.GetCertGrade(-1, -1), 0);
}

TEST_F(CertificationTest, AScoreEqualToTheThresholdPassesAndOneBelowFails) {
  FinishDrill(0, 0, 1800);
  ASSERT_TRUE(OnJudgement());
  EXPECT_EQ(Grade(0, 0), 8);
  EXPECT_EQ(Shown(), "C");
  EXPECT_EQ(GradeLine(), "第８級 ABC( 30)");
  EXPECT_EQ(State().CertPassed, 1);
  Key();  // 2100 is out of reach: the key leaves
  EXPECT_TRUE(OnTitle());
  EXPECT_EQ(Grade(0, 0), 8);

  FinishDrill(1, 1, 2399, 3);
  ASSERT_TRUE(OnJudgement());
  EXPECT_EQ(Shown(), "34");
  EXPECT_EQ(C().LmL3->Caption(), "  合格級の得点を越えていません   ");
  EXPECT_EQ(C().LmL4->Caption(), "SCORE:02399 GOOD:00152 MISS:00003");
  EXPECT_EQ(Grade(1, 1), 0);
  Run("click LmP1\n");  // a click acts like a key
  EXPECT_TRUE(OnTitle());
  EXPECT_EQ(Shown(), "");
}

TEST_F(CertificationTest, TenMissesAreNeverJudgedNineAre) {
  FinishDrill(0, 0, 1800, 9);
  EXPECT_EQ(Grade(0, 0), 8);
  EXPECT_EQ(Shown(), "C");
  Key();

  FinishDrill(0, 0, 9999, 10);
  ASSERT_TRUE(OnJudgement());
  EXPECT_EQ(Shown(), "24");
  EXPECT_EQ(C().LmL2->Caption(), "   MISSが多すぎます(10以上)   ");
  EXPECT_EQ(C().LmL4->Caption(), "SCORE:09999 GOOD:00634 MISS:00010");
  EXPECT_EQ(Grade(0, 0), 8);
  Key();
  EXPECT_TRUE(OnTitle());

  // Even a grade-1 holder hears about the misses first.
  Form().Certification().SetCertGrade(3, 0, 1);
  FinishDrill(3, 0, 5000, 12);
  EXPECT_EQ(Shown(), "24");
  Key();
  EXPECT_TRUE(OnTitle());
}

TEST_F(CertificationTest, AHighScoreClimbsOneGradePerKeyUntilItFallsShort) {
  FinishDrill(0, 0, 2500);
  EXPECT_EQ(Grade(0, 0), 8);
  EXPECT_EQ(GradeLine(), "第８級 ABC( 30)");
  Key();
  ASSERT_TRUE(OnJudgement());
  EXPECT_EQ(Grade(0, 0), 7);
  EXPECT_EQ(GradeLine(), "第７級 ABC( 30)");
  Key();
  ASSERT_TRUE(OnJudgement());
  EXPECT_EQ(Grade(0, 0), 6);
  EXPECT_EQ(GradeLine(), "第６級 ABC( 30)");
  EXPECT_EQ(Shown(), "C");
  Key();  // 2700 is out of reach
  EXPECT_TRUE(OnTitle());
  EXPECT_EQ(Grade(0, 0), 6);

  // The same score again earns nothing more.
  FinishDrill(0, 0, 2500);
  EXPECT_EQ(Shown(), "34");
  EXPECT_EQ(Grade(0, 0), 6);
}

TEST_F(CertificationTest, ReachingGradeOneStaysAndTheNextKeyLeaves) {
  Form().Certification().SetCertGrade(2, 2, 2);
  FinishDrill(2, 2, 3100);
  ASSERT_TRUE(OnJudgement());
  EXPECT_EQ(Grade(2, 2), 1);
  EXPECT_EQ(GradeLine(), "第１級 RND(120)");
  EXPECT_EQ(Shown(), "C");
  Key();
  EXPECT_TRUE(OnTitle());
  EXPECT_EQ(Shown(), "");
  EXPECT_EQ(Grade(2, 2), 1);
}

TEST_F(CertificationTest, AGradeOneHolderSeesTheMessageAndLeavesOnAKey) {
  // A pass to 1級 elsewhere leaves its certificate showing; the message hides it.
  Form().Certification().SetCertGrade(4, 1, 2);
  FinishDrill(4, 1, 9000);
  Key();
  Form().Certification().SetCertGrade(0, 0, 1);
  FinishDrill(0, 0, 5000);
  ASSERT_TRUE(OnJudgement());
  EXPECT_EQ(Shown(), "14");
  EXPECT_EQ(C().LmL1->Caption(), "　すでに１級を取得しています　");
  EXPECT_EQ(C().LmL4->Caption(), "SCORE:05000 GOOD:00312 MISS:00000");
  Key();
  EXPECT_TRUE(OnTitle());
  EXPECT_EQ(Grade(0, 0), 1);
}

TEST_F(CertificationTest, UntimedDrillsNeverChangeAGradeNorThePictures) {
  FinishDrill(0, 0, 1800);
  Key();
  const auto before = C().LmI2->Canvas().Texts().size();
  const std::string caption = C().LmP3->Caption();
  FinishDrill(0, 3, 9999);
  ASSERT_TRUE(OnJudgement());
  EXPECT_EQ(Shown(), "C");  // the certificate of the last pass, untouched
  EXPECT_EQ(GradeLine(), "第８級 ABC( 30)");
  EXPECT_EQ(C().LmI2->Canvas().Texts().size(), before);
  EXPECT_EQ(C().LmP3->Caption(), caption);
  Key();
  EXPECT_TRUE(OnTitle());
  for (int i = 0; i < 21; ++i) EXPECT_EQ(Record().CertGradeAt(i), i == 0 ? 8 : 0) << i;
}

TEST_F(CertificationTest, EachModeAndTimeSettingHoldsItsOwnGrade) {
  Form().Certification().SetCertGrade(0, 0, 1);
  FinishDrill(0, 1, 3600);
  Key();
  FinishDrill(5, 2, 4900);
  Key();
  Key();
  FinishDrill(6, 0, 650);
  Key();
  for (int d = 0; d < 3; ++d)
    for (int m = 0; m < 7; ++m) {
      const int expected = m == 0 && d == 0   ? 1
                           : m == 0 && d == 1 ? 8
                           : m == 5 && d == 2 ? 7
                           : m == 6 && d == 0 ? 8
                                              : 0;
      EXPECT_EQ(Grade(m, d), expected) << m << " " << d;
    }
  // With the switch off the results go straight to the title.
  State().CertSwitch = 0;
  FinishDrill(1, 0, 5000);
  EXPECT_TRUE(OnTitle());
  EXPECT_EQ(Grade(1, 0), 0);
}

}  // namespace
