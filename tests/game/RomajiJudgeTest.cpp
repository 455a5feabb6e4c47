// The romaji judge against key sequences: which keys are accepted or missed, when the reading
// is complete, how many kana are done, and what the guide shows. The spellings themselves are
// the table's; these rows test the rules around them.
#include <gtest/gtest.h>

#include <string>

#include "game/RomajiJudge.h"
#include "game/RomajiText.h"

namespace game::romaji {
namespace {

std::u32string U32(const char* utf8) {
  std::u32string out;
  DecodeUtf8(utf8, out);
  return out;
}

// Per key: '.' accepted, 'x' missed; the last column says whether the reading is complete.
struct KeyCase {
  const char* reading;
  const char* keys;
  const char* marks;
  bool complete;
};

std::string Play(Judge& judge, const KeyCase& c) {
  std::string marks;
  for (const char* k = c.keys; *k; ++k) marks += judge.Key(*k).accepted ? '.' : 'x';
  return marks;
}

void Check(const KeyCase* begin, const KeyCase* end, bool finalN = false) {
  for (const KeyCase* c = begin; c != end; ++c) {
    Judge judge;
    judge.SetFinalNAllowed(finalN);
    ASSERT_TRUE(judge.Start(U32(c->reading))) << c->reading;
    EXPECT_EQ(Play(judge, *c), c->marks) << c->reading << " typed as " << c->keys;
    EXPECT_EQ(judge.Complete(), c->complete) << c->reading << " typed as " << c->keys;
  }
}

TEST(RomajiJudge, SpellingsOfEveryInputMethodAreAccepted) {
  const KeyCase cases[] = {
      {"し", "si", "..", true},         {"し", "shi", "...", true},
      {"し", "ci", "..", true},         {"ち", "ti", "..", true},
      {"ち", "chi", "...", true},       {"つ", "tsu", "...", true},
      {"ふ", "hu", "..", true},         {"じ", "zi", "..", true},
      {"じゃ", "zya", "...", true},     {"じゃ", "jya", "...", true},
      {"ちゃ", "cya", "...", true},     {"ぢ", "di", "..", true},
      {"づ", "du", "..", true},         {"きゃ", "kixya", ".....", true},
      {"きゃ", "kilya", ".....", true}, {"しぇ", "shixe", ".....", true},
      {"ふぁ", "fa", "..", true},       {"ふぁ", "fwa", "...", true},
      {"ふぁ", "huxa", "....", true},   {"ふぃ", "fyi", "...", true},
      {"ふぇ", "fye", "...", true},     {"てぃ", "thi", "...", true},
      {"てぃ", "texi", "....", true},   {"でぃ", "dhi", "...", true},
      {"とぅ", "twu", "...", true},     {"とぅ", "toxu", "....", true},
      {"うぃ", "wi", "..", true},       {"うぃ", "uxi", "...", true},
      {"いぇ", "ye", "..", true},       {"いぇ", "ixe", "...", true},
      {"くぁ", "qa", "..", true},       {"くぁ", "kwa", "...", true},
      {"くぁ", "qwa", "...", true},     {"くぁ", "kuxa", "....", true},
      {"くゃ", "qya", "...", true},     {"つぁ", "tsa", "...", true},
      {"い", "yi", "..", true},         {"ゐ", "wyi", "...", true},
      {"ゑ", "wye", "...", true},       {"ゐ", "xwi", "...", true},
      {"ゔ", "vu", "..", true},         {"ゔぁ", "va", "..", true},
      {"ぁ", "la", "..", true},         {"ゎ", "lwa", "...", true},
      {"ゕ", "lka", "...", true},       {"ゖ", "xke", "...", true},
      {"ゃ", "xya", "...", true},       {"っ", "ltsu", "....", true},
      {"きょう", "kyou", "....", true}, {"きょう", "kixyou", "......", true},
  };
  Check(std::begin(cases), std::end(cases));
}

TEST(RomajiJudge, WholeSpellingsAreFollowedNotSetsOfLetters) {
  const KeyCase cases[] = {
      {"ふ", "fhu", ".x.", true},       // f then h belongs to no spelling of ふ
      {"っく", "qkku", ".xxx", false},  // q doubles only a q spelling (qu); k then misses
      {"っく", "qqu", "...", true},     //
      {"し", "sci", ".x.", true},       //
      {"か", "kx", ".x", false},        // a miss consumes nothing
      {"かき", "kakj", "...x", false},  //
      {"きゃ", "kyi", "..x", false},    // kyi is きぃ
      {"あ", "A", ".", true},           // upper case counts as lower case
      {"しゃ", "SHA", "...", true},     //
      {"を", "o", "x", false},          // を is wo
      {"ぢ", "ji", "xx", false},        // ji is じ
  };
  Check(std::begin(cases), std::end(cases));
}

TEST(RomajiJudge, SingleNStandsForNOnlyBeforeAConsonant) {
  const KeyCase cases[] = {
      {"かんじ", "kanji", ".....", true},
      {"かんじ", "kannji", "......", true},
      {"かんじ", "kan'ji", "......", true},
      {"かんじ", "kaxnji", "......", true},
      {"しんぶん", "shinbunn", "........", true},
      {"しんぶん", "sinbun", "......", false},  // a single final n does not finish ん
      {"しんあい", "sinai", "...xx", false},    // n before a vowel is な's
      {"しんあい", "sinnai", "......", true},   //
      {"こんや", "konya", "...xx", false},      // n before y is にゃ's
      {"こんや", "konnya", "......", true},     //
      {"こんな", "konna", "....x", false},      // nn is ん, な still needs its own n
      {"こんな", "konnna", "......", true},     //
      {"ほんー", "honn-", ".....", true},       // before ー and punctuation a single n is enough
      {"ほん、", "hon,", "....", true},         //
      {"ほん。", "hon.", "....", true},         //
      {"んっか", "nkka", "....", true},         // ん before a doubled consonant
      {"んぁ", "nxa", "...", true},             //
  };
  Check(std::begin(cases), std::end(cases));
}

TEST(RomajiJudge, SingleFinalNCompletesOnlyWhenAllowed) {
  const KeyCase allowed[] = {
      {"ほん", "hon", "...", true},
      {"しんぶん", "sinbun", "......", true},
      {"ほん", "honn", "...x", true},  // complete at the first n: the second belongs to the next entry
  };
  Check(std::begin(allowed), std::end(allowed), true);

  Judge judge;
  judge.Start(U32("ほん"));
  for (char k : std::string("hon")) judge.Key(k);
  EXPECT_FALSE(judge.Complete());
  EXPECT_EQ(judge.Guide(), "n");
  EXPECT_EQ(judge.KanaDone(), 1);
  EXPECT_EQ(judge.CurrentKana(), 1);
  judge.SetFinalNAllowed(true);  // takes effect mid-entry
  EXPECT_TRUE(judge.Complete());
  EXPECT_EQ(judge.KanaDone(), 2);
}

TEST(RomajiJudge, SmallTsuDoublesTheNextSpellingsFirstLetter) {
  const KeyCase cases[] = {
      {"きっと", "kitto", ".....", true},
      {"きっと", "kixtuto", ".......", true},
      {"きっと", "kiltsuto", "........", true},
      {"まっちゃ", "maccha", "......", true},
      {"まっちゃ", "mattya", "......", true},
      {"まっちゃ", "matcha", "...xxx", false},   // tch is not っち
      {"まっちゃ", "macchya", ".....x.", true},  //
      {"がっこう", "gakkou", "......", true},
      {"っっか", "kkka", "....", true},
      {"くっわ", "kuwwa", ".....", true},
      {"くっくぁ", "kukkwa", "......", true},
      {"やっぱり", "yappari", ".......", true},
      {"っや", "yya", "...", true},
      {"っな", "nna", "xxx", false},     // nn is ん, never っ
      {"っな", "xtuna", ".....", true},  //
      {"っあ", "aa", "xx", false},       // a vowel cannot be doubled
      {"あっ", "att", ".xx", false},     // nothing follows a final っ to double
      {"あっ", "altu", "....", true},    //
      {"っー", "xtu-", "....", true},    //
  };
  Check(std::begin(cases), std::end(cases));
}

TEST(RomajiJudge, SymbolsKatakanaAndFullWidthAreTheirKeys) {
  const KeyCase cases[] = {
      {"らーめん", "ra-menn", ".......", true},
      {"「はい。」", "[hai.]", "......", true},
      {"あ、い・う", "a,i/u", ".....", true},
      {"えっ！？", "extu!?", "......", true},
      {"〜～", "~~", "..", true},
      {"コーヒー", "ko-hi-", "......", true},  // katakana reads as hiragana
      {"ヴァ", "va", "..", true},              //
      {"ヶ", "lke", "...", true},              //
      {"１２３ＡＢｃ", "123abc", "......", true},
      {"ＡＢ", "AB", "..", true},  //
      {"あ", "-", "x", false},     //
  };
  Check(std::begin(cases), std::end(cases));
}

TEST(RomajiJudge, UntypableReadingsAreRefused) {
  const Table& table = Table::Shipped();
  EXPECT_TRUE(table.Typable(U32("きょうはいいてんきですね。")));
  EXPECT_TRUE(table.Typable(U32("ヴァイオリン")));
  EXPECT_FALSE(table.Typable(U32("漢字")));
  EXPECT_FALSE(table.Typable(U32("ほし★")));
  EXPECT_FALSE(table.Typable(U32("ゝ")));
  Judge judge;
  EXPECT_FALSE(judge.Start(U32("かん字")));
  EXPECT_EQ(judge.KanaCount(), 0);
  EXPECT_TRUE(judge.Complete());
  EXPECT_FALSE(judge.Key('k').accepted);
}

// Kana count per character of the reading; a combined spelling completes all its kana at once.
TEST(RomajiJudge, KanaAreCountedAsTheyComplete) {
  struct Row {
    const char* reading;
    const char* keys;
    int kanaDone;
  } rows[] = {
      {"きゃく", "k", 0},     {"きゃく", "ky", 0},    {"きゃく", "kya", 2}, {"きゃく", "kixy", 1},
      {"がっこう", "gak", 2}, {"がっこう", "gax", 1}, {"かんじ", "kan", 1}, {"かんじ", "kanj", 2},
      {"かんじ", "kann", 2},  {"はい。", "hai.", 3},
  };
  for (const Row& r : rows) {
    Judge judge;
    judge.Start(U32(r.reading));
    KeyResult last;
    for (const char* k = r.keys; *k; ++k) last = judge.Key(*k);
    EXPECT_EQ(last.kanaDone, r.kanaDone) << r.reading << " after " << r.keys;
    EXPECT_EQ(judge.KanaDone(), r.kanaDone) << r.reading << " after " << r.keys;
    EXPECT_EQ(judge.CurrentKana(), r.kanaDone) << r.reading << " after " << r.keys;
  }
  Judge judge;
  judge.Start(U32("しゃ"));
  judge.Key('s');
  EXPECT_FALSE(judge.Key('q').accepted);
  EXPECT_EQ(judge.CurrentKana(), 0);  // the miss counts against し
  EXPECT_EQ(judge.Typed(), "s");
}

// The guide in each style, and how it follows the spelling the player chose.
TEST(RomajiJudge, GuideFollowsTheChosenSpellingWithoutJumping) {
  struct Row {
    GuideStyle style;
    const char* reading;
    const char* keys;
    const char* guide;
  } rows[] = {
      {GuideStyle::Hepburn, "しちつふじしゃ", "", "shichitsufujisha"},
      {GuideStyle::Kunrei, "しちつふじしゃ", "",
       "sititu"
       "huzisya"},
      {GuideStyle::Fewest, "しちつふじしゃ", "", "sititufujisha"},
      {GuideStyle::Hepburn, "しんぶん", "", "shinbunn"},
      {GuideStyle::Hepburn, "きっぷ", "", "kippu"},
      {GuideStyle::Hepburn, "あっ", "", "axtu"},
      {GuideStyle::Hepburn, "しんあい", "", "shinnai"},
      {GuideStyle::Hepburn, "ふぁいる", "", "fairu"},
      {GuideStyle::Hepburn, "し", "s", "hi"},     // the guide's own spelling goes on
      {GuideStyle::Hepburn, "しか", "si", "ka"},  // si is accepted and the guide does not jump
      {GuideStyle::Hepburn, "ち", "c", "hi"},     //
      {GuideStyle::Hepburn, "ちか", "t", "ika"},  // after t for ち the guide goes on with i
      {GuideStyle::Kunrei, "しゃ", "sh", "a"},    //
      {GuideStyle::Hepburn, "ちゃ", "ty", "a"},   //
      {GuideStyle::Hepburn, "きっと", "kix", "tuto"},
      {GuideStyle::Hepburn, "かんじ", "kann", "ji"},
      {GuideStyle::Hepburn, "ほん", "hon", "n"},   // a single final n still needs its second n
      {GuideStyle::Hepburn, "きゃ", "kix", "ya"},  //
  };
  for (const Row& r : rows) {
    Judge judge;
    judge.SetStyle(r.style);
    judge.Start(U32(r.reading));
    for (const char* k = r.keys; *k; ++k) ASSERT_TRUE(judge.Key(*k).accepted) << r.reading << " " << r.keys;
    EXPECT_EQ(judge.Guide(), r.guide) << r.reading << " after " << r.keys;
    EXPECT_EQ(judge.NextKey(), r.guide[0]) << r.reading << " after " << r.keys;
    EXPECT_EQ(judge.Typed(), r.keys);
  }
}

TEST(RomajiJudge, GuideNeverJumpsAlongAWholePhrase) {
  // Typing the guide key by key: each key is accepted and the guide only loses its first key.
  for (GuideStyle style : {GuideStyle::Hepburn, GuideStyle::Kunrei, GuideStyle::Fewest}) {
    Judge judge;
    judge.SetStyle(style);
    judge.Start(U32("きょうはとうきょうでしんぶんをかってきっさてんにいった。"));
    std::string guide = judge.Guide();
    for (size_t i = 0; i < guide.size(); ++i) {
      EXPECT_EQ(judge.Guide(), guide.substr(i));
      ASSERT_TRUE(judge.Key(guide[i]).accepted) << guide << " at " << i;
    }
    EXPECT_TRUE(judge.Complete());
    EXPECT_EQ(judge.Guide(), "");
    EXPECT_EQ(judge.NextKey(), '\0');
  }
}

TEST(RomajiJudge, FewestKeysCountsTheShortestSpelling) {
  struct Row {
    const char* reading;
    int keys;
  } rows[] = {{"しゃしん", 7}, {"きっぷ", 5}, {"ほん", 4}, {"てぃー", 4}, {"っっか", 4}};
  for (const Row& r : rows) {
    Judge judge;
    judge.Start(U32(r.reading));
    EXPECT_EQ(judge.FewestKeys(), r.keys) << r.reading;
  }
  Judge judge;
  judge.SetFinalNAllowed(true);
  judge.Start(U32("ほん"));
  EXPECT_EQ(judge.FewestKeys(), 3);
}

TEST(RomajiJudge, TableTextIsParsedWithGuideMarks) {
  const Table table = Table::Parse(
      "# comment\n"
      "si\tし\tk\r\n"
      "shi\tし\th\n"
      "ka\tか\n"
      "ca\tカ\n"
      "broken line\n"
      "toolongx\tと\n"
      "\tな\n");
  ASSERT_EQ(table.Rows().size(), 4u);
  EXPECT_EQ(table.Rows()[3].kana, U32("か"));                                       // katakana is read as hiragana
  EXPECT_EQ(table.Rows()[2].prefer, Table::kPreferHepburn | Table::kPreferKunrei);  // the first row
  EXPECT_EQ(table.Rows()[3].prefer, 0);
  Judge judge(table);
  judge.SetStyle(GuideStyle::Kunrei);
  judge.Start(U32("しか"));
  EXPECT_EQ(judge.Guide(), "sika");
  judge.SetStyle(GuideStyle::Hepburn);
  EXPECT_EQ(judge.Guide(), "shika");
}

}  // namespace
}  // namespace game::romaji
