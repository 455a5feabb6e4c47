#include "game/DrillJudge.h"

#include <algorithm>
#include <array>
#include <limits>

#include "game/Modes.h"
#include "platform/JisLayout.h"
#include "platform/Keyboard.h"

namespace game {
namespace {

// Per time index 0..3: the full length in tenths.
constexpr std::array<int, 4> kFullLength = {300, 600, 1200, 9999};

// The drill's kana go by the character a key types without the kana lock. A key's own
// character gives its kana, and Shift changes that only where Shift types no character of its
// own but the capital or nothing (ｦ, ｨ, ｯ); a shifted character gives the key's shifted kana
// where that differs from the plain one (# ｧ, < ､), else none (!, ", |).
struct KanaTable {
  std::array<uint8_t, 256> plain{}, shifted{};
};

// Where the drill reads a character otherwise: the '=' of Shift+ほ is ｰ, and the ro key
// reaches the drill as the '_' of its key-down (its backslash is the yen key's).
struct KanaException {
  char key;
  uint8_t kana;
};
constexpr KanaException kKanaExceptions[] = {{'=', plat::KanaByte("ｰ")}, {'_', plat::KanaByte("ﾛ")}};

// Indexed by the (lower-cased) key character; 0 where the key types no kana.
constexpr KanaTable BuildKanaTable() {
  KanaTable t;
  for (const plat::JisKey& k : plat::kJisKeys) {
    if (k.vk == plat::vk::Space) continue;  // the space is judged as it is
    const bool shiftTypesOwnCharacter = k.shifted != 0 && !k.ShiftGivesCapital();
    if (t.plain[k.plain] == 0) {  // a character two keys type is the first key's
      t.plain[k.plain] = k.kana;
      t.shifted[k.plain] = shiftTypesOwnCharacter ? k.kana : k.kanaShifted;
    }
    if (shiftTypesOwnCharacter && k.kanaShifted != k.kana) t.plain[k.shifted] = t.shifted[k.shifted] = k.kanaShifted;
  }
  for (const KanaException& e : kKanaExceptions) {
    const auto i = static_cast<uint8_t>(e.key);
    t.plain[i] = t.shifted[i] = e.kana;
  }
  return t;
}

constexpr KanaTable kKanaTable = BuildKanaTable();

uint8_t FoldCase(uint8_t c) { return c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c + ('a' - 'A')) : c; }

int SaturatedAdd(int v) { return v < std::numeric_limits<int>::max() ? v + 1 : v; }

// The text byte at i; 0 past its end.
uint8_t TextAt(const DrillState& d, int i) { return i < 0 ? 0 : d.DrillText.At(static_cast<size_t>(i)); }

}  // namespace

uint8_t MapKanaKey(uint8_t ch, bool shift) {
  if (ch == ' ' || (ch >= 0xA1 && ch <= 0xDF)) return ch;
  const uint8_t key = FoldCase(ch);
  return shift ? kKanaTable.shifted[key] : kKanaTable.plain[key];
}

int ScoreOf(int good, int miss) {
  return static_cast<int>(std::clamp<int64_t>(16 * (static_cast<int64_t>(good) - miss), 0, 65535));
}

int DurationOf(const DrillState& d) { return std::clamp(d.DurationIndex, 0, kUntimed); }

int FullLengthOf(int duration) { return kFullLength[static_cast<size_t>(std::clamp(duration, 0, kUntimed))]; }

void DiscardUntimedResult(DrillState& d, const DrillRules& rules) {
  if (d.DurationIndex >= kUntimed && !rules.keepUntimedResult) d.Score = d.Good = d.Miss = 0;
}

KeyStart StartKey(DrillState& d, const DrillRules& rules, uint8_t raw, uint8_t typed, int32_t calendarSeconds,
                  uint32_t tick) {
  KeyStart k;
  d.TypedChar = raw;
  // The ro key arrives twice: the '_' of its key-down, then its own '\'. Only the first counts.
  if (d.PrevRawChar == '_' && raw == '\\') {
    d.PrevRawChar = 0;
    k.skipped = true;
    return k;
  }
  d.PrevRawChar = raw;
  d.TypedChar = typed;
  uint8_t target = TextAt(d, d.TextPos);
  if (rules.foldCase) {
    target = FoldCase(target);
    d.TypedChar = FoldCase(d.TypedChar);
  }
  // The terminator of the text is no character to type: a key without kana (0) must not
  // match it, or an empty text would start the clock.
  k.match = target != 0 && d.TypedChar == target;
  if (k.match) {
    k.startClock = true;
    if (!d.DrillRunning) {
      d.DrillStartClock = calendarSeconds;
      d.DrillRunning = 1;
      d.DrillStartTick = d.RateWindowStart = static_cast<int32_t>(tick / 100);
      d.RateWindowKeys = 0;
    }
  }
  if (raw == plat::ch::Escape) {
    d.TimeLeft = 0;
    DiscardUntimedResult(d, rules);
    k.escape = true;
  }
  return k;
}

