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

struct PlayState {
  PlayState();

  // Shell and title screen.
  int32_t InputEnabled = 0;
  int32_t StartSeconds = 0;
  int32_t UptimeSeconds = 0;
  int32_t IntroPhase = 0;
  int32_t IntroTicks = 0;
  int32_t BlinkTicks = 0;
  int32_t BlinkOn = 0;
  int32_t IdleTicks = 0;
  uint8_t IdleScoreShow = 0;
  int32_t InfoPage = 0;
  float LogoTop = 0;
  int32_t SpinnerTicks = 0;
  int32_t RefreshTicks = 0;
  int32_t PlayTimeNominalMs = 0;
  int32_t PlayTimeBaseTick = 0;
  uint8_t MaximizedOnce = 0;
  uint8_t BriefHelpShown = 0;
  uint8_t InjectedChar = 0;

  // The eight title switches.
  uint8_t SwitchR = 0, SwitchC = 0, SwitchS = 0, SwitchK = 0, CertSwitch = 0, SwitchPlus = 0,
          SwitchB = 0, SwitchT = 0;

  // Options and data-file bookkeeping.
  uint8_t MaximizeAtStart = 0;
  uint8_t DataLoaded = 0;
  game::DatRecord DatRecord;
  plat::SharedFile DatHandle;
  uint8_t DatNoSave = 0;
  uint8_t CfgLocked = 0;
  std::string DatPath;  // at most 500 bytes

  // Drill.
  int32_t Mode = 0;
  int32_t DurationIndex = 0;
  int32_t TimeLeft = 300;
  int32_t Score = 0, Good = 0, Miss = 0;
  uint8_t DrillRunning = 0;
  int32_t GoodSinceStart = 0;
  TextRef DrillText;
  TextBuffer<65000> LatinWordText;
  TextBuffer<65000> KanaWordText;
  TextBuffer<1024> RndText;
  TextBuffer<1026> EraiText;
  int32_t LastWordPick = 0;
  uint8_t LastWordInitial = 0;
  TextBuffer<11> DrillWindow;
  int32_t TextPos = 0;
  int32_t LookaheadPos = 0;
  uint8_t TypedChar = 0;
  uint8_t PrevRawChar = 0;
  uint8_t LastHitChar = 0;
  int32_t DrillStartClock = 0, DrillStartTick = 0;
  int32_t RateWindowStart = 0, RateWindowKeys = 0, KeyRate = 0;
  int32_t DriftCheckTicks = 0;
  int32_t CheckpointIndex = 0;
  std::array<std::array<std::array<uint16_t, 5>, 3>, 7> CheckpointBest{};
  int32_t EternalRowPeriod = 0, EternalLastSecond = 0;
  int32_t ShownTimeLeft = 0;
  int32_t RefreshBusy = 0;
  std::array<uint8_t, 256> DrillMissCounts{};
  std::array<uint16_t, 256> RunMissCounts{};
  int32_t PendingRank = 0;
  int32_t MissStatsShown = 0;
  TextBuffer<10> EntryName;

  // Lessons.
  int32_t LessonNo = 0;
  int32_t LessonDrill = 0;
  int32_t IntroStep = 0;
  int32_t SwallowKey = 0;
  int32_t KeyFlashPending = 0;
  int32_t SeqReady = 0;
  int32_t LessonMisses = 0;
  int32_t MessageTicks = 0;
  int32_t KeyFlashTicks = 0;
  int32_t SeqPos = 0;

  // Certification.
  int32_t CertPassed = 0;
  int32_t CertAwaitKey = 0;
  static constexpr std::array<int32_t, 7> CertBase{1800, 1200, 600, 1800, 1800, 1200, 600};
  static constexpr std::array<int32_t, 7> CertStep{300, 200, 100, 300, 300, 100, 100};

  // Layout.
  int32_t GeometryCaptured = 0;
  int32_t ResizeSuppressed = 0;
  int32_t BaseClientWidth = 0, BaseClientHeight = 0;
  std::vector<std::array<int32_t, 6>> GeometryTable;  // 24 bytes per component
  uint8_t GeometryTableReady = 0;
  uint8_t GeometryTableFilled = 0;
};

