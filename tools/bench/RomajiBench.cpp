// Romaji judge figures: microseconds per key (p50, p99) on a long phrase full of kana with
// many spellings, heap allocations made by Key() (there should be none), and the time to
// read a 10,000-entry list through ParseList.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "game/RomajiJudge.h"
#include "game/RomajiList.h"
#include "game/RomajiText.h"
#include "tools/bench/RealGame.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// Counts every allocation of the program, so that the keys' share can be told.
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using game::romaji::GuideStyle;
using game::romaji::Judge;

// 40 characters: combined kana, っ, ん, extended kana, each with several spellings alive.
constexpr const char* kPhrase = "しゃしんをとってきっさてんでちゃをのんだらふぁいるがじゅうしょにあったそうです。";

std::u32string U32(const char* utf8) {
  std::u32string out;
  game::romaji::DecodeUtf8(utf8, out);
  return out;
}

void MeasureKeys() {
  const std::u32string reading = U32(kPhrase);
  Judge judge;
  std::vector<double> times;
  times.reserve(200000);
  long keyAllocations = 0;
  int keys = 0;
  for (int run = 0; run < 600; ++run) {
    // The three styles in turn, each typed as its guide spells it, with a miss now and then.
    judge.SetStyle(static_cast<GuideStyle>(run % 3));
    judge.Start(reading);
    while (!judge.Complete()) {
      const char key = (keys % 17 == 5) ? 'q' : judge.NextKey();
      const long before = allocations.load(std::memory_order_relaxed);
      const int64_t start = bench::MonotonicNs();
      judge.Key(key);
      const int64_t end = bench::MonotonicNs();
      keyAllocations += allocations.load(std::memory_order_relaxed) - before;
      times.push_back(static_cast<double>(end - start) / 1e3);
      ++keys;
    }
  }
  std::printf(
      "judge, %zu kana phrase, %d keys: p50 %.2f us, p99 %.2f us, max %.2f us per key; %ld allocations in Key()\n",
      reading.size(), keys, bench::Percentile(times, 0.5), bench::Percentile(times, 0.99),
      bench::Percentile(times, 1.0), keyAllocations);
}

void MeasureList() {
  const char* words[] = {"学校\tがっこう", "新聞\tしんぶん", "ふぁいる", "喫茶店\tきっさてん", "東京\tとうきょう"};
  std::string text = "# bench\n";
  for (int i = 0; i < 10000; ++i) text += std::string(words[i % 5]) + "\n";
  const auto& table = game::romaji::Table::Shipped();
  const auto typable = [&](std::u32string_view r) { return table.Typable(r); };
  std::vector<double> times;
  size_t entries = 0;
  for (int run = 0; run < 20; ++run) {
    const int64_t start = bench::MonotonicNs();
    entries = game::romaji::ParseList(text, "bench.txt", typable).entries.size();
    times.push_back(static_cast<double>(bench::MonotonicNs() - start) / 1e6);
  }
  std::printf("ParseList, %zu entries (%zu bytes): median %.2f ms, max %.2f ms\n", entries, text.size(),
              bench::Percentile(times, 0.5), bench::Percentile(times, 1.0));
}

}  // namespace

int main() {
  MeasureKeys();
  MeasureList();
  return 0;
}
