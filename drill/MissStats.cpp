#include "drill/MissStats.h"

namespace drill {

MissStats::MissStats(app::PlayState& state, ui::MainControls& c) : s_(state), C(c) {}
void MissStats::CountMiss(uint8_t) {}
std::string MissStats::FormatMissEntry(uint8_t) const { return {}; }
void MissStats::DrawMissStats() {}

}  // namespace drill
