#include "drill/ModeSelect.h"

#include <array>

#include <string>

#include "game/Modes.h"
#include "platform/Keyboard.h"

namespace drill {

namespace {

// The colour each mode's name is shown in.
constexpr std::array<ui::Color, 8> kModeColours = {ui::clr::Yellow, ui::clr::Lime, ui::clr::Aqua, ui::clr::Fuchsia,
                                                   ui::clr::Yellow, ui::clr::Lime, ui::clr::Aqua, ui::clr::Fuchsia};

game::TextRef FixedText(const char* text, size_t length) { return {reinterpret_cast<const uint8_t*>(text), length}; }

}  // namespace

ModeSelect::ModeSelect(game::PlayState& state, game::Screens& screens, ui::MainControls& c, plat::Platform& platform,
                       plat::GameRandom& random, ui::Timer& F1T1, DrillRun& drillRun, WordList& wordList)
    : s_(state), screens_(screens), C(c), platform_(platform), random_(random), F1T1_(F1T1), drillRun_(drillRun),
      wordList_(wordList) {}

void ModeSelect::ModeSelectKey(uint8_t ch) {
  if (ch == plat::ch::Escape) {
    screens_.Show(game::Screen::Title);
    screens_.Hide(game::Screen::ModeSelect);
  } else if (ch == plat::ch::Enter) {
    if (s_.Mode == game::kLessonMode) {
      EnterLessonsFromMenu();
      return;
    }
    StartDrillFromMenu();
  }
  SelectMode(ch);
  ShowModeCaption(s_.Mode);
  if (ch >= '1' && ch <= '7') {
    s_.Mode = ch - '1';
    StartDrillFromMenu();
  } else if (ch == '0') {
    s_.Mode = game::kLessonMode;
    EnterLessonsFromMenu();
  } else if ((ch == '8' || ch == '9') && StartRomaji) {
    StartRomaji(ch - '8');
  } else if (ch == ' ') {
    s_.DurationIndex = (s_.DurationIndex + 1) % 4;
    C.F6P2->SetCaption(game::kDurationLabels[static_cast<size_t>(s_.DurationIndex)]);
  }
}

void ModeSelect::F6L11Click(int tag) {
  SelectMode(tag);
  ShowModeCaption(s_.Mode);
}

void ModeSelect::F6L11DblClick(int tag) {
  if (tag < 0 || tag > game::kLessonMode) return;
  s_.Mode = tag;
  if (tag == game::kLessonMode)
    EnterLessonsFromMenu();
  else
    StartDrillFromMenu();
}

void ModeSelect::F6L22DblClick(int tag) {
  if ((tag == 8 || tag == 9) && StartRomaji) StartRomaji(tag - 8);
}

void ModeSelect::F6P3Click() {
  const int next = s_.Mode >= game::kLessonMode || s_.Mode < 0 ? 0 : s_.Mode + 1;
  SelectMode(next);
  ShowModeCaption(s_.Mode);
}

void ModeSelect::F6P2Click() {
  s_.DurationIndex = s_.DurationIndex >= 3 || s_.DurationIndex < 0 ? 0 : s_.DurationIndex + 1;
  C.F6P2->SetCaption(game::kDurationLabels[static_cast<size_t>(s_.DurationIndex)]);
}

// A mode index 0..7, or a digit: '1'..'7' for the drills 0..6 and '0' for the lessons.
void ModeSelect::SelectMode(int v) {
  int mode;
  if (v >= 0 && v <= game::kLessonMode)
    mode = v;
  else if (v >= '1' && v <= '7')
    mode = v - '1';
  else if (v == '0')
    mode = game::kLessonMode;
  else
    return;
  s_.Mode = mode;
  C.F6P3->SetFontColor(kModeColours[static_cast<size_t>(mode)]);
}

void ModeSelect::ShowModeCaption(int m) {
  if (m < 0 || m > game::kLessonMode) return;
  C.F6P3->SetCaptionBytes(std::string("[ ") + game::kModeNames[static_cast<size_t>(m)] + " ]");
}

void ModeSelect::StartDrillFromMenu() {
  if (s_.Mode < 0 || s_.Mode >= game::kLessonMode) return;  // the lessons are no drill
  const int d = s_.DurationIndex >= 0 && s_.DurationIndex <= game::kUntimed ? s_.DurationIndex : 0;
  s_.DurationIndex = d;
  s_.TimeLeft = game::kDurationSeconds[static_cast<size_t>(d)] * 10;
  s_.Score = s_.Good = s_.Miss = 0;
  F1T1_.SetEnabled(false);
  PrepareDrillText();
  drillRun_.StartDrill();
  // The untimed setting has no usage counter of its own.
  if (d < game::kUntimed) s_.DatRecord.AddModeUse(d, s_.Mode);
  s_.DatRecord.AddDrillTotal();
  screens_.Show(game::Screen::Drill);
  screens_.Hide(game::Screen::ModeSelect);
}

void ModeSelect::EnterLessonsFromMenu() {
  s_.DatRecord.AddOtherModeUse();
  s_.DatRecord.AddDrillTotal();
  if (!s_.SwitchK) C.FLP10->Show();
  if (StartLessonCourse) StartLessonCourse();
  screens_.Show(game::Screen::Lessons);
  screens_.Hide(game::Screen::ModeSelect);
}

void ModeSelect::PrepareDrillText() {
  switch (s_.Mode) {
    case 0: s_.DrillText = FixedText(game::kAlphabetText, sizeof game::kAlphabetText - 1); break;
    case 1:
      wordList_.FillLatinWordText(s_, random_, platform_.HighResolutionCounter());
      s_.DrillText = game::TextRef::Of(s_.LatinWordText);
      break;
    case 2: s_.DrillText = game::TextRef::Of(s_.RndText); break;
    case 3: s_.DrillText = FixedText(game::kReverseAlphabetText, sizeof game::kReverseAlphabetText - 1); break;
    case 4: s_.DrillText = FixedText(game::kKanaText, sizeof game::kKanaText - 1); break;
    case 5:
      wordList_.FillKanaWordText(s_, random_, platform_.HighResolutionCounter());
      s_.DrillText = game::TextRef::Of(s_.KanaWordText);
      break;
    case 6: s_.DrillText = game::TextRef::Of(s_.EraiText); break;
    default: break;  // the lessons keep the text as it is
  }
}

}  // namespace drill