// Calls f(name, field) for every field of the state, in the order above. Used by the
// driver's snapshot and its `expect state`.
template <class State, class F>
void ForEachField(State& s, F&& f) {
#define DOJOKAI_FIELD(name) f(#name, s.name)
  DOJOKAI_FIELD(InputEnabled); DOJOKAI_FIELD(StartSeconds); DOJOKAI_FIELD(UptimeSeconds);
  DOJOKAI_FIELD(IntroPhase); DOJOKAI_FIELD(IntroTicks); DOJOKAI_FIELD(BlinkTicks);
  DOJOKAI_FIELD(BlinkOn); DOJOKAI_FIELD(IdleTicks); DOJOKAI_FIELD(IdleScoreShow);
  DOJOKAI_FIELD(InfoPage); DOJOKAI_FIELD(LogoTop); DOJOKAI_FIELD(SpinnerTicks);
  DOJOKAI_FIELD(RefreshTicks); DOJOKAI_FIELD(PlayTimeNominalMs); DOJOKAI_FIELD(PlayTimeBaseTick);
  DOJOKAI_FIELD(MaximizedOnce); DOJOKAI_FIELD(BriefHelpShown); DOJOKAI_FIELD(InjectedChar);
  DOJOKAI_FIELD(SwitchR); DOJOKAI_FIELD(SwitchC); DOJOKAI_FIELD(SwitchS); DOJOKAI_FIELD(SwitchK);
  DOJOKAI_FIELD(CertSwitch); DOJOKAI_FIELD(SwitchPlus); DOJOKAI_FIELD(SwitchB); DOJOKAI_FIELD(SwitchT);
  DOJOKAI_FIELD(MaximizeAtStart); DOJOKAI_FIELD(DataLoaded); DOJOKAI_FIELD(DatHandle);
  DOJOKAI_FIELD(DatNoSave); DOJOKAI_FIELD(CfgLocked); DOJOKAI_FIELD(DatPath);
  DOJOKAI_FIELD(Mode); DOJOKAI_FIELD(DurationIndex); DOJOKAI_FIELD(TimeLeft);
  DOJOKAI_FIELD(Score); DOJOKAI_FIELD(Good); DOJOKAI_FIELD(Miss); DOJOKAI_FIELD(DrillRunning);
  DOJOKAI_FIELD(GoodSinceStart); DOJOKAI_FIELD(DrillText); DOJOKAI_FIELD(LatinWordText);
  DOJOKAI_FIELD(KanaWordText); DOJOKAI_FIELD(RndText); DOJOKAI_FIELD(EraiText);
  DOJOKAI_FIELD(LastWordPick); DOJOKAI_FIELD(LastWordInitial); DOJOKAI_FIELD(DrillWindow);
  DOJOKAI_FIELD(TextPos); DOJOKAI_FIELD(LookaheadPos); DOJOKAI_FIELD(TypedChar);
  DOJOKAI_FIELD(PrevRawChar); DOJOKAI_FIELD(LastHitChar); DOJOKAI_FIELD(DrillStartClock);
  DOJOKAI_FIELD(DrillStartTick); DOJOKAI_FIELD(RateWindowStart); DOJOKAI_FIELD(RateWindowKeys);
  DOJOKAI_FIELD(KeyRate); DOJOKAI_FIELD(DriftCheckTicks); DOJOKAI_FIELD(CheckpointIndex);
  DOJOKAI_FIELD(CheckpointBest); DOJOKAI_FIELD(EternalRowPeriod); DOJOKAI_FIELD(EternalLastSecond);
  DOJOKAI_FIELD(ShownTimeLeft); DOJOKAI_FIELD(RefreshBusy); DOJOKAI_FIELD(DrillMissCounts);
  DOJOKAI_FIELD(RunMissCounts); DOJOKAI_FIELD(PendingRank); DOJOKAI_FIELD(MissStatsShown);
  DOJOKAI_FIELD(EntryName);
  DOJOKAI_FIELD(LessonNo); DOJOKAI_FIELD(LessonDrill); DOJOKAI_FIELD(IntroStep);
  DOJOKAI_FIELD(SwallowKey); DOJOKAI_FIELD(KeyFlashPending); DOJOKAI_FIELD(SeqReady);
  DOJOKAI_FIELD(LessonMisses); DOJOKAI_FIELD(MessageTicks); DOJOKAI_FIELD(KeyFlashTicks);
  DOJOKAI_FIELD(SeqPos);
  DOJOKAI_FIELD(CertPassed); DOJOKAI_FIELD(CertAwaitKey);
  f("CertBase", PlayState::CertBase);
  f("CertStep", PlayState::CertStep);
  DOJOKAI_FIELD(GeometryCaptured); DOJOKAI_FIELD(ResizeSuppressed);
  DOJOKAI_FIELD(BaseClientWidth); DOJOKAI_FIELD(BaseClientHeight); DOJOKAI_FIELD(GeometryTable);
  DOJOKAI_FIELD(GeometryTableReady); DOJOKAI_FIELD(GeometryTableFilled);
#undef DOJOKAI_FIELD
}

}  // namespace game
