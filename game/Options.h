#pragma once
// The start-up options of the configuration file as the game goes by them. The settings
// screen shows them in its boxes, and every change of a box changes them at once.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/KeyCodes.h"

namespace game {

// The romaji drills' settings ([ROMAJI] of the configuration file, written only once one
// differs from its default). The sounds serve every drill.
struct RomajiOptions {
  uint8_t guideStyle = 0;  // GUIDE: game::romaji::GuideStyle (0 ヘボン式, 1 訓令式, 2 fewest keys)
  bool finalN = false;     // FINALN: a single final n finishes ん
  bool keySound = false;   // KEYSOUND: a click for every accepted key
  bool missSound = false;  // MISSSOUND: a sound for every miss
  bool operator==(const RomajiOptions&) const = default;
};

struct Options {
  bool ownDataFolder = false;            // DOJDATPATHON: the data file lies in `dataFolder`
  std::string dataFolder;                // DOJDATPATH, the bytes the file holds (any encoding)
  bool resetSwitches = false;            // RESETSW: the title switches start off
  bool noDataFile = false;               // DOJDATNOTRW: the data file is neither read nor written
  bool skipIntro = false;                // STARTZKEY: the start picture goes at once
  bool noScoreShow = false;              // TITSCOREOFF: no top-10 show on an idle title
  bool loadLogo = false;                 // BMPJPGLOADON: the logo picture is read at start
  std::optional<plat::KeyMap> keyboard;  // KEYBOARD=jis|us; none: 自動
  RomajiOptions romaji;
};

}  // namespace game
