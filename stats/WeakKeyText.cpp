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
      // A third in a row: the next character of the pool, or one from the other pool.
      const std::vector<uint8_t>& other = (pool.size() > 1 || good.empty()) ? pool : good;
      if (other.size() == 1 && static_cast<char>(other[0]) == c) {
        text += c;  // a single character and nothing else: it can only repeat
        continue;
      }
      do c = static_cast<char>(other[next(static_cast<uint32_t>(other.size()))]);
      while (c == text[n - 1]);
    }
    text += c;
  }
  return text;
}

}  // namespace stats
