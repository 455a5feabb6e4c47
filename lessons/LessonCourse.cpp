#include "lessons/LessonCourse.h"

#include <climits>
#include <cstring>
#include <string>
#include <string_view>

#include "game/Lessons.h"
#include "platform/JisLayout.h"
#include "platform/Keyboard.h"
#include "ui/Color.h"
#include "ui/DesignScreens.h"

namespace lessons {
namespace {

using game::kFinalPractice;
using game::kLastKeyLesson;
constexpr int kTest = game::kLessonTest;
constexpr int kEnding = game::kLessonEnding;

// The key groups: lessons 1-12 introduce these keys (in this order), then practise the set.
struct KeyLesson {
  const char* practiceSet;
  const char* group;  // shown in the practice title
};
constexpr KeyLesson kKeyLessons[kLastKeyLesson] = {
    // home row, top row, bottom row, number row: left hand, right hand, both index fingers
    {"fdsa", " ｆｄｓａ "}, {"jkl;", " ｊｋｌ； "}, {"asdfghjkl;", "asdfghjkl;"},
    {"rewq", " ｒｅｗｑ "}, {"uiop", " ｕｉｏｐ "}, {"qwertyuiop", "qwertyuiop"},
    {"vcxz", " ｖｃｘｚ "}, {"m,./", " ｍ，．／ "}, {"zxcvbnm,./", "zxcvbnm,./"},
    {"4321", " ４３２１ "}, {"7890", " ７８９０ "}, {"1234567890", "1234567890"},
};
constexpr char kFinalPracticeText[] = "abcdefghijklmnopqrstuvwxyz1357924680";
constexpr char kTestSet[] = "abcdefghijklmnopqrstuvwxyz1234567890,./;";
constexpr int kPracticeLength = 50;
constexpr int kFinalPracticeLength = sizeof kFinalPracticeText - 1;
constexpr int kTestLength = 100;

// Intro key of lesson L, step k: (L - 1) * 4 + k; '?' fills the places two-key lessons lack.
constexpr char kIntroKeys[] = "fdsajkl;gh??rewquiopty??vcxzm,./bn??4321789056??";
constexpr int kIntroKeyCount = sizeof kIntroKeys - 1;

// Finger of each intro step: left hand, right hand, then the two index fingers.
constexpr const char* kFingerPhrases[] = {
    "を[左手人差し指]で押す", "を[左手  中  指]で押す", "を[左手  薬  指]で押す", "を[左手  小  指]で押す",
    "を[右手人差し指]で押す", "を[右手  中  指]で押す", "を[右手  薬  指]で押す", "を[右手  小  指]で押す",
    "を[左手人差し指]で押す", "を[右手人差し指]で押す",
};
constexpr int kPhraseCount = sizeof kFingerPhrases / sizeof kFingerPhrases[0];

bool TwoKeyLesson(int lesson) { return lesson % 3 == 0; }
int IntroKeyCount(int lesson) { return TwoKeyLesson(lesson) ? 2 : 4; }
int PhraseOffset(int lesson) { return (lesson - 1) % 3 * 4; }

// The finger's bracketed name: what lies between "を" and the closing bracket, inclusive.
std::string FingerName(int phrase) {
  const std::string_view p = kFingerPhrases[phrase];
  const std::size_t open = p.find('[');
  return std::string(p.substr(open, p.find(']') - open + 1));
}

constexpr char kEndingText[] =
    "　　　　　　　　　　練習モードクリア　おめでとう\n"
    "\n"
    "　　　ここまでくれば高速で入力できるようになったと思います.\n"
    "　　　　　　　　　他のモードも挑戦してみてください.\n"
    "\n"
    "　　　　　　　　　最後まで入力してくれてありがとう.\n"
    "\n"
    "　　　　　　　　　企画・制作: dojokai プロジェクト\n"
    "　　　　　　　　　　　　キー配列図: dojokai\n"
    "　　　　　　　　With thanks to: すべての練習者のみなさん\n"
    "　　　　　　　(エンディングはこのモードしかありません）\n"
    "　　　　　　　　　　スペースキーを押してください.";

// --- The lesson keyboard -------------------------------------------------------------------

using CapMember = ui::Panel* ui::MainControls::*;
using MC = ui::MainControls;
using plat::kJisKeyCount;
using plat::kJisKeys;
using ui::design::kKeyCapCount;

struct LessonCap {
  std::string_view name;
  CapMember cap;
};
// clang-format off
#define DOJOKAI_LESSON_CAP(Name) {#Name, &MC::Name}

// The caps in the order of the design rows: the keys of the JIS table, then the two SHIFTs.
constexpr LessonCap kLessonCaps[] = {
    DOJOKAI_LESSON_CAP(FLP_1),  DOJOKAI_LESSON_CAP(FLP_2),  DOJOKAI_LESSON_CAP(FLP_3),
    DOJOKAI_LESSON_CAP(FLP_4),  DOJOKAI_LESSON_CAP(FLP_5),  DOJOKAI_LESSON_CAP(FLP_6),
    DOJOKAI_LESSON_CAP(FLP_7),  DOJOKAI_LESSON_CAP(FLP_8),  DOJOKAI_LESSON_CAP(FLP_9),
    DOJOKAI_LESSON_CAP(FLP_0),  DOJOKAI_LESSON_CAP(FLP_MS), DOJOKAI_LESSON_CAP(FLP_HT),
    DOJOKAI_LESSON_CAP(FLP_EN), DOJOKAI_LESSON_CAP(FLP_Q),  DOJOKAI_LESSON_CAP(FLP_W),
    DOJOKAI_LESSON_CAP(FLP_E),  DOJOKAI_LESSON_CAP(FLP_R),  DOJOKAI_LESSON_CAP(FLP_T),
    DOJOKAI_LESSON_CAP(FLP_Y),  DOJOKAI_LESSON_CAP(FLP_U),  DOJOKAI_LESSON_CAP(FLP_I),
    DOJOKAI_LESSON_CAP(FLP_O),  DOJOKAI_LESSON_CAP(FLP_P),  DOJOKAI_LESSON_CAP(FLP_AD),
    DOJOKAI_LESSON_CAP(FLP_RS), DOJOKAI_LESSON_CAP(FLP_A),  DOJOKAI_LESSON_CAP(FLP_S),
    DOJOKAI_LESSON_CAP(FLP_D),  DOJOKAI_LESSON_CAP(FLP_F),  DOJOKAI_LESSON_CAP(FLP_G),
    DOJOKAI_LESSON_CAP(FLP_H),  DOJOKAI_LESSON_CAP(FLP_J),  DOJOKAI_LESSON_CAP(FLP_K),
    DOJOKAI_LESSON_CAP(FLP_L),  DOJOKAI_LESSON_CAP(FLP_SK), DOJOKAI_LESSON_CAP(FLP_KR),
    DOJOKAI_LESSON_CAP(FLP_LS), DOJOKAI_LESSON_CAP(FLP_Z),  DOJOKAI_LESSON_CAP(FLP_X),
    DOJOKAI_LESSON_CAP(FLP_C),  DOJOKAI_LESSON_CAP(FLP_V),  DOJOKAI_LESSON_CAP(FLP_B),
    DOJOKAI_LESSON_CAP(FLP_N),  DOJOKAI_LESSON_CAP(FLP_M),  DOJOKAI_LESSON_CAP(FLP_KM),
    DOJOKAI_LESSON_CAP(FLP_PR), DOJOKAI_LESSON_CAP(FLP_SR), DOJOKAI_LESSON_CAP(FLP_AB),
    DOJOKAI_LESSON_CAP(FLP_SPC), DOJOKAI_LESSON_CAP(FLP_SFT), DOJOKAI_LESSON_CAP(FLP_SFTR),
};
// clang-format on
#undef DOJOKAI_LESSON_CAP

static_assert(std::size(kLessonCaps) == kKeyCapCount && kJisKeyCount + 2 == kKeyCapCount);
constexpr bool LessonCapsFollowDesignAndTable() {
  for (std::size_t i = 0; i < kKeyCapCount; ++i) {
    const std::string_view name = kLessonCaps[i].name;
    if (name != ui::design::kKeyCaps[i].lessonName) return false;
    if (i < kJisKeyCount && (!name.starts_with("FLP_") || name.substr(4) != kJisKeys[i].cap)) return false;
  }
  return true;
}
static_assert(LessonCapsFollowDesignAndTable(), "lesson caps must follow the design rows and the JIS table");
bool IsShiftCap(std::size_t row) { return row >= kJisKeyCount; }

// A pressed key lights its caption lime; a shifted character also lights the SHIFT caption of
// its key's hand blue. Where the lessons differ from the drill's marks: symbols typed with
// Shift on these keys light their own caption blue too (the slash key's ? and ･ stay lime,
// as the digits' do)...
constexpr std::string_view kBlueShiftCaps[] = {"MS", "HT", "AD", "RS", "SK", "KR", "LS", "AB"};
// ...and these shifted characters light no cap at all.
constexpr uint8_t kUnlit[] = {
    '<', '>', '|', plat::KanaByte("､"), plat::KanaByte("｡"), plat::KanaByte("｢"), plat::KanaByte("｣")};

enum class Flash : uint8_t { None, Lime, LimeRightShift, LimeLeftShift, BlueLeftShift };
struct CapOfChar {
  uint8_t row = 0;  // index into kLessonCaps + 1; 0: no cap
  Flash flash = Flash::None;
};

// The flash of a key's shifted characters.
constexpr Flash ShiftedFlash(const plat::JisKey& key) {
  if (key.hand == plat::ShiftHand::Right) return Flash::LimeRightShift;
  for (std::string_view cap : kBlueShiftCaps)
    if (cap == key.cap) return Flash::BlueLeftShift;
  return Flash::LimeLeftShift;
}

// Every character byte to its cap and flash; a character two keys type lights the first (the
// backslash the yen key).
constexpr std::array<CapOfChar, 256> MakeCapOfChar() {
  std::array<CapOfChar, 256> table{};
  auto enter = [&table](uint8_t ch, std::size_t row, Flash flash) {
    for (uint8_t unlit : kUnlit)
      if (ch == unlit) return;
    if (ch != 0 && table[ch].row == 0) table[ch] = {static_cast<uint8_t>(row + 1), flash};
  };
  for (std::size_t r = 0; r < kJisKeyCount; ++r) {
    const plat::JisKey& k = kJisKeys[r];
    enter(k.plain, r, Flash::Lime);
    enter(k.kana, r, Flash::Lime);
    enter(k.shifted, r, k.ShiftGivesCapital() ? Flash::Lime : ShiftedFlash(k));
    enter(k.kanaShifted, r, ShiftedFlash(k));
  }
  return table;
}
constexpr std::array<CapOfChar, 256> kCapOfChar = MakeCapOfChar();

}  // namespace

LessonCourse::LessonCourse(game::PlayState& state, game::Screens& screens, ui::MainControls& c,
                           plat::Platform& platform, plat::GameRandom& random, ui::Timer& FLT1)
    : s_(state), screens_(screens), C(c), platform_(platform), random_(random), FLT1_(FLT1) {}

// --- Course flow ---------------------------------------------------------------------------

void LessonCourse::StartLessonCourse() {
  s_.SwallowKey = s_.SeqReady = s_.MessageTicks = s_.KeyFlashTicks = 0;
  ClearIntroLines();
  ShowIntroLines();
  for (ui::Control* c : std::initializer_list<ui::Control*>{C.FLL11, C.FLL12, C.FLM1, C.FLP8}) c->Hide();
  s_.LessonNo = 1;
  s_.LessonDrill = 0;
  s_.IntroStep = 0;
  ClearIntroLines();
  ResetLessonKeyText();
  ResetLessonKeys();
  C.FLM1->SetTextUtf8(kEndingText);
  FLT1_.SetEnabled(true);
}

void LessonCourse::LessonKeyPress(uint8_t ch) {
  ResetLessonKeyText();
  FlashLessonKey(ch);
  s_.KeyFlashTicks = 2;
  s_.KeyFlashPending = 1;
  if (s_.SwallowKey == 1) {
    s_.SwallowKey = 0;
    return;
  }
  const int lesson = s_.LessonNo;
  if (lesson >= 1 && lesson <= kLastKeyLesson && s_.LessonDrill == 0) {
    ShowIntroStep(lesson, s_.IntroStep);
    if (CheckIntroKey(lesson, s_.IntroStep, ch) != 0) return;  // a wrong key is not counted
    ++s_.IntroStep;
    ShowIntroStep(lesson, s_.IntroStep);
    if (s_.IntroStep >= IntroKeyCount(lesson)) {
      // The practice follows after a second's pause.
      s_.IntroStep = 0;
      s_.LessonDrill = 1;
      s_.MessageTicks = 10;
    }
  } else if (lesson >= 1 && lesson <= kFinalPractice) {
    s_.LessonDrill = 1;
    if (lesson != kFinalPractice) HideIntroLines();
    ShowDrillDisplay();
    ShowLessonTitle(lesson);
    const int result = LessonDrillStep(lesson, ch);
    if (result != 0) LessonResult.Tell(lesson, s_.LessonMisses, result == 1);
    if (result == 1) {
      s_.LessonDrill = 0;
      s_.IntroStep = 0;
      ++s_.LessonNo;
      ClearIntroLines();
      s_.MessageTicks = 30;
      C.FLL11->Show();
    } else if (result == 2) {
      s_.MessageTicks = 30;
      C.FLL12->Show();
    }
  } else if (lesson == kTest) {
    s_.LessonDrill = 1;
    ShowDrillDisplay();
    ShowLessonTitle(kTest);
    if (LessonDrillStep(kTest, ch) == 1) {
      LessonResult.Tell(kTest, s_.LessonMisses, true);
      s_.LessonDrill = 0;
      s_.IntroStep = 0;
      s_.LessonNo = kEnding;
      ClearIntroLines();
      s_.MessageTicks = 30;
      ShowTestScore();
      C.FLP8->Show();
      C.FLM1->Show();
      HideDrillDisplay();
    }
  } else if (lesson == kEnding && ch == ' ') {
    screens_.Show(game::Screen::Title);
    screens_.Hide(game::Screen::Lessons);
  }
}

void LessonCourse::LessonKeyUp(uint16_t key) {
  if (key == plat::vk::Tab) {
    SkipLesson();
  } else if (key == plat::vk::Escape) {
    screens_.Show(game::Screen::Title);
    screens_.Hide(game::Screen::Lessons);
  }
}

// Tab: on to the next lesson; the test can be reached this way but not skipped.
void LessonCourse::SkipLesson() {
  if (s_.LessonNo > kFinalPractice) return;
  s_.SwallowKey = s_.SeqReady = s_.MessageTicks = s_.KeyFlashTicks = 0;
  ++s_.LessonNo;
  s_.LessonDrill = 0;
  s_.IntroStep = 0;
  ClearIntroLines();
}

void LessonCourse::FLT1Timer() {
  if (s_.KeyFlashTicks > 0) {
    --s_.KeyFlashTicks;
  } else if (s_.KeyFlashPending == 1) {
    ResetLessonKeyText();
    s_.KeyFlashPending = 0;
  }
  if (s_.LessonNo > kTest) return;
  // A message (passed, failed, the pause before a practice) stays for its ticks.
  if (s_.MessageTicks > 0) {
    --s_.MessageTicks;
    return;
  }
  s_.SwallowKey = 0;
  if (s_.LessonDrill == 0 && s_.LessonNo != kFinalPractice && s_.LessonNo != kTest) {
    ShowIntroStep(s_.LessonNo, s_.IntroStep);
    ShowIntroLines();
    HideDrillDisplay();
    return;
  }
  ShowPractice();
}

// The practice as the timer keeps it: title, sequence (drawn if need be), character to type.
void LessonCourse::ShowPractice() {
  ShowLessonTitle(s_.LessonNo);
  LessonDrillStep(s_.LessonNo, 0);
  HideIntroLines();
  C.FLL11->Hide();
  C.FLL12->Hide();
  ShowDrillDisplay();
}

void LessonCourse::RefreshLessonScreen() {
  for (ui::Label* l : {C.FLL1, C.FLL2, C.FLL3, C.FLL4, C.FLL6, C.FLL7, C.FLL8, C.FLL9}) l->SetCaption(" ");
  // The ending keeps the test's title and its score over the keyboard.
  if (s_.LessonNo > kTest) return;
  C.FLL5->SetCaption(" ");
  if (s_.LessonDrill == 1 || s_.LessonNo == kFinalPractice || s_.LessonNo == kTest) {
    ShowPractice();
    return;
  }
  for (int k = 0; k <= s_.IntroStep; ++k) ShowIntroStep(s_.LessonNo, k);
  ShowIntroLines();
  HideDrillDisplay();
}

// --- Introduction --------------------------------------------------------------------------

void LessonCourse::ShowIntroStep(int lesson, int step) {
  C.FLL5->SetCaption("lesson " + std::to_string(lesson) + "-1  基本位置");
  if (lesson < 1 || lesson > kLastKeyLesson || step < 0 || (lesson - 1) * 4 + step >= kIntroKeyCount) return;
  const int keys = IntroKeyCount(lesson);
  const int phrase = PhraseOffset(lesson) + step;
  ResetLessonKeys();
  std::string keyLine;
  if (step < keys) {
    const char key = kIntroKeys[(lesson - 1) * 4 + step];
    MarkLessonKey(static_cast<uint8_t>(key));
    if (phrase < kPhraseCount) keyLine = std::string(1, key) + " " + kFingerPhrases[phrase];
  }
  // One row below the key just introduced, the finger that typed it goes home again.
  const std::string returnLine =
      step > 0 && phrase <= kPhraseCount ? ">>  " + FingerName(phrase - 1) + "の基本位置" : "";
  // clang-format off
  switch (step) {
    case 0: C.FLL1->SetCaption(keyLine); break;
    case 1: C.FLL2->SetCaption(keyLine); C.FLL6->SetCaption(returnLine); break;
    case 2: C.FLL3->SetCaption(keyLine); C.FLL7->SetCaption(returnLine); break;
    case 3: C.FLL4->SetCaption(keyLine); C.FLL8->SetCaption(returnLine); break;
    default: C.FLL9->SetCaption(returnLine); break;
  }
  // clang-format on
}

// 0: the key of this step; 1: another key; 2: no such step; 3: no key lesson.
int LessonCourse::CheckIntroKey(int lesson, int step, uint8_t ch) {
  if (lesson < 1 || lesson > kLastKeyLesson) return 3;
  if (step < 0 || step >= IntroKeyCount(lesson)) return 2;
  const auto key = static_cast<uint8_t>(kIntroKeys[(lesson - 1) * 4 + step]);
  ResetLessonKeys();
  MarkLessonKey(key);
  if (ch != key) return 1;
  // The key that ends the introduction must not run into the practice.
  if (step == IntroKeyCount(lesson) - 1) s_.SwallowKey = 1;
  return 0;
}

// --- Practice ------------------------------------------------------------------------------

uint8_t* LessonCourse::SequenceOf(int lesson) {
  if (lesson <= kLastKeyLesson) return practice_.data();
  return lesson == kFinalPractice ? finalPractice_.data() : test_.data();
}

const uint8_t* LessonCourse::Sequence() const {
  if (s_.LessonNo <= kLastKeyLesson) return practice_.data();
  return s_.LessonNo == kFinalPractice ? finalPractice_.data() : test_.data();
}

// Uniform draws from the lesson's set, never the same character twice in a row.
void LessonCourse::DrawSequence(int lesson, uint8_t* buffer, int length) {
  const char* set = lesson == kTest ? kTestSet : kKeyLessons[static_cast<uint8_t>(lesson - 1)].practiceSet;
  const int size = static_cast<int>(std::strlen(set));
  int previous = -1;
  for (int i = 0; i < length; ++i) {
    int index = random_.Below(size);
    while (index == previous) index = random_.Below(size);
    buffer[i] = static_cast<uint8_t>(set[index]);
    previous = index;
  }
  buffer[length] = 0;
}

// c = 0 is the timer's refresh. 0: going on; 1: the sequence is done and passed (the test
// always passes); 2: done with too many wrong keys.
int LessonCourse::LessonDrillStep(int lesson, uint8_t ch) {
  if (lesson < 1 || lesson > kTest) return 0;
  const int length = lesson == kFinalPractice ? kFinalPracticeLength : lesson == kTest ? kTestLength : kPracticeLength;
  uint8_t* sequence = SequenceOf(lesson);
  random_.Seed(static_cast<uint32_t>(platform_.CalendarSeconds()));
  if (s_.SeqReady == 0) {
    C.FLL12->Hide();
    if (lesson == kFinalPractice)
      std::memcpy(sequence, kFinalPracticeText, sizeof kFinalPracticeText);
    else
      DrawSequence(lesson, sequence, length);
    s_.SeqReady = 1;
    s_.SeqPos = 0;
    s_.LessonMisses = 0;
  }
  // Marked before the comparison: after a hit the red cap is the key just typed until the
  // next refresh.
  ResetLessonKeys();
  MarkLessonKey(sequence[s_.SeqPos]);
  const game::LessonVerdict verdict = game::JudgeLessonKey(s_, lesson, sequence, length, ch);
  const uint8_t next = sequence[s_.SeqPos];
  C.FLP7->SetCaptionBytes(next ? std::string(1, static_cast<char>(next)) : std::string());
  return verdict == game::LessonVerdict::Going ? 0 : verdict == game::LessonVerdict::Passed ? 1 : 2;
}

void LessonCourse::ShowLessonTitle(int lesson) {
  const std::string prefix = "lesson " + std::to_string(lesson);
  if (lesson >= 1 && lesson <= kLastKeyLesson)
    C.FLL5->SetCaption(prefix + "-2 " + kKeyLessons[static_cast<uint8_t>(lesson - 1)].group + "の練習");
  else if (lesson == kFinalPractice)
    C.FLL5->SetCaption(prefix + "最終練習");
  else if (lesson == kTest)
    C.FLL5->SetCaption(prefix + "試験");
}

void LessonCourse::ShowTestScore() {
  C.FLP8->SetCaption(std::to_string(game::LessonTestScore(s_.LessonMisses)) + " 点");
}

// --- Screen parts --------------------------------------------------------------------------

void LessonCourse::ClearIntroLines() {
  for (ui::Label* l : {C.FLL1, C.FLL2, C.FLL3, C.FLL4, C.FLL6, C.FLL7, C.FLL8, C.FLL9}) l->SetCaption(" ");
}

void LessonCourse::ShowIntroLines() {
  for (ui::Label* l : {C.FLL1, C.FLL2, C.FLL3, C.FLL4, C.FLL6, C.FLL7, C.FLL8, C.FLL9}) l->Show();
}

void LessonCourse::HideIntroLines() {
  for (ui::Label* l : {C.FLL1, C.FLL2, C.FLL3, C.FLL4, C.FLL6, C.FLL7, C.FLL8, C.FLL9}) l->Hide();
}

void LessonCourse::ShowDrillDisplay() {
  C.FLP7->Show();
  C.FLL13->Show();
}

void LessonCourse::HideDrillDisplay() {
  C.FLP7->Hide();
  C.FLL11->Hide();
  C.FLL12->Hide();
  C.FLL13->Hide();
}

// --- Keyboard ------------------------------------------------------------------------------

void LessonCourse::ResetLessonKeys() {
  for (const LessonCap& cap : kLessonCaps) (C.*cap.cap)->SetColor(ui::clr::Black);
}

void LessonCourse::ResetLessonKeyText() {
  for (std::size_t i = 0; i < std::size(kLessonCaps); ++i)
    (C.*kLessonCaps[i].cap)->SetFontColor(IsShiftCap(i) ? ui::clr::Silver : ui::clr::White);
}

void LessonCourse::MarkLessonKey(uint8_t ch) {
  const CapOfChar& c = kCapOfChar[ch];
  if (c.row != 0) (C.*kLessonCaps[c.row - 1].cap)->SetColor(ui::clr::Red);
}

void LessonCourse::FlashLessonKey(uint8_t ch) {
  const CapOfChar& c = kCapOfChar[ch];
  if (c.row == 0) return;
  ui::Panel* cap = C.*kLessonCaps[c.row - 1].cap;
  switch (c.flash) {
    case Flash::Lime: cap->SetFontColor(ui::clr::Lime); break;
    case Flash::LimeRightShift:
      cap->SetFontColor(ui::clr::Lime);
      C.FLP_SFTR->SetFontColor(ui::clr::Blue);
      break;
    case Flash::LimeLeftShift:
      cap->SetFontColor(ui::clr::Lime);
      C.FLP_SFT->SetFontColor(ui::clr::Blue);
      break;
    case Flash::BlueLeftShift:
      cap->SetFontColor(ui::clr::Blue);
      C.FLP_SFT->SetFontColor(ui::clr::Blue);
      break;
    case Flash::None: break;
  }
}

}  // namespace lessons
