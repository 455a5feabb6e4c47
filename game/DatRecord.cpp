#include "game/DatRecord.h"

#include <algorithm>

namespace game {

namespace {

using ScoreRow = std::array<uint16_t, DatRecord::kRanksPerTable>;

// Default top-10 scores, one row per table t = TableIndex(Mode, DurationIndex) (30, 60, 120 s).
constexpr std::array<ScoreRow, DatRecord::kRankTables> kDefaultScores = {{
    // 0 ABC
    {3000, 2000, 1000, 900, 800, 700, 600, 500, 400, 300},
    {5000, 4000, 3000, 2000, 1000, 900, 800, 700, 600, 500},
    {10000, 8000, 5000, 4000, 3000, 2000, 1500, 1300, 1000, 500},
    // 1 HAO
    {2000, 1500, 1000, 900, 800, 700, 600, 500, 400, 300},
    {4000, 3000, 2000, 1000, 900, 800, 700, 600, 500, 400},
    {5000, 4000, 3000, 2000, 1000, 900, 800, 700, 600, 500},
    // 2 RND
    {1200, 1000, 900, 800, 700, 600, 500, 400, 300, 200},
    {3000, 2000, 1000, 900, 800, 700, 600, 500, 400, 300},
    {3000, 2000, 1000, 900, 800, 700, 600, 500, 400, 300},
    // 3 ZYX
    {3000, 2000, 1000, 900, 800, 700, 600, 500, 400, 300},
    {5000, 4000, 3000, 2000, 1000, 900, 800, 700, 600, 500},
    {8000, 7000, 5000, 4000, 3000, 2000, 1000, 900, 800, 500},
    // 4 ｱｲｳ
    {2800, 2000, 1000, 900, 800, 700, 600, 500, 400, 300},
    {5000, 4000, 3000, 2000, 1000, 900, 800, 700, 600, 500},
    {7000, 5000, 3000, 2000, 1000, 900, 800, 700, 600, 500},
    // 5 ﾃﾐｽ
    {1500, 1200, 1000, 900, 800, 700, 500, 400, 300, 200},
    {3000, 2000, 1000, 900, 800, 700, 600, 500, 400, 300},
    {5000, 4000, 3000, 2000, 1000, 900, 800, 700, 600, 500},
    // 6 ｴﾗｲ
    {1000, 900, 800, 700, 600, 500, 400, 300, 200, 100},
    {3000, 2000, 1000, 900, 800, 700, 600, 500, 400, 300},
    {3000, 2000, 1000, 900, 800, 700, 600, 500, 400, 300},
}};

using NameList = std::array<std::string_view, DatRecord::kRanksPerTable>;

// Default top-10 names, best first: the first list for modes 0, 2, 4, 6, the
// second for modes 1, 3, 5.
constexpr std::array<NameList, 2> kDefaultNames = {{
    {"kaito", "momo7", "sensei", "hayate", "kenji", "sakura", "tsubame", "rin", "dojo1", "kiko"},
    {"yuzu", "taro3", "hikari", "kaze", "shinobi", "nami", "ren", "kotaro", "mochi", "sora9"},
}};

constexpr std::array<uint8_t, DatRecord::kNameSize> BlankName() {
  std::array<uint8_t, DatRecord::kNameSize> name{};
  name.fill(' ');
  return name;
}

}  // namespace

TRankEntry DatRecord::RankEntry(int t, int r) const {
  const size_t off = RankEntryOffset(t, r);
  TRankEntry e{};
  std::copy_n(bytes_.begin() + off, kNameSize, e.Name.begin());
  e.Score = Get16(off + 10);
  e.Good = Get16(off + 12);
  e.Miss = Get16(off + 14);
  return e;
}

void DatRecord::SetRankEntry(int t, int r, const TRankEntry& entry) {
  const size_t off = RankEntryOffset(t, r);
  std::copy(entry.Name.begin(), entry.Name.end(), bytes_.begin() + off);
  Put16(off + 10, entry.Score);
  Put16(off + 12, entry.Good);
  Put16(off + 14, entry.Miss);
}

uint16_t DatRecord::ComputeChecksum() const {
  uint16_t sum = 0;
  for (size_t off = 0; off < kChecksumSpan; off += 2) sum ^= Get16(off);
  return sum;
}

DatRecord::PlayTimeValue DatRecord::PlayTime() const {
  return {Get16(kPlayTimeOffset), bytes_[kPlayTimeOffset + 2], bytes_[kPlayTimeOffset + 3],
          bytes_[kPlayTimeOffset + 4]};
}

void DatRecord::SetPlayTime(const PlayTimeValue& v) {
  Put16(kPlayTimeOffset, v.Hours);
  bytes_[kPlayTimeOffset + 2] = v.Minutes;
  bytes_[kPlayTimeOffset + 3] = v.Seconds;
  bytes_[kPlayTimeOffset + 4] = v.Hundredths;
}

int8_t DatRecord::CertGradeAt(int index) const {
  assert(index >= 0 && index < kCertGradeCount);
  return static_cast<int8_t>(bytes_[kCertGradesOffset + static_cast<size_t>(index)]);
}

void DatRecord::SetCertGradeAt(int index, int8_t v) {
  assert(index >= 0 && index < kCertGradeCount);
  bytes_[kCertGradesOffset + static_cast<size_t>(index)] = static_cast<uint8_t>(v);
}

std::array<uint8_t, DatRecord::kCertNameSize> DatRecord::CertName() const {
  std::array<uint8_t, kCertNameSize> name{};
  std::copy_n(bytes_.begin() + kCertNameOffset, kCertNameSize, name.begin());
  return name;
}

void DatRecord::SetCertName(const std::array<uint8_t, kCertNameSize>& name) {
  std::copy(name.begin(), name.end(), bytes_.begin() + kCertNameOffset);
}

void DatRecord::ClearCertRecords() {
  std::fill_n(bytes_.begin() + kCertGradesOffset, kCertGradeCount + kCertNameSize, 0);
}

void DatRecord::ResetDataRecord(Date today) {
  bytes_.fill(0);
  constexpr auto blank = BlankName();
  for (int t = 0; t < kRankTables; ++t)
    for (int r = 0; r < kRanksPerTable; ++r)
      std::copy(blank.begin(), blank.end(), bytes_.begin() + RankEntryOffset(t, r));
  SetStartDate(today);
  ResetRankTables();
}

void DatRecord::ResetRankTables() {
  for (int t = 0; t < kRankTables; ++t) {
    const int mode = t / kTimedDurations;
    for (int r = 0; r < kRanksPerTable; ++r) {
      TRankEntry e{BlankName(), 0, 0, 0};
      const std::string_view name = DefaultRankName(mode, r);
      std::copy_n(name.begin(), std::min(name.size(), kNameSize), e.Name.begin());
      e.Score = DefaultRankScore(t, r);
      e.Good = static_cast<uint16_t>(e.Score / 16);
      SetRankEntry(t, r, e);
    }
  }
}

std::string_view DatRecord::DefaultRankName(int mode, int r) {
  assert(mode >= 0 && mode < kModes && r >= 0 && r < kRanksPerTable);
  return kDefaultNames[static_cast<size_t>(mode % 2)][static_cast<size_t>(r)];
}

uint16_t DatRecord::DefaultRankScore(int t, int r) {
  assert(t >= 0 && t < kRankTables && r >= 0 && r < kRanksPerTable);
  return kDefaultScores[static_cast<size_t>(t)][static_cast<size_t>(r)];
}

}  // namespace game
