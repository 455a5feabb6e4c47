#pragma once
// The romaji drill's own rules beside the judge: its clock, GOOD/MISS/SCORE, the figures its
// results show, and the tally of every kana and wrong key that the history keeps.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace game::romaji {

// The results of a drill, from its counts and the time it took.
struct RunFigures {
  double keysPerSecond = 0;  // accepted keys
  double kanaPerMinute = 0;  // kana completed
  double accuracy = 0;       // percent of judged keys accepted; 0 with no key
};
RunFigures FiguresOf(int good, int miss, int kana, int64_t ms);

// The clock and the counts of one drill. Time settings 0..2 are 30, 60 and 120 seconds,
// 3 is untimed; the clock starts with the first accepted key.
class Run {
 public:
  void Start(int timeSetting);
  // A judged key at `tickMs`: true when it is the key that started the clock.
  bool Accepted(uint32_t tickMs);
  void Missed() { ++miss_; }
  // The clock at `tickMs`: true once a timed drill's time has run out.
  bool TimeUp(uint32_t tickMs) const;
  // What the clock shows, in tenths of a second: the time left of a timed drill (its whole
  // length before the first key), the time played of an untimed one.
  int ClockTenths(uint32_t tickMs) const;
  // The time played at `tickMs` (its length at most for a timed drill), 0 before the first key.
  int64_t ElapsedMs(uint32_t tickMs) const;

  int TimeSetting() const { return timeSetting_; }
  bool Timed() const { return timeSetting_ < 3; }
  bool ClockRunning() const { return started_; }
  int Good() const { return good_; }
  int Miss() const { return miss_; }
  // 16 × (GOOD − MISS), never below 0 nor above 65535, as in the drills.
  int Score() const;

 private:
  int timeSetting_ = 0;
  bool started_ = false;
  uint32_t startTick_ = 0;
  int good_ = 0, miss_ = 0;
};

// Every kana worked on and every wrong key of a drill, for the history.
class Tally {
 public:
  struct Kana {
    int64_t targeted = 0, missed = 0, msSum = 0, timed = 0;
  };
  void Reset(uint32_t tickMs);
  // An entry starts: the time to its first kana counts from here.
  void EntryStarted(uint32_t tickMs);
  // A key accepted that completed the kana `from`..`to`-1 of `reading` (none when from ==
  // to): each is targeted, and the time since the last completion is split among them.
  void Completed(const std::u32string& reading, int from, int to, uint32_t tickMs);
  // A miss on kana `kana` (its index in the reading); `expected` is the guide's next key.
  void Missed(const std::u32string& reading, int kana, char expected, char typed);

  // Per kana (UTF-8), and per pair of keys (expected, typed).
  const std::map<std::string, Kana>& KanaFigures() const { return kana_; }
  const std::map<std::pair<char, char>, int64_t>& Confusions() const { return confusions_; }

 private:
  std::map<std::string, Kana> kana_;
  std::map<std::pair<char, char>, int64_t> confusions_;
  uint32_t lastTick_ = 0;
};

// One character of a reading as UTF-8.
std::string Utf8Of(char32_t c);

}  // namespace game::romaji
