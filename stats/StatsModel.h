#pragma once
// The figures behind the statistics window, worked out from the history: miss rates and the
// weakness ranking of the keys of a layer, moving averages, the days practised and the streak.
#include <cstdint>
#include <string>
#include <vector>

#include "records/History.h"

namespace stats {

// The two layers of the JIS keyboard: Latin characters (ASCII from the space to '~') and
// the half-width kana (0xA1..0xDF).
enum class Layer { Latin, Kana };
bool InLayer(uint8_t ch, Layer layer);
// A character as the window shows it (UTF-8): "空白" for the space, "Esc"-like names for
// controls, "(なし)" for a key that typed no character of the layer.
std::string CharName(uint8_t ch);

// A key with too few samples is shown neutral and never ranked.
inline constexpr int64_t kMinSamples = 5;
// A key this many times slower than the layer's mean counts like a key missed 10 % more.
inline constexpr double kSlownessWeight = 0.1;

struct KeyStat {
  uint8_t ch = 0;
  int64_t targeted = 0, missed = 0;
  double meanMs = 0;
  double missRate = 0;  // misses per time targeted
  bool enough = false;  // at least kMinSamples times targeted
  double weakness = 0;  // miss rate + kSlownessWeight × (meanMs / layer mean − 1, at least 0)
};

// The keys of a layer with their figures, weakest first (keys with too few samples last,
// by character).
std::vector<KeyStat> RankKeys(const std::vector<records::KeyFigures>& totals, Layer layer);
// Up to n weakest keys with enough samples, and up to n best (least weak) keys among the rest.
// How many weak keys a practice drills.
inline constexpr size_t kWeakKeys = 8;
std::vector<uint8_t> WeakestKeys(const std::vector<KeyStat>& ranked, size_t n);
std::vector<uint8_t> GoodKeys(const std::vector<KeyStat>& ranked, const std::vector<uint8_t>& weak, size_t n);

// Confusions whose target lies in the layer, most frequent first.
std::vector<records::ConfusionFigures> LayerConfusions(const std::vector<records::ConfusionFigures>& all, Layer layer);

// The mean of each value and the up to window-1 values before it.
std::vector<double> MovingAverage(const std::vector<double>& values, int window);

// A drill with fewer judged keys (good + miss) says little about the player's pace: it
// counts as practice done but stays out of the trend charts.
inline constexpr int kMinTrendKeys = 10;
// A drill of the trend charts: a drill mode and time, no weak-key practice, enough keys.
bool InTrend(const records::DrillEntry& d);
// The mode and time settings (mode × 4 + time) that have drills in the trends, in order.
std::vector<int> PlayedSelections(const std::vector<records::DrillEntry>& drills);

// The range of a chart axis and the distance between its labelled ticks.
struct AxisRange {
  double lo = 0, hi = 1, step = 0.5;
};
// An axis for values from `lo` to `hi`: padded on both sides so that no point lies on the
// edge (a single value in the middle), kept within `floor`, and past `ceiling` by less than a
// step so that no label goes beyond it. Steps are 1, 2 or 5 times a power of ten.
AxisRange ValueAxis(double lo, double hi, double floor, double ceiling);
// The axis of drill numbers 1..count: whole-number steps, the first and last drill off the
// edges.
AxisRange DrillAxis(int count);

struct DayCount {
  std::string date;  // YYYY-MM-DD
  int64_t keys = 0;
  int drills = 0;
};
// The `days` days up to `today` (YYYY-MM-DD), oldest first, with the keys typed and drills
// played on each.
std::vector<DayCount> PracticePerDay(const std::vector<records::DrillEntry>& drills, const std::string& today,
                                     int days);
// Days practised in a row up to today (or up to yesterday when today has none yet).
int Streak(const std::vector<records::DrillEntry>& drills, const std::string& today);
// The day `offset` days from `date` (both YYYY-MM-DD).
std::string AddDays(const std::string& date, int offset);
// Labels for the day axis of PracticePerDay's days: every `every`-th day counted back from
// the last (today), as "M/D", oldest first, with the index of its day.
struct DayMark {
  size_t index = 0;
  std::string label;
};
std::vector<DayMark> DayMarks(const std::vector<DayCount>& days, int every);

}  // namespace stats
