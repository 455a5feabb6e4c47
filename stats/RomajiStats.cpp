#include "stats/RomajiStats.h"

#include <QString>
#include <algorithm>
#include <map>
#include <set>

#include "game/RomajiText.h"
#include "stats/StatsModel.h"

namespace stats {

namespace {

std::u32string Utf32Of(const std::string& s) { return QString::fromStdString(s).toStdU32String(); }

// The kana table, row by row: the left block (columns 0..4) and the right one (6..10); `_`
// leaves a cell empty.
constexpr const char* kTableRows[kKanaRows][2] = {
    {"あいうえお", "がぎぐげご"}, {"かきくけこ", "ざじずぜぞ"}, {"さしすせそ", "だぢづでど"},
    {"たちつてと", "ばびぶべぼ"}, {"なにぬねの", "ぱぴぷぺぽ"}, {"はひふへほ", "ぁぃぅぇぉ"},
    {"まみむめも", "ゃ_ゅ_ょ"},   {"や_ゆ_よ", "っゎゔー_"},    {"らりるれろ", "、。「」・"},
    {"わ___を", "！？〜_他"},     {"ん____", "_____"}};

struct Sum {
  int64_t targeted = 0, missed = 0, msSum = 0, timed = 0;
  void Add(const records::KanaFigures& k) {
    targeted += k.targeted;
    missed += k.missed;
    msSum += k.msSum;
    timed += k.timed;
  }
};

// The figures folded per kana, and the mean time of the kana with enough samples.
std::map<std::string, Sum> Folded(const std::vector<records::KanaFigures>& totals, double& mean) {
  std::map<std::string, Sum> sums;
  for (const records::KanaFigures& k : totals) {
    std::string folded;
    for (const std::string& c : FoldedKana(k.kana)) folded += c;
    if (!folded.empty()) sums[folded].Add(k);
  }
  int64_t ms = 0, timed = 0;
  for (const auto& [kana, s] : sums)
    if (s.targeted >= kMinSamples) {
      ms += s.msSum;
      timed += s.timed;
    }
  mean = timed > 0 ? static_cast<double>(ms) / static_cast<double>(timed) : 0;
  return sums;
}

KanaStat StatOf(const std::string& kana, const Sum& s, double mean) {
  KanaStat k;
  k.kana = kana;
  k.targeted = s.targeted;
  k.missed = s.missed;
  k.meanMs = s.timed > 0 ? static_cast<double>(s.msSum) / static_cast<double>(s.timed) : 0;
  k.missRate = s.targeted > 0 ? static_cast<double>(s.missed) / static_cast<double>(s.targeted) : 0;
  k.enough = s.targeted >= kMinSamples;
  const double slowness = mean > 0 && k.meanMs > 0 ? std::max(0.0, k.meanMs / mean - 1.0) : 0.0;
  k.weakness = k.missRate + kSlownessWeight * slowness;
  return k;
}

}  // namespace

char32_t FoldKana(char32_t c) { return c == U'～' ? U'〜' : game::romaji::ToHiragana(c); }

std::vector<std::string> FoldedKana(const std::string& utf8) {
  std::vector<std::string> out;
  for (char32_t c : Utf32Of(utf8)) game::romaji::AppendUtf8(FoldKana(c), out.emplace_back());
  return out;
}

std::vector<KanaStat> RankKana(const std::vector<records::KanaFigures>& totals) {
  double mean = 0;
  std::vector<KanaStat> ranked;
  for (const auto& [kana, s] : Folded(totals, mean))
    if (s.targeted > 0) ranked.push_back(StatOf(kana, s, mean));
  // The map's order (UTF-8 bytes) is the code points' order: ties keep it.
  std::stable_sort(ranked.begin(), ranked.end(), [](const KanaStat& a, const KanaStat& b) {
    if (a.enough != b.enough) return a.enough;
    return a.enough && a.weakness > b.weakness;
  });
  return ranked;
}

std::vector<KanaStat> WeakestKana(const std::vector<KanaStat>& ranked, size_t n) {
  std::vector<KanaStat> out;
  for (const KanaStat& k : ranked)
    if (k.enough && k.weakness > 0 && out.size() < n) out.push_back(k);
  return out;
}

std::vector<game::romaji::Entry> WeakKanaEntries(const std::vector<records::KanaFigures>& kanaTotals,
                                                 const std::vector<game::romaji::Entry>& entries, size_t count) {
  std::map<char32_t, double> weight;
  for (const KanaStat& k : WeakestKana(RankKana(kanaTotals), kWeakKana)) {
    const std::u32string c = Utf32Of(k.kana);
    if (c.size() == 1) weight[c[0]] = k.weakness;
  }
  std::vector<game::romaji::Entry> chosen;
  if (weight.empty()) return chosen;
  // Each entry once (a list may repeat a reading), as folded kana.
  std::vector<std::pair<size_t, std::u32string>> pool;
  std::set<std::u32string> seen;
  for (size_t i = 0; i < entries.size(); ++i) {
    std::u32string kana = entries[i].kana.empty() ? Utf32Of(entries[i].reading) : entries[i].kana;
    for (char32_t& c : kana) c = FoldKana(c);
    if (!kana.empty() && seen.insert(kana).second) pool.emplace_back(i, std::move(kana));
  }
  std::map<char32_t, int> covered;
  std::vector<bool> taken(pool.size());
  while (chosen.size() < count) {
    double best = 0;
    size_t bestAt = pool.size();
    for (size_t p = 0; p < pool.size(); ++p) {
      if (taken[p]) continue;
      double score = 0;
      for (char32_t c : pool[p].second)
        if (const auto w = weight.find(c); w != weight.end()) score += w->second / (1 + covered[c]);
      score /= static_cast<double>(std::max(pool[p].second.size(), kShortEntry));
      if (score > best) best = score, bestAt = p;  // the first of equal entries in the list
    }
    if (bestAt == pool.size()) break;
    taken[bestAt] = true;
    for (char32_t c : pool[bestAt].second)
      if (weight.count(c)) ++covered[c];
    chosen.push_back(entries[pool[bestAt].first]);
  }
  return chosen;
}

std::vector<KanaCell> KanaTable(const std::vector<records::KanaFigures>& totals) {
  double mean = 0;
  const std::map<std::string, Sum> sums = Folded(totals, mean);
  std::vector<KanaCell> cells;
  std::set<std::string> inTable;
  for (int row = 0; row < kKanaRows; ++row)
    for (int block = 0; block < 2; ++block) {
      const std::vector<std::string> kana = FoldedKana(kTableRows[row][block]);
      for (size_t i = 0; i < kana.size(); ++i) {
        if (kana[i] == "_") continue;
        KanaCell cell;
        cell.row = row;
        cell.column = block * 6 + static_cast<int>(i);
        cell.label = kana[i];
        inTable.insert(kana[i]);
        cells.push_back(cell);
      }
    }
  inTable.erase(kOtherCell);
  for (KanaCell& cell : cells) {
    Sum s;
    if (cell.label == kOtherCell) {
      for (const auto& [kana, k] : sums)
        if (!inTable.count(kana)) s.Add({kana, k.targeted, k.missed, k.msSum, k.timed});
    } else if (const auto it = sums.find(cell.label); it != sums.end()) {
      s = it->second;
    }
    cell.stat = StatOf(cell.label, s, mean);
  }
  return cells;
}

bool InRomajiTrend(const records::RomajiDrillEntry& d) {
  return !d.practice && d.kind >= 0 && d.kind <= 1 && d.timeSetting >= 0 && d.timeSetting <= 3 &&
         d.good + d.miss >= kMinTrendKeys;
}

std::vector<int> PlayedRomajiSelections(const std::vector<records::RomajiDrillEntry>& drills) {
  std::set<int> played;
  for (const auto& d : drills)
    if (InRomajiTrend(d)) played.insert(d.kind * 4 + d.timeSetting);
  return {played.begin(), played.end()};
}

std::string RomajiSelectionName(int selection) {
  static const char* const kKinds[] = {"ことば", "文"};
  static const char* const kTimes[] = {"30秒", "60秒", "120秒", "時間なし"};
  if (selection < 0 || selection >= 8) return "すべて";
  return std::string(kKinds[selection / 4]) + " " + kTimes[selection % 4];
}

}  // namespace stats
