// The lists the game ships: every line loads, and every entry can be typed to its end by
// following the guide in each style, without a miss (the fewest-keys guide in exactly the
// fewest keys). A reading the judge cannot type, or a guide that leads into a miss, fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/RomajiJudge.h"
#include "game/RomajiList.h"

namespace game::romaji {
namespace {

// The build copies the shipped lists into romaji/ beside the programs.
std::string ShippedList(const char* name) {
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "romaji" / name).string();
}

TEST(RomajiShippedLists, EveryEntryLoadsAndIsTypedByItsGuideInEveryStyle) {
  const auto typable = [](std::u32string_view r) { return Table::Shipped().Typable(r); };
  for (const char* name : {"kotoba.txt", "bun.txt"}) {
    const List list = LoadList(ShippedList(name), typable);
    ASSERT_TRUE(list.Usable()) << name << ": " << list.error;
    EXPECT_TRUE(list.notices.empty()) << name << ": " << list.notices.front();
    EXPECT_GT(list.entries.size(), 250u) << name;
    Judge judge;
    for (GuideStyle style : {GuideStyle::Hepburn, GuideStyle::Kunrei, GuideStyle::Fewest}) {
      judge.SetStyle(style);
      for (const Entry& e : list.entries) {
        ASSERT_TRUE(judge.Start(e.kana)) << e.reading;
        const int fewest = judge.FewestKeys();
        int keys = 0;
        while (!judge.Complete() && keys < 4 * kMaxReading) {
          const char key = judge.NextKey();
          ASSERT_TRUE(judge.Key(key).accepted) << e.reading << ": the guide's " << key << " after " << judge.Typed();
          ++keys;
        }
        EXPECT_TRUE(judge.Complete()) << e.reading;
        EXPECT_EQ(judge.KanaDone(), judge.KanaCount()) << e.reading;
        if (style == GuideStyle::Fewest) EXPECT_EQ(keys, fewest) << e.reading;
      }
    }
  }
}

}  // namespace
}  // namespace game::romaji
