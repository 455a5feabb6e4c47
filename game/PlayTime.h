#pragma once
// The running time kept in the record, and the stars of the grades held at 1級.
#include <cstdint>
#include <string>

#include "game/DatRecord.h"
#include "game/PlayState.h"

namespace game {

// One 50-ms tick of the title timer: the record's running time goes on by 5 hundredths, and
// every 5 seconds of ticks it is held against the tick count (ms), so that late or missed
// ticks still count. It stops at 65535:59:59.
void AdvancePlayTime(TitleState& s, DatRecord& record, uint32_t tick);

// 1級 held in n of the 21 mode and time settings: "+" for each, ☆ for five, ★ for ten,
// ★★ for twenty, and ★☆★ for all of them.
struct CertStars {
  enum class Level { Some, Twenty, All };
  std::string text;  // UTF-8
  Level level = Level::Some;
};
CertStars CertStarsOf(const DatRecord& record);

}  // namespace game
