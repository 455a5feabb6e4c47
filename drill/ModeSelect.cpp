#include "drill/ModeSelect.h"

namespace drill {

ModeSelect::ModeSelect(app::PlayState& state, ui::MainControls& c, plat::Platform& platform,
                       plat::GameRandom& random, ui::Timer& F1T1, DrillRun& drillRun, WordList& wordList)
    : s_(state), C(c), platform_(platform), random_(random), F1T1_(F1T1), drillRun_(drillRun),
      wordList_(wordList) {}
void ModeSelect::ModeSelectKey(uint8_t) {}
void ModeSelect::F6L11Click(int) {}
void ModeSelect::F6L11DblClick(int) {}
void ModeSelect::F6P3Click() {}
void ModeSelect::F6P2Click() {}
void ModeSelect::SelectMode(int) {}
void ModeSelect::ShowModeCaption(int) {}
void ModeSelect::StartDrillFromMenu() {}
void ModeSelect::EnterLessonsFromMenu() {}
void ModeSelect::PrepareDrillText() {}

}  // namespace drill
