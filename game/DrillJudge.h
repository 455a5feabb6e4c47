#pragma once
// The drill's rules: every key judged against the next character of the text, the score,
// the clock that starts with the first correct key and is held against the wall clock, and
// the end of a drill. Plain functions on the drill's state; the drill screen calls them and
// draws what they return.
#include <cstdint>

#include "game/DatRecord.h"
#include "game/PlayState.h"

namespace game {

// The half-width kana a key character types on the JIS kana layout, by the character the
// key types without the lock, and Shift (0: none).
uint8_t MapKanaKey(uint8_t ch, bool shift);

// 16 points a hit, 16 off a miss, kept within what the tables store.
int ScoreOf(int good, int miss);

// The switches and settings a key is judged with.
struct DrillRules {
  bool foldCase = false;           // B/S: capitals and small letters count alike
  bool missLimiter = false;        // +: the ninth miss ends the drill
  bool keepUntimedResult = false;  // a practice keeps its figures; an untimed drill does not
};

// The first half of a key: the ro key's second character, the clock started by a correct
// key, and Esc.
struct KeyStart {
  bool skipped = false;     // the ro key's own backslash after its '_': not judged at all
  bool match = false;       // the key is the character to type
  bool startClock = false;  // ... and the clock must run from now
  bool escape = false;      // Esc has ended the drill
};
// `raw` is the character the window received, `typed` the same after the kana map.
KeyStart StartKey(DrillState& d, const DrillRules& rules, uint8_t raw, uint8_t typed, int32_t calendarSeconds,
                  uint32_t tick);

// The second half: the key judged as a hit or a miss, once the clock runs.
struct KeyResult {
  bool judged = false;  // false: a wrong key before the first hit, not counted
  bool hit = false;
  uint8_t target = 0;    // the character it was judged against
  bool limited = false;  // the miss limiter has ended the drill
};
KeyResult FinishKey(DrillState& d, DatRecord& record, const DrillRules& rules, const KeyStart& start, bool clockRuns);

// One 100-ms tick of the drill clock: the time left goes down, held every sixth tick against
// the wall clock; the rate window decays. True when the time has run out.
bool ClockTick(DrillState& d, const DrillRules& rules, int64_t calendarSeconds, uint32_t tick);

// The figures of an untimed drill are dropped when it ends (a practice keeps them).
void DiscardUntimedResult(DrillState& d, const DrillRules& rules);

// The text window at the start of a drill: five blanks, then the text from its start (a
// text shorter than the window repeats in it as it does while typing).
void PrepareDrillWindow(DrillState& d);

// A miss against character `ch` in this drill and since the program started.
void CountMiss(DrillState& d, uint8_t ch);

// The time index within 0..3 and the full length of the drill in tenths of a second.
int DurationOf(const DrillState& d);
int FullLengthOf(int duration);

}  // namespace game
