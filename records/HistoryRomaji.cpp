// The romaji drills in the history.
#include "records/History.h"

namespace records {

// Placeholder until the romaji tables exist: nothing is kept.
void History::AddRomajiDrill(const RomajiDrillEntry&, const std::vector<KanaFigures>&,
                             const std::vector<RomajiConfusion>&) {}
std::vector<RomajiDrillEntry> History::RomajiDrills() { return {}; }
std::vector<KanaFigures> History::RomajiKanaTotals() { return {}; }
std::vector<RomajiConfusion> History::RomajiConfusionTotals() { return {}; }
std::vector<RomajiRank> History::RomajiTop10(const std::string&, int) { return {}; }
int History::RomajiPlace(const std::string&, int, int) { return 0; }
void History::AddRomajiRank(const std::string&, int, const RomajiRank&) {}

}  // namespace records
