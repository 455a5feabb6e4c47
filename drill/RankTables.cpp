#include "drill/RankTables.h"

namespace drill {

RankTables::RankTables(app::PlayState& state, ui::MainControls& c, ui::Timer& F8T1, MissStats& missStats)
    : s_(state), C(c), F8T1_(F8T1), missStats_(missStats) {}
int RankTables::RankPosition(int, int, int) const { return 10; }
int RankTables::RankScore(int, int, int) const { return 0; }
char RankTables::ClassLetter(int) { return '*'; }
std::string RankTables::RateText(int) { return {}; }
void RankTables::ShowRankTable(int) {}
void RankTables::PlaceResult() {}
void RankTables::F8T1Timer() {}
void RankTables::ConfirmName(uint16_t) {}
void RankTables::F7P1Click() {}
void RankTables::InsertResult() {}
void RankTables::ShiftRankEntries(int, int) {}
void RankTables::LeaveResults() {}

}  // namespace drill
