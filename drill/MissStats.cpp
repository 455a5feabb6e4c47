#include "drill/MissStats.h"

#include "game/DrillJudge.h"

#include <array>
#include <string_view>

#include "game/Digits.h"
#include "platform/Cp932.h"

namespace drill {
namespace {

// The Latin picture: five columns of twelve characters (the last ends with the space).
constexpr std::array<std::string_view, 5> kLatinGrid = {"0123456789:;", "ABCDEFGHIJKL", "MNOPQRSTUVWX", "YZ[\\]^*+,-./",
                                                        "!\"#$%&'()?= "};
// The kana picture: six columns of ten half-width katakana (UTF-8 here, drawn as CP932).
constexpr std::array<std::string_view, 6> kKanaGridUtf8 = {"ｱｲｳｴｵｶｷｸｹｺ", "ｻｼｽｾｿﾀﾁﾂﾃﾄ", "ﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎ",
                                                           "ﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘ", "ﾙﾚﾛﾜｦﾝﾞﾟ｡､", "ｧｨｩｪｫｬｭｮｯｰ"};

const std::array<std::string, 6>& KanaGrid() {
  static const std::array<std::string, 6> grid = [] {
    std::array<std::string, 6> bytes;
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = plat::cp932::FromUtf8(kKanaGridUtf8[i]).value();
    return bytes;
  }();
  return grid;
}

struct GridLayout {
  int points, columnWidth, rowHeight;
};
constexpr GridLayout kLatinLayout{9, 90, 13};
constexpr GridLayout kKanaLayout{8, 77, 14};

// A cell turns red when its character was missed in the current drill; misses of earlier
// drills alone leave it white.
template <class Columns>
void DrawGrid(ui::Image& image, const Columns& columns, GridLayout layout, const MissStats& stats,
              const std::array<uint8_t, 256>& drillCounts) {
  ui::Canvas& canvas = image.Canvas();
  canvas.Fill(ui::clr::Black);
  canvas.SetBrushColor(ui::clr::Black);
  canvas.SetFace(ui::Face::Gothic);
  canvas.SetFontSize(layout.points);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    for (std::size_t j = 0; j < columns[i].size(); ++j) {
      const auto ch = static_cast<uint8_t>(columns[i][j]);
      canvas.SetFontColor(drillCounts[ch] > 0 ? ui::clr::Red : ui::clr::White);
      canvas.TextOut(layout.columnWidth * static_cast<int>(i), layout.rowHeight * static_cast<int>(j),
                     stats.FormatMissEntry(ch));
    }
  }
}

}  // namespace

MissStats::MissStats(game::PlayState& state, ui::MainControls& c) : s_(state), C(c) {}

void MissStats::CountMiss(uint8_t ch) { game::CountMiss(s_, ch); }

std::string MissStats::FormatMissEntry(uint8_t ch) const {
  std::string cell = "C XXX(XXXXX)";
  cell[0] = static_cast<char>(ch);
  game::FormatDigits3(cell, 2, s_.DrillMissCounts[ch]);
  game::FormatDigits5(cell, 6, s_.RunMissCounts[ch]);
  return cell;
}

void MissStats::DrawMissStats() {
  // The title redraws the pages twice a second: pictures of unchanged counts stay as drawn.
  if (PicturesCurrent()) return;
  drawn_ = true;
  drawnDrill_ = s_.DrillMissCounts;
  drawnRun_ = s_.RunMissCounts;
  for (ui::Image* latin : {C.F4I1, C.Image7}) DrawGrid(*latin, kLatinGrid, kLatinLayout, *this, s_.DrillMissCounts);
  for (ui::Image* kana : {C.F4I2, C.Image6}) DrawGrid(*kana, KanaGrid(), kKanaLayout, *this, s_.DrillMissCounts);
}

}  // namespace drill
