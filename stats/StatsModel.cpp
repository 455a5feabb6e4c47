#include "stats/StatsModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "game/Modes.h"
#include "platform/Cp932.h"
#include "platform/Platform.h"

namespace stats {

bool InLayer(uint8_t ch, Layer layer) {
  return layer == Layer::Latin ? ch >= 0x20 && ch <= 0x7E : ch >= 0xA1 && ch <= 0xDF;
}

std::string CharName(uint8_t ch) {
  if (ch == ' ') return "空白";
  if (ch == 0) return "(なし)";
  if (ch == 8) return "BS";
  if (ch == 9) return "Tab";
  if (ch == 13) return "Enter";
  if ((ch >= 0x21 && ch <= 0x7E) || (ch >= 0xA1 && ch <= 0xDF))
    return plat::cp932::ToUtf8(std::string(1, static_cast<char>(ch)));
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", ch);
  return buf;
}

std::vector<KeyStat> RankKeys(const std::vector<records::KeyFigures>& totals, Layer layer) {
  std::vector<KeyStat> keys;
  int64_t msSum = 0, timed = 0;
  for (const records::KeyFigures& k : totals) {
    if (!InLayer(k.ch, layer) || k.targeted <= 0) continue;
    KeyStat s;
    s.ch = k.ch;
    s.targeted = k.targeted;
    s.missed = k.missed;
    s.meanMs = k.MeanMs();
    s.missRate = static_cast<double>(k.missed) / static_cast<double>(k.targeted);
    s.enough = k.targeted >= kMinSamples;
    if (s.enough) {
      msSum += k.hitMsSum;
      timed += k.hitsTimed;
    }
    keys.push_back(s);
  }
  const double layerMean = timed > 0 ? static_cast<double>(msSum) / static_cast<double>(timed) : 0;
  for (KeyStat& s : keys) {
    const double slowness = layerMean > 0 && s.meanMs > 0 ? std::max(0.0, s.meanMs / layerMean - 1.0) : 0.0;
    s.weakness = s.missRate + kSlownessWeight * slowness;
  }
  std::stable_sort(keys.begin(), keys.end(), [](const KeyStat& a, const KeyStat& b) {
    if (a.enough != b.enough) return a.enough;
    if (a.enough && a.weakness != b.weakness) return a.weakness > b.weakness;
    return a.ch < b.ch;
  });
  return keys;
}

std::vector<uint8_t> WeakestKeys(const std::vector<KeyStat>& ranked, size_t n) {
  std::vector<uint8_t> out;
  for (const KeyStat& s : ranked)
    if (s.enough && out.size() < n) out.push_back(s.ch);
  return out;
}

std::vector<uint8_t> GoodKeys(const std::vector<KeyStat>& ranked, const std::vector<uint8_t>& weak, size_t n) {
  std::vector<uint8_t> out;
  for (auto it = ranked.rbegin(); it != ranked.rend() && out.size() < n; ++it)
    if (it->enough && std::find(weak.begin(), weak.end(), it->ch) == weak.end()) out.push_back(it->ch);
  return out;
}

std::vector<records::ConfusionFigures> LayerConfusions(const std::vector<records::ConfusionFigures>& all, Layer layer) {
  std::vector<records::ConfusionFigures> out;
  for (const auto& c : all)
    if (InLayer(c.target, layer)) out.push_back(c);
  std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.count > b.count; });
  return out;
}

std::vector<double> MovingAverage(const std::vector<double>& values, int window) {
  std::vector<double> out;
  out.reserve(values.size());
  double sum = 0;
  window = std::max(window, 1);
  for (size_t i = 0; i < values.size(); ++i) {
    sum += values[i];
    if (i >= static_cast<size_t>(window)) sum -= values[i - static_cast<size_t>(window)];
    out.push_back(sum / static_cast<double>(std::min(i + 1, static_cast<size_t>(window))));
  }
  return out;
}

