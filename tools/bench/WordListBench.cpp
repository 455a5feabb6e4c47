// Word-list figures: one FillWordText into the 65000-byte drill buffer, per category, on
// the shipped dojokai.bin and on the built-in list; and the two fills a word drill start
// makes (FillLatinWordText, FillKanaWordText, which also clear the buffer).
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "game/PlayState.h"
#include "drill/WordList.h"
#include "platform/Random.h"
#include "tools/bench/RealGame.h"

namespace {

constexpr int kRuns = 2000;
constexpr size_t kCapacity = 65000;

size_t TextLength(const uint8_t* buffer) {
  size_t n = 0;
  while (n < kCapacity && buffer[n]) ++n;
  return n;
}

// `prepare` runs before each timed `fill`, outside the clock.
template <typename Prepare, typename Fill>
double MedianMicroseconds(Prepare prepare, Fill fill) {
  std::vector<double> times;
  times.reserve(kRuns);
  QElapsedTimer clock;
  for (int i = 0; i < kRuns; ++i) {
    prepare();
    clock.start();
    fill(i);
    times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e3);
  }
  return bench::Percentile(times, 0.5);
}

void Measure(const char* name, const drill::WordList& list) {
  std::vector<uint8_t> buffer(kCapacity);
  plat::GameRandom random;
  int lastPick = 0;
  uint8_t lastInitial = 0;
  std::printf("%s (%zu bytes), FillWordText into %zu bytes, median of %d runs:\n", name, list.Image().size(), kCapacity,
              kRuns);
  for (int category = 0; category < drill::WordList::kCategories; ++category) {
    size_t bytes = 0;
    int result = 0;
    const double us =
        MedianMicroseconds([&] { std::fill(buffer.begin(), buffer.end(), 0); },
                           [&](int run) {
                             result = list.FillWordText(category, buffer.data(), kCapacity, lastPick, lastInitial,
                                                        random, static_cast<uint64_t>(run) * 7919u + 1);
                           });
    bytes = TextLength(buffer.data());
    std::printf("  category %d: %7.1f us (last run: result %d, %zu bytes of text)\n", category, us, result, bytes);
  }

  // The state holds both 65000-byte texts: on the heap, not the stack.
  auto state = std::make_unique<game::PlayState>();
  const auto nothing = [] {};
  const double latin = MedianMicroseconds(nothing, [&](int run) { list.FillLatinWordText(*state, random, run + 1u); });
  const double kana = MedianMicroseconds(nothing, [&](int run) { list.FillKanaWordText(*state, random, run + 1u); });
  std::printf("  HAO drill text (FillLatinWordText): %.1f us; ﾃﾐｽ drill text (FillKanaWordText): %.1f us\n", latin,
              kana);
}

}  // namespace

int main() {
  plat::GameRandom random;
  const std::string shipped = (bench::OwnFolder() / "dojokai.bin").string();
  drill::WordList file;
  file.Load(shipped);
  if (file.Finish(random).builtin)
    std::printf("%s: missing or damaged, measured below as the built-in list\n", shipped.c_str());
  else
    Measure("dojokai.bin", file);

  drill::WordList builtin;
  builtin.BuildBuiltinWordList(random);
  Measure("built-in list", builtin);
  return 0;
}
