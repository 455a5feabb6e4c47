#pragma once
// What one drill did key by key, for the history: per target character the times it came
// up, the misses against it, the time from the previous hit to its hit, and the wrong
// characters typed instead. Fixed arrays, filled while the drill runs without allocating;
// the history reads it once the drill has ended.
#include <array>
#include <cstdint>

namespace game {

struct KeyLog {
  struct Confusion {
    uint8_t target = 0, typed = 0;
    uint32_t count = 0;
  };
  static constexpr int kMaxConfusions = 512;

  std::array<uint32_t, 256> targeted{};    // times the character was the next to type
  std::array<uint32_t, 256> missed{};      // wrong keys typed while it was
  std::array<uint64_t, 256> hitMsSum{};    // sum of the times from the previous hit to its hit
  std::array<uint32_t, 256> hitMsCount{};  // hits that had a previous hit
  std::array<Confusion, kMaxConfusions> confusions{};
  int confusionCount = 0;
  uint32_t good = 0, miss = 0;
  uint32_t firstTick = 0, lastHitTick = 0;
  bool anyHit = false;
  bool fresh = true;  // the next judged key faces a new target

  void Reset() { *this = KeyLog{}; }

  // One judged key: `typed` against `target` at `tick` (milliseconds).
  void Judge(uint8_t target, uint8_t typed, bool hit, uint32_t tick) {
    if (good == 0 && miss == 0) firstTick = tick;
    if (fresh) {
      ++targeted[target];
      fresh = false;
    }
    if (hit) {
      ++good;
      if (anyHit) {
        hitMsSum[target] += tick - lastHitTick;  // unsigned: right across a wrap of the tick count
        ++hitMsCount[target];
      }
      anyHit = true;
      lastHitTick = tick;
      fresh = true;
      return;
    }
    ++miss;
    ++missed[target];
    for (int i = 0; i < confusionCount; ++i)
      if (confusions[i].target == target && confusions[i].typed == typed) {
        ++confusions[i].count;
        return;
      }
    if (confusionCount < kMaxConfusions) confusions[confusionCount++] = {target, typed, 1};
  }

  bool Empty() const { return good == 0 && miss == 0; }
};

}  // namespace game
