#include <gtest/gtest.h>

#include "DriverFixture.h"
#include "platform/Cp932.h"

namespace {

using game::TRankEntry;

std::string NameOf(const TRankEntry& e) { return std::string(e.Name.begin(), e.Name.end()); }

struct RankTablesTest : DriverFixture {
  void Start() { Run("start\nwait 50\n"); }
  drill::RankTables& Ranks() { return Form().Ranks(); }
  // Table t holds the scores 1000, 900, …, 100 under the names r0..r9.
  void FillTable(int t) {
    for (int r = 0; r < 10; ++r)
      Record().SetRankEntry(t, r, MakeRankEntry("r" + std::to_string(r), static_cast<uint16_t>(1000 - 100 * r), 1, 0));
  }
  // The end of a drill with at least one correct key: the splash, and one second later
  // its timer places the result.
  void FinishDrill(int mode, int durationIndex, int score, int good, int miss) {
    auto& s = State();
    s.Mode = mode;
    s.DurationIndex = durationIndex;
    s.Score = score;
    s.Good = good;
    s.Miss = miss;
    ShowScreen(C().F8Panel);
    Form().F8T1.SetInterval(1000);
    Form().F8T1.SetEnabled(true);
    Run("wait 1000\n");
  }
  // Every entry of the 21 tables (the rest of the record moves with the clock).
  std::vector<TRankEntry> AllTables() {
    std::vector<TRankEntry> entries;
    for (int t = 0; t < 21; ++t)
      for (int r = 0; r < 10; ++r) entries.push_back(Record().RankEntry(t, r));
    return entries;
  }
  std::array<ui::Label*, 10> Rows() {
    return {C().c_no1, C().c_no2, C().c_no3, C().c_no4, C().c_no5,
            C().c_no6, C().c_no7, C().c_no8, C().c_no9, C().c_no10};
  }
};

TEST_F(RankTablesTest, EqualScoresRankBelowTheHolderAndTheTenthDropsOut) {
  Start();
  FillTable(4);                                    // HAO 60 s
  EXPECT_EQ(Ranks().RankPosition(100, 1, 1), 10);  // equal to the 10th: no place
  EXPECT_EQ(Ranks().RankPosition(101, 1, 1), 9);
  EXPECT_EQ(Ranks().RankPosition(1000, 1, 1), 1);  // equal to the best: second
  EXPECT_EQ(Ranks().RankPosition(1001, 1, 1), 0);
  EXPECT_EQ(Ranks().RankPosition(65535, 1, 3), 10);  // untimed has no table
  EXPECT_EQ(Ranks().RankPosition(65535, 7, 0), 10);  // nor the lesson course
  EXPECT_EQ(Ranks().RankScore(0, 1, 1), 1000);
  EXPECT_EQ(Ranks().RankScore(9, 1, 1), 100);
  EXPECT_EQ(Ranks().RankScore(-1, 1, 1), 0);
  EXPECT_EQ(Ranks().RankScore(10, 1, 1), 0);

  // One point over the 10th: the name entry for place 10, its row lime.
  FinishDrill(1, 1, 101, 20, 1);
  EXPECT_FALSE(Form().F8T1.Enabled());
  EXPECT_FALSE(C().F8Panel->Visible());
  EXPECT_TRUE(C().F7Panel->Visible());
  EXPECT_FALSE(C().F4Panel->Visible());
  EXPECT_EQ(State().PendingRank, 9);
  EXPECT_EQ(C().F7L6->Caption(), "10");
  for (int r = 0; r < 10; ++r) EXPECT_EQ(Rows()[r]->FontColor(), r == 9 ? ui::clr::Lime : ui::clr::White) << r;
  EXPECT_EQ(Form().FocusedControl(), C().F7M1);
  Run("type new\nkey ENTER\n");
  EXPECT_TRUE(C().F4Panel->Visible());
  EXPECT_FALSE(C().F7Panel->Visible());
  EXPECT_EQ(Record().RankEntry(4, 9), MakeRankEntry("new", 101, 20, 1));
  EXPECT_EQ(Record().RankEntry(4, 8), MakeRankEntry("r8", 200, 1, 0));
  EXPECT_EQ(C().c_no10->FontColor(), ui::clr::Lime);
  EXPECT_EQ(C().c_no10->Caption(), "  S    10  new         00101   00020   00001   0.350");

  // Equal to the best: second place, everything below moves down, the old 10th drops.
  FinishDrill(1, 1, 1000, 70, 0);
  EXPECT_EQ(State().PendingRank, 1);
  EXPECT_EQ(C().c_no10->FontColor(), ui::clr::White);  // the last drill's row is white again
  Run("key ENTER\n");
  EXPECT_EQ(NameOf(Record().RankEntry(4, 0)), "r0        ");
  EXPECT_EQ(Record().RankEntry(4, 1), MakeRankEntry("", 1000, 70, 0));
  EXPECT_EQ(NameOf(Record().RankEntry(4, 2)), "r1        ");
  EXPECT_EQ(NameOf(Record().RankEntry(4, 9)), "r8        ");  // "new" dropped out

  // Equal to the 10th: straight to the results, the table untouched.
  const auto before = AllTables();
  FinishDrill(1, 1, Record().RankEntry(4, 9).Score, 30, 0);
  EXPECT_EQ(State().PendingRank, 10);
  EXPECT_TRUE(C().F4Panel->Visible());
  EXPECT_FALSE(C().F7Panel->Visible());
  EXPECT_EQ(AllTables(), before);
  for (ui::Label* row : Rows()) EXPECT_EQ(row->FontColor(), ui::clr::White);
}

TEST_F(RankTablesTest, NamesArePaddedToTenBytesAndEnterAloneWritesThemBack) {
  Start();
  FillTable(0);
  FinishDrill(0, 0, 5000, 320, 0);
  Run("type abc\nkey ENTER\n");
  EXPECT_EQ(State().EntryName.View(), "abc       ");
  EXPECT_EQ(C().F7M1->Text(), "abc       ");  // Enter shows the padded name
  EXPECT_EQ(NameOf(Record().RankEntry(0, 0)), "abc       ");

  // The click stores ten blanks for an empty field and leaves the field as it was.
  FinishDrill(0, 0, 5000, 320, 0);
  EXPECT_EQ(C().F7M1->Text(), "");
  Run("click F7P1\n");
  EXPECT_TRUE(C().F4Panel->Visible());
  EXPECT_FALSE(C().F7Panel->Visible());
  EXPECT_EQ(State().EntryName.View(), std::string(10, ' '));
  EXPECT_EQ(C().F7M1->Text(), "");
  EXPECT_EQ(NameOf(Record().RankEntry(0, 0)), "abc       ");
  EXPECT_EQ(NameOf(Record().RankEntry(0, 1)), std::string(10, ' '));
  EXPECT_EQ(NameOf(Record().RankEntry(0, 2)), "r0        ");

  // Five full-width characters fill the ten bytes; an eleventh is refused.
  const std::string taro = *plat::cp932::FromUtf8("ＴＡＲＯ太");
  FinishDrill(0, 0, 5000, 320, 0);
  Run("set F7M1 ＴＡＲＯ太\ntype a\n");
  EXPECT_EQ(C().F7M1->Text(), taro);
  Run("key ENTER\n");
  EXPECT_EQ(State().EntryName.View(), taro);
  EXPECT_EQ(NameOf(Record().RankEntry(0, 2)), taro);

  // A double-byte character typed byte by byte at the limit leaves no half of it.
  FinishDrill(0, 0, 5000, 320, 0);
  Run("set F7M1 ＴＡＲＯa\nchar \"\\x91\\xbe\"\nkey ENTER\n");
  EXPECT_EQ(NameOf(Record().RankEntry(0, 3)), taro.substr(0, 8) + "a ");
}

TEST_F(RankTablesTest, OnTheNameEntryEveryKeyButEnterOnlyEdits) {
  Start();
  FillTable(6);
  FinishDrill(2, 0, 5000, 320, 0);
  const auto before = AllTables();
  Run("type ab\nkey SPACE\nkey ESC\nkey TAB\nkey F1\nkey F2\nkey F10\nkey BACKSPACE\nkey x\nkey ESC\n");
  EXPECT_TRUE(C().F7Panel->Visible());
  EXPECT_FALSE(C().F4Panel->Visible());
  EXPECT_FALSE(C().Panel1->Visible());
  EXPECT_EQ(C().F7M1->Text(), "abx");
  EXPECT_EQ(AllTables(), before);
  // A click on the name field itself does not leave either.
  Run("click F7M1\n");
  EXPECT_TRUE(C().F7Panel->Visible());
  Run("key ENTER\n");
  EXPECT_EQ(NameOf(Record().RankEntry(6, 0)), "abx       ");
}

TEST_F(RankTablesTest, RowsShowClassRankEntryAndRateUnderTheirHeadings) {
  Start();
  for (auto [miss, letter] : std::initializer_list<std::pair<int, char>>{{0, '*'},
                                                                         {1, 'S'},
                                                                         {3, 'S'},
                                                                         {4, 'A'},
                                                                         {7, 'A'},
                                                                         {8, 'B'},
                                                                         {11, 'B'},
                                                                         {12, 'C'},
                                                                         {15, 'C'},
                                                                         {16, 'D'},
                                                                         {19, 'D'},
                                                                         {20, 'E'},
                                                                         {23, 'E'},
                                                                         {24, 'F'},
                                                                         {30, 'F'},
                                                                         {65535, 'F'}})
    EXPECT_EQ(drill::RankTables::ClassLetter(miss), letter) << miss;
  EXPECT_EQ(drill::RankTables::RateText(5200), " 5.200");
  EXPECT_EQ(drill::RankTables::RateText(12345), "12.345");
  EXPECT_EQ(drill::RankTables::RateText(0), " 0.000");
  EXPECT_EQ(drill::RankTables::RateText(70000), "65.535");

  Record().SetRankEntry(12, 0, MakeRankEntry("TARO", 2304, 150, 6));
  State().DurationIndex = 0;
  Ranks().ShowRankTable(12);
  const std::string row = C().c_no1->Caption();
  EXPECT_EQ(row, "  A     1  TARO        02304   00150   00006   5.200");
  EXPECT_EQ(C().F4L14->Caption(), "ｱｲｳ( 30s)");
  // Fixed-pitch columns: every field sits under its heading.
  const std::string header = C().F4L15->Caption();
  EXPECT_EQ(header.find("SCORE"), row.find("02304"));
  EXPECT_EQ(header.find("GOOD"), row.find("00150"));
  EXPECT_EQ(header.find("MISS"), row.find("00006"));
  EXPECT_EQ(header.find("key/s"), row.find("5.200"));
  EXPECT_EQ(header.find("class") + 2, row.find('A'));

  // The rate counts the seconds of the current time setting; untimed counts 30.
  State().DurationIndex = 1;
  Ranks().ShowRankTable(12);
  EXPECT_EQ(C().c_no1->Caption().substr(46), " 2.600");
  State().DurationIndex = 3;
  Ranks().ShowRankTable(20);
  EXPECT_EQ(C().F4L14->Caption(), "ｴﾗｲ(120s)");
  Ranks().ShowRankTable(12);
  EXPECT_EQ(C().c_no1->Caption().substr(46), " 5.200");
  // Ten bytes of full-width name keep the columns.
  Record().SetRankEntry(12, 1, MakeRankEntry(*plat::cp932::FromUtf8("ＴＡＲＯ太"), 900, 60, 30));
  Ranks().ShowRankTable(12);
  EXPECT_EQ(C().c_no2->Caption(), "  F     2  ＴＡＲＯ太  00900   00060   00030   3.000");
}

TEST_F(RankTablesTest, ResultLinesShowOnlyAfterAScoreOrAHit) {
  Start();
  auto& s = State();
  s.Score = s.Good = s.Miss = 0;
  Ranks().ShowRankTable(0);
  EXPECT_FALSE(C().F4L36->Visible());
  EXPECT_FALSE(C().F4L37->Visible());
  EXPECT_FALSE(C().F4L26->Visible());

  s.Score = 2304;
  s.Good = 150;
  s.Miss = 6;
  s.DurationIndex = 0;
  Ranks().ShowRankTable(0);
  EXPECT_TRUE(C().F4L36->Visible());
  EXPECT_TRUE(C().F4L37->Visible());
  EXPECT_TRUE(C().F4L26->Visible());
  EXPECT_EQ(C().F4L37->Caption(), "02304   00150   00006");
  EXPECT_EQ(C().F4L26->Caption(), "shot  5.200 key/s");

  // A drill of misses alone still shows its line; a table past the last changes no rows.
  s.Score = 0;
  s.Good = 0;
  s.Miss = 3;
  Ranks().ShowRankTable(0);
  EXPECT_FALSE(C().F4L37->Visible());
  const std::string row = C().c_no1->Caption();
  const std::string title = C().F4L14->Caption();
  s.Good = 1;
  Ranks().ShowRankTable(21);
  EXPECT_EQ(C().c_no1->Caption(), row);
  EXPECT_EQ(C().F4L14->Caption(), title);
  EXPECT_EQ(C().F4L37->Caption(), "00000   00001   00003");
  EXPECT_TRUE(C().F4L37->Visible());
}

TEST_F(RankTablesTest, ChkmodeShowsTheMissedKeysOfTheModesScriptBeforeLeaving) {
  Start();
  for (auto [mode, picture] : {std::pair<int, ui::Image*>{3, C().F4I1}, {4, C().F4I2}}) {
    ui::Image* other = picture == C().F4I1 ? C().F4I2 : C().F4I1;
    State().SwitchC = 1;
    FinishDrill(mode, 0, 0, 1, 0);  // no place: the results
    ASSERT_TRUE(C().F4Panel->Visible());
    EXPECT_TRUE(C().F4P2->Visible());
    Run("key SPACE\n");
    EXPECT_TRUE(C().F4Panel->Visible()) << mode;
    EXPECT_FALSE(C().F4P2->Visible());
    EXPECT_TRUE(picture->Visible()) << mode;
    EXPECT_FALSE(other->Visible()) << mode;
    EXPECT_TRUE(C().F4P3->Visible());
    EXPECT_EQ(State().MissStatsShown, 1);
    Run("click F4P1\n");  // acts like Space
    EXPECT_TRUE(C().Panel1->Visible()) << mode;
    EXPECT_FALSE(C().F4Panel->Visible());
    EXPECT_TRUE(C().F4P2->Visible());
    EXPECT_FALSE(picture->Visible());
    EXPECT_FALSE(C().F4P3->Visible());
    EXPECT_EQ(State().MissStatsShown, 0);
  }
  // Without CHKMODE one Space leaves.
  State().SwitchC = 0;
  FinishDrill(0, 0, 0, 1, 0);
  Run("key SPACE\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_FALSE(C().F4Panel->Visible());
}

TEST_F(RankTablesTest, LicenceOpensTheJudgementExceptFromTheIdleScoreShow) {
  Run("start\nwait 2100\nkey l\n");  // the intro, then LICENCE on
  ASSERT_EQ(State().CertSwitch, 1);
  FinishDrill(0, 0, 0, 1, 0);
  Run("key SPACE\n");
  EXPECT_TRUE(C().LmPanel->Visible());
  EXPECT_FALSE(C().Panel1->Visible());
  EXPECT_FALSE(C().F4Panel->Visible());

  // The title left alone shows the results as its idle score show; Space goes back to it,
  // with the pictures first under CHKMODE.
  ShowScreen(C().Panel1);
  Run("key c\nwait 10100\n");
  ASSERT_TRUE(C().F4Panel->Visible());
  ASSERT_EQ(State().IdleScoreShow, 1);
  Run("key SPACE\n");
  EXPECT_TRUE(C().F4I1->Visible());
  Run("key SPACE\n");
  EXPECT_TRUE(C().Panel1->Visible());
  EXPECT_FALSE(C().LmPanel->Visible());
  EXPECT_FALSE(C().F4Panel->Visible());
}

TEST_F(RankTablesTest, PicturesLeftOpenInTheIdleShowDoNotReplaceTheNextList) {
  Run("start\nwait 2100\nkey c\nwait 10100\nkey SPACE\n");
  ASSERT_EQ(State().MissStatsShown, 1);
  Run("wait 10100\n");  // the idle show ends by itself
  ASSERT_TRUE(C().Panel1->Visible());
  FinishDrill(0, 0, 0, 1, 0);
  EXPECT_TRUE(C().F4P2->Visible());
  EXPECT_FALSE(C().F4I1->Visible());
  EXPECT_FALSE(C().F4P3->Visible());
  EXPECT_EQ(State().MissStatsShown, 0);
}

TEST_F(RankTablesTest, UntimedDrillsAreNeverInserted) {
  Start();
  for (int t = 0; t < 21; ++t) FillTable(t);
  const auto before = AllTables();
  FinishDrill(6, 3, 60000, 3750, 0);
  EXPECT_EQ(State().PendingRank, 10);
  EXPECT_TRUE(C().F4Panel->Visible());
  EXPECT_FALSE(C().F7Panel->Visible());
  State().PendingRank = 0;
  Ranks().InsertResult();
  EXPECT_EQ(AllTables(), before);
  for (ui::Label* row : Rows()) EXPECT_EQ(row->FontColor(), ui::clr::White);
}

}  // namespace
