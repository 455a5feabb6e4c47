#include <QCoreApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "DriverFixture.h"
#include "platform/Cp932.h"

namespace {

using Texts = std::vector<std::tuple<int, int, ui::Color, std::string>>;

struct CertSheetTest : DriverFixture {
  void SetUp() override {
    DriverFixture::SetUp();
    Run("start\nwait 2100\n");
  }
  lessons::TForm9& Dialog() { return driver->GameObject()->NameDialog(); }
  std::string Name() {
    const auto name = Record().CertName();
    return std::string(name.begin(), name.end());
  }
  void SetName(std::string_view bytes) {
    std::array<uint8_t, 10> name{};
    for (size_t i = 0; i < bytes.size() && i < name.size(); ++i) name[i] = static_cast<uint8_t>(bytes[i]);
    Record().SetCertName(name);
  }
  // The judgement of a drill just ended, as the results screen opens it.
  void Judge(int mode, int durationIndex, int score) {
    State().Mode = mode;
    State().DurationIndex = durationIndex;
    State().Score = score;
    State().Good = score / 16;
    State().Miss = 0;
    State().CertSwitch = 1;
    ShowScreen(C().F4Panel);
    Run("key SPACE\n");
  }
  static Texts Of(ui::Image* image) {
    Texts texts;
    for (const ui::CanvasText& t : image->Canvas().Texts()) texts.emplace_back(t.x, t.y, t.color, t.text);
    return texts;
  }
};

TEST_F(CertSheetTest, CertificateCarriesGradeModeTimeScoreNameAndDate) {
  Run("key L\nset F9M1 TARO\nclick F9B1\n");
  EXPECT_EQ(Name(), "TARO      ");
  Judge(0, 0, 2500);
  ASSERT_TRUE(C().LmI1->Visible());
  const Texts expected = {
      {0, 0, ui::clr::White, "++++++      認      定     ++++++"},
      {84, 26, ui::clr::Yellow, "第８級 ABC( 30)"},
      {18, 52, ui::clr::Lime, "得点 02500      TARO      殿"},
      {6, 91, ui::clr::Aqua, "　あなたは、キーボード練習[DOJKA] "},
      {6, 117, ui::clr::Aqua, "において、上記の位に値することを"},
      {6, 143, ui::clr::Aqua, "ここに認定します."},
      {6, 182, ui::clr::White, "2026年 12月 06日 hao develop"},
  };
  EXPECT_EQ(Of(C().LmI1), expected);
  EXPECT_EQ(C().LmI1->Picture().pixelColor(100, 100), QColor(0, 0, 0x80));
  EXPECT_EQ(C().LmI1->Picture().size(), QSize(204, 193));
  EXPECT_EQ(C().LmI1->Canvas().FontHeight(), 12);

  // The same grade drawn on another day carries that day's date, and the kana mode's name.
  Run("key SPACE\nnow 2027-01-02 09:00:00\n");
  Form().Certification().SetCertGrade(5, 1, 4);
  Judge(5, 1, 3000);
  EXPECT_EQ(std::get<3>(Of(C().LmI1)[1]), "第３級 ﾃﾐｽ( 60)");
  EXPECT_EQ(std::get<3>(Of(C().LmI1)[2]), "得点 03000      TARO      殿");
  EXPECT_EQ(std::get<3>(Of(C().LmI1)[6]), "2027年 01月 02日 hao develop");
}

TEST_F(CertSheetTest, AFreshGradeEightAtTwoMinutesIsLimeOnRowNine) {
  Form().Certification().SetCertGrade(3, 0, 5);
  Judge(0, 2, 7200);
  EXPECT_EQ(std::get<3>(Of(C().LmI1)[1]), "第８級 ABC(120)");
  Texts expected = {
      {36, 0, ui::clr::Aqua, "認定級"},
      {0, 26, ui::clr::Yellow, "種別 [30][60][120]"},
      {0, 39, ui::clr::White, " ABC  --  --  ８"},
      {0, 52, ui::clr::White, " HAO  --  --  --"},
      {0, 65, ui::clr::White, " RND  --  --  --"},
      {0, 78, ui::clr::White, " ZYX  ５  --  --"},
      {0, 91, ui::clr::White, " ｱｲｳ  --  --  --"},
      {0, 104, ui::clr::White, " ﾃﾐｽ  --  --  --"},
      {0, 117, ui::clr::White, " ｴﾗｲ  --  --  --"},
      {120, 0, ui::clr::Yellow, "ABC(120)"},
      {120, 13, ui::clr::Aqua, "級 SCORE"},
      {120, 117, ui::clr::Lime, "８ 07200"},
  };
  const char* rows[] = {"７ 07500", "６ 07800", "５ 08100", "４ 08400", "３ 08700", "２ 09000", "１ 09300"};
  for (int g = 7; g >= 1; --g) expected.emplace_back(120, 13 + 13 * g, ui::clr::White, rows[7 - g]);
  EXPECT_EQ(Of(C().LmI2), expected);
  EXPECT_EQ(Of(C().Image8), expected);
  EXPECT_EQ(C().LmI2->Picture().pixelColor(170, 140), QColor(0, 0, 0));
}

TEST_F(CertSheetTest, TheRightColumnShowsABCForTheLessonsAndThirtySecondsUntimed) {
  auto column = [&] {
    Texts all = Of(C().Image8), right;
    for (const auto& t : all)
      if (std::get<0>(t) == 120) right.push_back(t);
    std::string s;
    for (const auto& t : right) s += std::get<3>(t) + "|";
    return s;
  };
  State().Mode = 7;
  State().DurationIndex = 3;
  Form().DrawCertSheet(0);
  EXPECT_EQ(column(), "ABC(@30)|級 SCORE|８ 01800|７ 02100|６ 02400|５ 02700|４ 03000|３ 03300|２ 03600|１ 03900|");
  State().Mode = 5;
  State().DurationIndex = 1;
  Form().DrawCertSheet(0);
  EXPECT_EQ(column(), "ﾃﾐｽ( 60)|級 SCORE|８ 02400|７ 02500|６ 02600|５ 02700|４ 02800|３ 02900|２ 03000|１ 03100|");
}

TEST_F(CertSheetTest, RegisteredNameLineAndTheRecordPage) {
  // Title information page 4: I opens page 1, three more keys turn to the records.
  Run("key I\nkey SPACE\nkey SPACE\nkey SPACE\nexpect state InfoPage 4\n");
  EXPECT_TRUE(C().Image8->Showing());
  EXPECT_TRUE(C().Panel8->Showing());
  EXPECT_EQ(C().Panel8->Caption(), "< 未登録 >");
  EXPECT_EQ(C().LmP3->Caption(), "登録名:");
  EXPECT_EQ(Of(C().Image8).size(), 19u);
  Run("key SPACE\n");

  SetName("TARO      ");
  Run("key I\n");
  EXPECT_EQ(C().Panel8->Caption(), "登録名:TARO      ");
  EXPECT_EQ(C().LmP3->Caption(), "登録名:TARO      ");
  // A name stored shorter ends at its first NUL.
  SetName("AB");
  Form().DrawCertSheet(0);
  EXPECT_EQ(C().Panel8->Caption(), "登録名:AB");
}

TEST_F(CertSheetTest, AStoredNameThatCannotBePrintedKeepsTheHonorificInPlace) {
  // Nine bytes and the lead byte of a tenth character, with a control byte inside.
  SetName(
      std::string("ab\x01"
                  "cdef\x82\xA0\x83",
                  10));
  Judge(2, 0, 600);
  EXPECT_EQ(std::get<3>(Of(C().LmI1)[2]), "得点 00600      ab cdefあ 殿");
  // Never registered: ten NUL bytes print as blanks.
  Run("key SPACE\n");
  SetName("");
  Judge(2, 0, 700);
  EXPECT_EQ(std::get<3>(Of(C().LmI1)[2]), "得点 00700                殿");
}

TEST_F(CertSheetTest, TheNameDialogTakesTenBytesOfWholeCp932Characters) {
  EXPECT_EQ(Dialog().C.F9M1->MaxBytes(), 10);
  Run("key L\nset F9M1 あいうえおか\n");  // the sixth character does not fit
  EXPECT_EQ(plat::cp932::ToUtf8(Dialog().C.F9M1->Text()), "あいうえお");
  EXPECT_EQ(Name(), std::string(10, '\0'));  // the piece ended with the dialog open
  Run("key L\nset F9M1 あいうえおか\nkey ENTER\n");
  EXPECT_EQ(plat::cp932::ToUtf8(Name()), "あいうえお");  // ten bytes, no padding

  // Typed byte by byte: bytes that are no CP932 character are refused, and a double-byte
  // character goes in whole or not at all.
  SetName("");
  Run("key l\ntype abcdefgh\nchar \"\\xA0\\xFD\\x80\\x83\\x41\\x82\\xA0\"\n");
  EXPECT_EQ(Dialog().C.F9M1->Text(), "abcdefgh\x83\x41");
  SetName("");
  Run("key l\ntype abcdefghi\nchar \"\\x82\\xA0\"\nkey BACKSPACE\ntype ｶﾅ\nkey ENTER\n");
  EXPECT_EQ(Name(), "abcdefgh\xB6\xC5");
}

TEST_F(CertSheetTest, ButtonAndEnterRegisterOtherClosesDoNot) {
  // Closed by the window system: nothing stored, the switch stays toggled.
  Run("key L\n");
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Name()[0], 0);
  EXPECT_EQ(State().CertSwitch, 1);
  // So the next L asks again; Esc does not close the dialog, Enter on an empty memo
  // registers ten spaces.
  Run("key L\nkey ESC\nkey ENTER\nexpect state CertSwitch 0\n");
  EXPECT_EQ(Name(), "          ");
  Run("key L\nkey L\nexpect state CertSwitch 0\n");  // no dialog any more
  Run("key I\nkey SPACE\nkey SPACE\nkey SPACE\n");
  EXPECT_EQ(C().Panel8->Caption(), "登録名:          ");
  Run("key SPACE\n");

  // Erasing the records brings back the unregistered state and the dialog.
  Record().ClearCertRecords();
  State().CertSwitch = 0;
  Run("key I\nkey SPACE\nkey SPACE\nkey SPACE\n");
  EXPECT_EQ(C().Panel8->Caption(), "< 未登録 >");
  Run("key SPACE\nclick Label8\nset F9M1 HANAKO\nclick F9B1\n");
  EXPECT_EQ(Name(), "HANAKO    ");
  EXPECT_EQ(State().CertSwitch, 1);
  State().SwitchPlus = 1;
  ASSERT_TRUE(Dialog().OnButtonStored);
  Dialog().OnButtonStored();  // the button redraws the title's switches
  EXPECT_EQ(C().Label8->Caption(), "LICEN +");

  // The real widget: Esc reaches the dialog and is swallowed.
  Dialog().show();
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&Dialog(), &esc);
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().reject();
  EXPECT_EQ(Name(), "HANAKO    ");
}

}  // namespace