bool InTrend(const records::DrillEntry& d) {
  return !d.practice && d.mode >= 0 && d.mode < game::kTimedModes && d.timeSetting >= 0 &&
         d.timeSetting <= game::kUntimed && d.good + d.miss >= kMinTrendKeys;
}

std::vector<int> PlayedSelections(const std::vector<records::DrillEntry>& drills) {
  std::set<int> played;
  for (const records::DrillEntry& d : drills)
    if (InTrend(d)) played.insert(d.mode * 4 + d.timeSetting);
  return {played.begin(), played.end()};
}

namespace {

// About four steps over the span, each 1, 2 or 5 times a power of ten.
double NiceStep(double span) {
  const double raw = span / 4;
  if (!(raw > 0)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  const double r = raw / power;
  return (r < 1.5 ? 1 : r < 3 ? 2 : r < 7 ? 5 : 10) * power;
}

}  // namespace

AxisRange ValueAxis(double lo, double hi, double floor, double ceiling) {
  if (lo > hi) return {floor, floor + 1, 0.5};  // nothing to show
  // A spread is padded by a sixth of it, which leaves room for the labels above the points,
  // and by a twentieth of the values at least, so that small wobbles do not fill the chart;
  // a single value by a tenth of itself.
  double pad = std::max((hi - lo) / 6, std::abs(hi) / (hi > lo ? 20 : 10));
  if (pad == 0) pad = 1;
  AxisRange r{std::max(lo - pad, floor), hi + pad, 0};
  r.step = NiceStep(r.hi - r.lo);
  r.hi = std::min(r.hi, std::max(ceiling + r.step / 2, hi + r.step / 10));
  return r;
}

AxisRange DrillAxis(int count) {
  count = std::max(count, 1);
  const double pad = std::max(0.5, count * 0.02);
  return {1 - pad, count + pad, std::max(1.0, std::round(NiceStep(count - 1)))};
}

namespace {

bool ParseDate(const std::string& date, plat::LocalDateTime& t) {
  return std::sscanf(date.c_str(), "%d-%d-%d", &t.year, &t.month, &t.day) == 3;
}

}  // namespace

std::string AddDays(const std::string& date, int offset) {
  plat::LocalDateTime t;
  if (!ParseDate(date, t)) return date;
  t.hour = 12;
  const plat::LocalDateTime r = plat::FromEpochMs(plat::EpochMs(t) + int64_t{offset} * 86400000);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", r.year, r.month, r.day);
  return buf;
}

std::vector<DayCount> PracticePerDay(const std::vector<records::DrillEntry>& drills, const std::string& today,
                                     int days) {
  std::vector<DayCount> out;
  std::map<std::string, size_t> index;
  for (int i = days - 1; i >= 0; --i) {
    index[AddDays(today, -i)] = out.size();
    out.push_back({AddDays(today, -i), 0, 0});
  }
  for (const records::DrillEntry& d : drills) {
    const auto it = index.find(d.started.substr(0, 10));
    if (it == index.end()) continue;
    out[it->second].keys += d.good + d.miss;
    out[it->second].drills += 1;
  }
  return out;
}

std::vector<DayMark> DayMarks(const std::vector<DayCount>& days, int every) {
  std::vector<DayMark> marks;
  every = std::max(every, 1);
  for (size_t back = 0; back < days.size(); back += static_cast<size_t>(every)) {
    const size_t i = days.size() - 1 - back;
    plat::LocalDateTime t;
    if (!ParseDate(days[i].date, t)) continue;
    marks.insert(marks.begin(), {i, std::to_string(t.month) + "/" + std::to_string(t.day)});
  }
  return marks;
}

int Streak(const std::vector<records::DrillEntry>& drills, const std::string& today) {
  std::set<std::string> played;
  for (const records::DrillEntry& d : drills) played.insert(d.started.substr(0, 10));
  std::string day = played.count(today) ? today : AddDays(today, -1);
  int streak = 0;
  while (played.count(day)) {
    ++streak;
    day = AddDays(day, -1);
  }
  return streak;
}

}  // namespace stats
