#include "stats/WeakKeyText.h"

#include <algorithm>

namespace stats {

std::vector<uint8_t> FallbackGoodKeys(Layer layer) {
  // asdfjkl and ﾁﾄｼﾊﾏﾉﾘ: the home-row keys under the fingers.
  if (layer == Layer::Latin) return {'a', 's', 'd', 'f', 'j', 'k', 'l'};
  return {0xC1, 0xC4, 0xBC, 0xCA, 0xCF, 0xC9, 0xD8};
}

std::string WeakKeyText(const std::vector<uint8_t>& weak, const std::vector<uint8_t>& good, uint32_t seed,
                        size_t length) {
  std::string text;
  if (weak.empty()) return text;
  // A small linear congruential generator: the same seed gives the same text.
  uint32_t x = seed ? seed : 1;
  auto next = [&x](uint32_t n) {
    x = x * 1664525u + 1013904223u;
    return (x >> 8) % n;
  };
  text.reserve(length);
  while (text.size() < length) {
    const bool fromWeak = good.empty() || next(3) != 0;
    const std::vector<uint8_t>& pool = fromWeak ? weak : good;
    auto c = static_cast<char>(pool[next(static_cast<uint32_t>(pool.size()))]);
    const size_t n = text.size();
    if (n >= 2 && text[n - 1] == c && text[n - 2] == c) {
      // A third in a row: another character of the same pool, else one of the other pool.
      std::vector<uint8_t> others;
      for (uint8_t k : pool)
        if (static_cast<char>(k) != c) others.push_back(k);
      if (others.empty())
        for (uint8_t k : fromWeak ? good : weak)
          if (static_cast<char>(k) != c) others.push_back(k);
      // A single character and nothing else can only repeat.
      if (!others.empty()) c = static_cast<char>(others[next(static_cast<uint32_t>(others.size()))]);
    }
    text += c;
  }
  return text;
}

std::string PracticeText(records::History& history, Layer layer, uint32_t seed, size_t length) {
  const std::vector<KeyStat> ranked = RankKeys(history.KeyTotals(), layer);
  const std::vector<uint8_t> weak = WeakestKeys(ranked, kWeakKeys);
  std::vector<uint8_t> good = GoodKeys(ranked, weak, kWeakKeys);
  if (good.size() < 3)
    for (uint8_t k : FallbackGoodKeys(layer))
      if (std::find(weak.begin(), weak.end(), k) == weak.end() && std::find(good.begin(), good.end(), k) == good.end())
        good.push_back(k);
  return WeakKeyText(weak, good, seed, length);
}

}  // namespace stats
