#pragma once
// The game's pseudo-random generator: state := state * 22695477 + 1 (32 bits, wrapping),
// output := (state >> 16) & 0x7FFF. Seeded with calendar seconds, so each test that
// fixes the clock sees the same draws.
#include <cstdint>

namespace plat {

class GameRandom {
 public:
  void Seed(uint32_t seed) { state_ = seed; }
  // Next raw output, 0..32767.
  int Next() {
    state_ = state_ * 22695477u + 1u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }
  // A number 0..n-1 (n >= 1), as the game draws it: the raw output modulo n.
  int Below(int n) { return Next() % n; }
  uint32_t State() const { return state_; }

 private:
  uint32_t state_ = 1;
};

}  // namespace plat
