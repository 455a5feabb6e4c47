#include "drill/DrillRun.h"

namespace drill {

DrillRun::DrillRun(app::PlayState& state, ui::MainControls& c, plat::Platform& platform, ui::Timer& F1T1,
                   ui::Timer& F8T1, KeyCaps& keyCaps, MissStats& missStats, RankTables& rankTables,
                   DrillTexts& texts)
    : s_(state), C(c), platform_(platform), F1T1_(F1T1), F8T1_(F8T1), keyCaps_(keyCaps),
      missStats_(missStats), rankTables_(rankTables), texts_(texts) {}
uint8_t DrillRun::MapKanaKey(uint8_t, bool) { return 0; }
void DrillRun::DrillKey(uint8_t) {}
void DrillRun::StartDrill() {}
void DrillRun::EndDrill() {}
void DrillRun::F1T1Timer() {}
void DrillRun::RefreshDrillScreen() {}

}  // namespace drill
