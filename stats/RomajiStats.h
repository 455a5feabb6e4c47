#pragma once
// The figures of the statistics window's ローマ字 layer: the kana ranked by weakness, the kana
// table (五十音) they are shown in, the drills of the trend, and the choice of entries for a
// 苦手かな練習.
#include <cstdint>
#include <string>
#include <vector>

#include "game/RomajiList.h"
#include "records/History.h"

namespace stats {

// A katakana counted as its hiragana (both are typed the same); 〜 and ～ as one.
char32_t FoldKana(char32_t c);
// The characters of a UTF-8 text, one string each, folded.
std::vector<std::string> FoldedKana(const std::string& utf8);

struct KanaStat {
  std::string kana;  // UTF-8, folded
  int64_t targeted = 0, missed = 0;
  double meanMs = 0;
  double missRate = 0;
  bool enough = false;  // at least kMinSamples times targeted
  double weakness = 0;  // miss rate + kSlownessWeight × (meanMs / mean of all kana − 1, at least 0)
};

// The kana of the history's totals folded together, weakest first (kana with too few
// samples last, by code point).
std::vector<KanaStat> RankKana(const std::vector<records::KanaFigures>& totals);
// How many weak kana a 苦手かな練習 aims at.
inline constexpr size_t kWeakKana = 8;
// Up to n weakest kana with enough samples and some weakness.
std::vector<KanaStat> WeakestKana(const std::vector<KanaStat>& ranked, size_t n);

// The entries of a list richest in the weakest kana, best first, at most `count`: an entry
// scores the weakness of each of its weak kana over its length (at least kShortEntry kana),
// and a kana already well covered by the entries chosen counts less, so that the practice
// spreads over all the weak kana. Empty when the history has no weak kana yet (or no entry
// has one).
inline constexpr size_t kShortEntry = 4;
inline constexpr size_t kKanaPracticeEntries = 40;
std::vector<game::romaji::Entry> WeakKanaEntries(const std::vector<records::KanaFigures>& kanaTotals,
                                                 const std::vector<game::romaji::Entry>& entries, size_t count);

// The kana table: 清音 in rows あ..わ and ん on the left, 濁音・半濁音, small kana, ー and
// punctuation on the right; everything else in the cell 他.
inline constexpr int kKanaRows = 11, kKanaColumns = 11;
struct KanaCell {
  int row = 0, column = 0;
  std::string label;  // the kana (UTF-8), or 他
  KanaStat stat;      // summed over the cell's kana; weakness as in RankKana
};
inline constexpr const char* kOtherCell = "他";
std::vector<KanaCell> KanaTable(const std::vector<records::KanaFigures>& totals);

// A romaji drill of the trend: no practice, enough keys to tell a pace.
bool InRomajiTrend(const records::RomajiDrillEntry& d);
// The kinds and time settings (kind × 4 + time) that have drills in the trend, in order.
std::vector<int> PlayedRomajiSelections(const std::vector<records::RomajiDrillEntry>& drills);
// ことば / 文 and the time setting as the window names them ("ことば 60秒").
std::string RomajiSelectionName(int selection);

}  // namespace stats
