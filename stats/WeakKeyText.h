#pragma once
// The text of a weak-key practice: the weak keys two times in three, known-good keys
// between them, never one character three times in a row (unless it is the only one).
#include <cstdint>
#include <string>
#include <vector>

#include "records/History.h"
#include "stats/StatsModel.h"

namespace stats {

// Known-good keys used when the history has too few: the home rows of each layer.
std::vector<uint8_t> FallbackGoodKeys(Layer layer);

// `length` CP932 bytes drawn from `weak` and `good` with the generator seeded by `seed`.
// Empty when there are no weak keys.
std::string WeakKeyText(const std::vector<uint8_t>& weak, const std::vector<uint8_t>& good, uint32_t seed,
                        size_t length);

// The practice text of a layer from the history's key totals: its weakest keys, with the
// keys typed well (or the home row while there are too few of them). Empty when the
// history has no weak key to offer.
std::string PracticeText(records::History& history, Layer layer, uint32_t seed, size_t length);

}  // namespace stats
