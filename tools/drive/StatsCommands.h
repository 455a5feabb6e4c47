#pragma once
// The driver's `stats` commands: the statistics window and the history behind it.
#include <ostream>

#include "tools/drive/Script.h"

class QImage;

namespace app {
class TForm2;
}

namespace drive {

// stats open | close | tab NAME | layer latin|kana | select all|N | practice | dump FILE|- |
// export FILE | romaji trend|kana|confusions|select all|N|practice
void StatsCommand(app::TForm2& form, LineReader& r, std::ostream& out);
// The statistics window as a picture when it is shown (a null image when not).
QImage StatsShot(app::TForm2& form);
// The history's rows (every drill with its keys and confusions, lessons, judgements) and
// the figures of every view, as one JSON object.
std::string StatsJson(app::TForm2& form);

}  // namespace drive