KeyResult FinishKey(DrillState& d, DatRecord& record, const DrillRules& rules, const KeyStart& start, bool clockRuns) {
  KeyResult r;
  // Wrong keys before the first hit are not judged.
  if (start.skipped || (!start.match && !clockRuns)) return r;
  uint8_t target = TextAt(d, d.TextPos);
  if (rules.foldCase) target = FoldCase(target);
  if (target == 0) {
    d.TextPos = 0;
    target = TextAt(d, 0);
    if (rules.foldCase) target = FoldCase(target);
  }
  r.judged = true;
  r.target = target;
  r.hit = target != 0 && d.TypedChar == target;
  if (r.hit) {
    d.Good = SaturatedAdd(d.Good);
    d.Score = ScoreOf(d.Good, d.Miss);
    record.AddGoodKeys();
    d.TextPos += 1;
    d.LookaheadPos += 1;
    d.LastHitChar = d.TypedChar;
    auto& cells = d.DrillWindow.bytes;
    std::copy(cells.begin() + 1, cells.begin() + 11, cells.begin());
    uint8_t c = TextAt(d, d.LookaheadPos);
    if (c == 0) {
      d.LookaheadPos = 0;
      c = TextAt(d, 0);
    }
    cells[10] = c;
    cells[11] = 0;
  } else {
    d.Miss = SaturatedAdd(d.Miss);
    CountMiss(d, target);
    record.AddMissKeys();
    d.Score = ScoreOf(d.Good, d.Miss);
    // The MISS limiter: the ninth miss ends the drill.
    if (rules.missLimiter && d.Miss >= 9) {
      d.TimeLeft = 0;
      DiscardUntimedResult(d, rules);
      r.limited = true;
    }
  }
  d.RateWindowKeys = SaturatedAdd(d.RateWindowKeys);
  record.AddTotalKeys();
  if (r.hit) {
    record.AddTodayGood();
    d.GoodSinceStart = std::min(d.GoodSinceStart + 1, 65535);
  }
  d.Score = std::clamp(d.Score, 0, 65535);
  return r;
}

bool ClockTick(DrillState& d, const DrillRules& rules, int64_t calendarSeconds, uint32_t tick) {
  const int duration = DurationOf(d);
  const int full = FullLengthOf(duration);
  // The untimed clock follows the wall clock, so the drift check never corrects it.
  if (duration >= kUntimed) d.DrillStartClock = static_cast<int32_t>(calendarSeconds);
  // Every sixth tick the clock is held against the wall clock.
  if (d.DriftCheckTicks < 5) {
    ++d.DriftCheckTicks;
  } else {
    d.DriftCheckTicks = 0;
    const int64_t counted = (full - d.TimeLeft) / 10;
    const int64_t wall = calendarSeconds - d.DrillStartClock;
    if (counted < wall) {
      const int64_t lag = wall - counted;
      if (lag == 1)
        d.TimeLeft -= 5;
      else if (lag > 5)
        d.TimeLeft = static_cast<int>(std::max<int64_t>(d.TimeLeft - (10 * lag - 10), -1));
    }
  }
  d.TimeLeft -= 1;
  bool ended = false;
  if (d.TimeLeft < 0) {
    d.TimeLeft = 1;
    DiscardUntimedResult(d, rules);
    d.DrillRunning = 0;
    ended = true;
  }
  // The rate window keeps a decaying count of the last ten seconds or so.
  const auto t = static_cast<int32_t>(tick / 100);
  if (t < d.RateWindowStart) {
    d.RateWindowStart = t;  // the tick count wrapped
  } else if (t - d.RateWindowStart > 100) {
    d.RateWindowStart = t - 10;
    d.RateWindowKeys /= 10;
  }
  return ended;
}

void PrepareDrillWindow(DrillState& d) {
  auto& cells = d.DrillWindow.bytes;
  cells.fill(0);
  std::fill(cells.begin(), cells.begin() + 5, ' ');
  int look = 0;
  for (size_t cell = 5; cell <= 10; ++cell) {
    if (cell > 5 && TextAt(d, ++look) == 0) look = 0;
    cells[cell] = TextAt(d, look);
  }
  d.TextPos = 0;
  d.LookaheadPos = look;
}

void CountMiss(DrillState& d, uint8_t ch) {
  if (ch >= 'a' && ch <= 'z') ch = static_cast<uint8_t>(ch - 'a' + 'A');
  if (d.DrillMissCounts[ch] < 255) ++d.DrillMissCounts[ch];
  if (d.RunMissCounts[ch] < 65535) ++d.RunMissCounts[ch];
}

}  // namespace game
