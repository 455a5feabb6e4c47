#include "game/RomajiRun.h"

#include <algorithm>

#include "game/DrillJudge.h"
#include "game/Modes.h"
#include "game/RomajiText.h"

namespace game::romaji {
namespace {

// The length of a timed drill (settings 0..2), as the drills have it.
int64_t SettingMs(int timeSetting) { return int64_t{kDurationSeconds[static_cast<size_t>(timeSetting)]} * 1000; }

}  // namespace

RunFigures FiguresOf(int good, int miss, int kana, int64_t ms) {
  RunFigures f;
  if (ms > 0) {
    f.keysPerSecond = good * 1000.0 / static_cast<double>(ms);
    f.kanaPerMinute = kana * 60000.0 / static_cast<double>(ms);
  }
  if (good + miss > 0) f.accuracy = 100.0 * good / (good + miss);
  return f;
}

void Run::Start(int timeSetting) {
  *this = Run();
  timeSetting_ = std::clamp(timeSetting, 0, 3);
}

bool Run::Accepted(uint32_t tickMs) {
  ++good_;
  if (started_) return false;
  started_ = true;
  startTick_ = tickMs;
  return true;
}

int64_t Run::ElapsedMs(uint32_t tickMs) const {
  if (!started_) return 0;
  // The tick count wraps at 2^32 ms: the difference in 32 bits is right across the wrap.
  const int64_t ms = static_cast<uint32_t>(tickMs - startTick_);
  return Timed() ? std::min(ms, SettingMs(timeSetting_)) : ms;
}

bool Run::TimeUp(uint32_t tickMs) const { return Timed() && started_ && ElapsedMs(tickMs) >= SettingMs(timeSetting_); }

int Run::ClockTenths(uint32_t tickMs) const {
  const int64_t elapsed = ElapsedMs(tickMs) / 100;
  if (!Timed()) return static_cast<int>(std::min<int64_t>(elapsed, 9999));
  return static_cast<int>(SettingMs(timeSetting_) / 100 - elapsed);
}

int Run::Score() const { return ScoreOf(good_, miss_); }

std::string Utf8Of(char32_t c) {
  std::string s;
  AppendUtf8(c, s);
  return s;
}

void Tally::Reset(uint32_t tickMs) {
  kana_.clear();
  confusions_.clear();
  lastTick_ = tickMs;
}

void Tally::EntryStarted(uint32_t tickMs) { lastTick_ = tickMs; }

void Tally::Completed(const std::u32string& reading, int from, int to, uint32_t tickMs) {
  to = std::min(to, static_cast<int>(reading.size()));
  if (from < 0 || from >= to) return;
  // Kana finished by one key (っ with what follows, ん before a consonant) share its time.
  const int64_t ms = static_cast<uint32_t>(tickMs - lastTick_);
  const int n = to - from;
  for (int i = from; i < to; ++i) {
    Kana& k = kana_[Utf8Of(reading[static_cast<size_t>(i)])];
    ++k.targeted;
    k.msSum += ms / n;
    ++k.timed;
  }
  lastTick_ = tickMs;
}

void Tally::Missed(const std::u32string& reading, int kana, char expected, char typed) {
  if (kana >= 0 && kana < static_cast<int>(reading.size())) ++kana_[Utf8Of(reading[static_cast<size_t>(kana)])].missed;
  if (expected != '\0') ++confusions_[{expected, typed}];
}

}  // namespace game::romaji
