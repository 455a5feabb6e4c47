#include "game/RomajiRun.h"

#include <algorithm>
#include <array>

namespace game::romaji {
namespace {

constexpr std::array<int64_t, 3> kSettingMs = {30000, 60000, 120000};

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
  return Timed() ? std::min(ms, kSettingMs[static_cast<size_t>(timeSetting_)]) : ms;
}

bool Run::TimeUp(uint32_t tickMs) const {
  return Timed() && started_ && ElapsedMs(tickMs) >= kSettingMs[static_cast<size_t>(timeSetting_)];
}

int Run::ClockTenths(uint32_t tickMs) const {
  const int64_t elapsed = ElapsedMs(tickMs) / 100;
  if (!Timed()) return static_cast<int>(std::min<int64_t>(elapsed, 9999));
  return static_cast<int>(kSettingMs[static_cast<size_t>(timeSetting_)] / 100 - elapsed);
}

int Run::Score() const {
  return static_cast<int>(std::clamp<int64_t>(16 * (static_cast<int64_t>(good_) - miss_), 0, 65535));
}

std::string Utf8Of(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
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
