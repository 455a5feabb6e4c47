#pragma once
// The one shared state record of the game: the running drill, the eight title switches,
// the title screen's tick counters, layout bookkeeping and the in-memory data record.
// Owned by the main window; every subsystem gets it by reference.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "game/DatRecord.h"

namespace game {

// A fixed text buffer of CP932 bytes, NUL-terminated inside (one spare byte keeps a
// terminator behind a full buffer).
template <size_t N>
struct TextBuffer {
  std::array<uint8_t, N + 1> bytes{};
  static constexpr size_t Capacity() { return N; }
  uint8_t* data() { return bytes.data(); }
  const uint8_t* data() const { return bytes.data(); }
  void Assign(std::string_view text) {
    bytes.fill(0);
    for (size_t i = 0; i < text.size() && i < N; ++i) bytes[i] = static_cast<uint8_t>(text[i]);
  }
  std::string View() const {
    size_t n = 0;
    while (n < N && bytes[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(bytes.data()), n);
  }
};

// The text being typed: a view of one of the drill texts. Reading past its end gives NUL.
struct TextRef {
  const uint8_t* data = nullptr;
  size_t size = 0;
  uint8_t At(size_t i) const { return data && i < size ? data[i] : 0; }
  template <size_t N>
  static TextRef Of(const TextBuffer<N>& buffer) {
    return {buffer.data(), N};
  }
  std::string View() const {
    size_t n = 0;
    while (n < size && data[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(data), n);
  }
};

// The fixed drill texts.
inline constexpr char kAlphabetText[] = "abcdefghijklmnopqrstuvwxyz";
inline constexpr char kReverseAlphabetText[] = "zyxwvutsrqponmlkjihgfedcba";
// ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝ as CP932 bytes.
inline constexpr char kKanaText[] =
    "\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7"
    "\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xA6\xDD";

// The state's fields, each written once: the structs below and ForEachField (the driver's
// snapshot and `expect state`) both come from these lists, so no field can be missed.
// X(type, name, initial value), in the order of the snapshot.
using MissCounts = std::array<uint8_t, 256>;
using RunMissCountTable = std::array<uint16_t, 256>;
using CheckpointTable = std::array<std::array<std::array<uint16_t, 5>, 3>, 7>;
using GeometryRows = std::vector<std::array<int32_t, 6>>;  // 24 bytes per control

// The shell and the title screen: intro, blink, idle show, information page, running time,
// and the eight title switches.
// clang-format off
#define DOJOKAI_TITLE_FIELDS(X)                                                                        \
  X(int32_t, InputEnabled, 0) X(int32_t, StartSeconds, 0) X(int32_t, UptimeSeconds, 0)                \
  X(int32_t, IntroPhase, 0) X(int32_t, IntroTicks, 0) X(int32_t, BlinkTicks, 0) X(int32_t, BlinkOn, 0) \
  X(int32_t, IdleTicks, 0) X(uint8_t, IdleScoreShow, 0) X(int32_t, InfoPage, 0) X(float, LogoTop, 0)   \
  X(int32_t, SpinnerTicks, 0) X(int32_t, RefreshTicks, 0) X(int32_t, PlayTimeNominalMs, 0)              \
  X(int32_t, PlayTimeBaseTick, 0) X(uint8_t, MaximizedOnce, 0) X(uint8_t, BriefHelpShown, 0)           \
  X(uint8_t, InjectedChar, 0) X(uint8_t, SwitchR, 0) X(uint8_t, SwitchC, 0) X(uint8_t, SwitchS, 0)     \
  X(uint8_t, SwitchK, 0) X(uint8_t, CertSwitch, 0) X(uint8_t, SwitchPlus, 0) X(uint8_t, SwitchB, 0)    \
  X(uint8_t, SwitchT, 0)

// The data file: the maximise option it keeps, how it was opened, where it is.
#define DOJOKAI_RECORD_FIELDS(X)                                                                 \
  X(uint8_t, MaximizeAtStart, 0) X(uint8_t, DataLoaded, 0) X(plat::SharedFile, DatHandle, {})   \
  X(uint8_t, DatNoSave, 0) X(uint8_t, CfgLocked, 0) X(std::string, DatPath, {}) /* at most 500 bytes */

// The drill: mode and time, the texts, the window on the text, score, clock, lid and
// rate, missed keys, the placement and the name typed for it.
#define DOJOKAI_DRILL_FIELDS(X)                                                                        \
  X(int32_t, Mode, 0) X(int32_t, DurationIndex, 0) X(int32_t, TimeLeft, 300) X(int32_t, Score, 0)      \
  X(int32_t, Good, 0) X(int32_t, Miss, 0) X(uint8_t, DrillRunning, 0) X(int32_t, GoodSinceStart, 0)    \
  X(TextRef, DrillText, {}) X(TextBuffer<65000>, LatinWordText, {}) X(TextBuffer<65000>, KanaWordText, {}) \
  X(TextBuffer<1024>, RndText, {}) X(TextBuffer<1026>, EraiText, {}) X(int32_t, LastWordPick, 0)       \
  X(uint8_t, LastWordInitial, 0) X(TextBuffer<11>, DrillWindow, {}) X(int32_t, TextPos, 0)              \
  X(int32_t, LookaheadPos, 0) X(uint8_t, TypedChar, 0) X(uint8_t, PrevRawChar, 0) X(uint8_t, LastHitChar, 0) \
  X(int32_t, DrillStartClock, 0) X(int32_t, DrillStartTick, 0) X(int32_t, RateWindowStart, 0)          \
  X(int32_t, RateWindowKeys, 0) X(int32_t, KeyRate, 0) X(int32_t, DriftCheckTicks, 0)                  \
  X(int32_t, CheckpointIndex, 0) X(CheckpointTable, CheckpointBest, {}) X(int32_t, EternalRowPeriod, 0) \
  X(int32_t, EternalLastSecond, 0) X(int32_t, ShownTimeLeft, 0) X(int32_t, RefreshBusy, 0)             \
  X(MissCounts, DrillMissCounts, {}) X(RunMissCountTable, RunMissCounts, {}) X(int32_t, PendingRank, 0) \
  X(int32_t, MissStatsShown, 0) X(TextBuffer<10>, EntryName, {})

// The lessons and the certification.
#define DOJOKAI_LESSON_FIELDS(X)                                                                      \
  X(int32_t, LessonNo, 0) X(int32_t, LessonDrill, 0) X(int32_t, IntroStep, 0) X(int32_t, SwallowKey, 0) \
  X(int32_t, KeyFlashPending, 0) X(int32_t, SeqReady, 0) X(int32_t, LessonMisses, 0)                  \
  X(int32_t, MessageTicks, 0) X(int32_t, KeyFlashTicks, 0) X(int32_t, SeqPos, 0)                      \
  X(int32_t, CertPassed, 0) X(int32_t, CertAwaitKey, 0)

// The window's layout: the design size and every control's design geometry for scaling.
#define DOJOKAI_LAYOUT_FIELDS(X)                                                                       \
  X(int32_t, GeometryCaptured, 0) X(int32_t, ResizeSuppressed, 0) X(int32_t, BaseClientWidth, 0)       \
  X(int32_t, BaseClientHeight, 0) X(GeometryRows, GeometryTable, {}) X(uint8_t, GeometryTableReady, 0) \
  X(uint8_t, GeometryTableFilled, 0)
// clang-format on

#define DOJOKAI_DECLARE_FIELD(type, name, initial) type name = initial;

struct TitleState {
  DOJOKAI_TITLE_FIELDS(DOJOKAI_DECLARE_FIELD)
};
struct RecordState {
  DOJOKAI_RECORD_FIELDS(DOJOKAI_DECLARE_FIELD)
  // The data record in memory, byte for byte (the snapshot shows it apart, as "record").
  game::DatRecord DatRecord;
};
struct DrillState {
  DOJOKAI_DRILL_FIELDS(DOJOKAI_DECLARE_FIELD)
};
struct LessonState {
  DOJOKAI_LESSON_FIELDS(DOJOKAI_DECLARE_FIELD)
  // The grade thresholds per mode: the lowest grade's score and the step between grades.
  static constexpr std::array<int32_t, 7> CertBase{1800, 1200, 600, 1800, 1800, 1200, 600};
  static constexpr std::array<int32_t, 7> CertStep{300, 200, 100, 300, 300, 100, 100};
};
struct LayoutState {
  DOJOKAI_LAYOUT_FIELDS(DOJOKAI_DECLARE_FIELD)
};

#undef DOJOKAI_DECLARE_FIELD

// The one state record of the game, owned by the main window; each subsystem works on the
// part it owns and reads the others.
struct PlayState : TitleState, RecordState, DrillState, LessonState, LayoutState {
  PlayState();
};

// Calls f(name, field) for every field of the state, in the order above. Used by the
// driver's snapshot and its `expect state`.
template <class State, class F>
void ForEachField(State& s, F&& f) {
#define DOJOKAI_VISIT_FIELD(type, name, initial) f(#name, s.name);
  DOJOKAI_TITLE_FIELDS(DOJOKAI_VISIT_FIELD)
  DOJOKAI_RECORD_FIELDS(DOJOKAI_VISIT_FIELD)
  DOJOKAI_DRILL_FIELDS(DOJOKAI_VISIT_FIELD)
  DOJOKAI_LESSON_FIELDS(DOJOKAI_VISIT_FIELD)
  f("CertBase", LessonState::CertBase);
  f("CertStep", LessonState::CertStep);
  DOJOKAI_LAYOUT_FIELDS(DOJOKAI_VISIT_FIELD)
#undef DOJOKAI_VISIT_FIELD
}

}  // namespace game
