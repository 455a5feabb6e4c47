#include "game/DatRecord.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

using game::DatRecord;
using game::TRankEntry;

namespace {

// A fresh record after `write` must differ from all zeros in exactly `bytes` at `off`.
void ExpectWritesOnly(const std::function<void(DatRecord&)>& write, size_t off, const std::vector<uint8_t>& bytes,
                      const char* what) {
  DatRecord rec;
  write(rec);
  std::array<uint8_t, DatRecord::kSize> expected{};
  std::copy(bytes.begin(), bytes.end(), expected.begin() + off);
  for (size_t i = 0; i < DatRecord::kSize; ++i) ASSERT_EQ(rec.Bytes()[i], expected[i]) << what << ", offset " << i;
}

std::string NameText(const TRankEntry& e) { return std::string(e.Name.begin(), e.Name.end()); }

}  // namespace

TEST(DatRecordTest, ChecksumIsXorOfLittleEndianWordsOfFirstBlockOnly) {
  DatRecord rec;
  rec.Bytes()[0] = 0x12;
  rec.Bytes()[3] = 0x34;
  EXPECT_EQ(rec.ComputeChecksum(), 0x3412);
  EXPECT_FALSE(rec.ChecksumValid());
  rec.SetChecksum(rec.ComputeChecksum());
  EXPECT_EQ(rec.Bytes()[1440], 0x12);
  EXPECT_EQ(rec.Bytes()[1441], 0x34);
  EXPECT_TRUE(rec.ChecksumValid());

  rec.Bytes()[1442] = 0xFF;  // second block is unprotected
  rec.Bytes()[4094] = 0xFF;
  EXPECT_TRUE(rec.ChecksumValid());
  rec.Bytes()[1439] ^= 0x01;  // last checked byte
  EXPECT_FALSE(rec.ChecksumValid());
}

TEST(DatRecordTest, RankTablesStepOverTheChecksumWord) {
  static_assert(DatRecord::RankEntryOffset(0, 0) == 0);
  static_assert(DatRecord::RankEntryOffset(8, 9) + 16 == 1440);
  static_assert(DatRecord::RankEntryOffset(9, 0) == 1442);
  static_assert(DatRecord::RankEntryOffset(20, 9) + 16 == 3362);

  const TRankEntry e{{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j'}, 0x0102, 0x0304, 0x0506};
  const std::vector<uint8_t> raw = {'a', 'b', 'c',  'd',  'e',  'f',  'g',  'h',
                                    'i', 'j', 0x02, 0x01, 0x04, 0x03, 0x06, 0x05};
  ExpectWritesOnly([&](DatRecord& r) { r.SetRankEntry(8, 9, e); }, 1424, raw, "t8 r9");
  ExpectWritesOnly([&](DatRecord& r) { r.SetRankEntry(9, 0, e); }, 1442, raw, "t9 r0");
  ExpectWritesOnly([&](DatRecord& r) { r.SetRankEntry(20, 9, e); }, 3346, raw, "t20 r9");
  DatRecord rec;
  rec.SetRankEntry(9, 0, e);
  EXPECT_EQ(rec.RankEntry(9, 0), e);
}

TEST(DatRecordTest, FieldsAreLittleEndianAtTheirOffsets) {
  ExpectWritesOnly([](DatRecord& r) { r.SetStartDate({2026, 12, 6}); }, 3362, {0xEA, 0x07, 12, 6}, "StartDate");
  ExpectWritesOnly([](DatRecord& r) { r.SetTotalKeys(0x11223344); }, 3366, {0x44, 0x33, 0x22, 0x11}, "TotalKeys");
  ExpectWritesOnly([](DatRecord& r) { r.SetGoodKeys(0x01020304); }, 3370, {4, 3, 2, 1}, "GoodKeys");
  ExpectWritesOnly([](DatRecord& r) { r.SetMissKeys(0x01020304); }, 3374, {4, 3, 2, 1}, "MissKeys");
  ExpectWritesOnly(
      [](DatRecord& r) {
        r.SetPlayTime({0x1234, 59, 58, 95});
      },
      3378, {0x34, 0x12, 59, 58, 95}, "PlayTime");
  ExpectWritesOnly([](DatRecord& r) { r.SetModeUse(1, 3, 0x0102); }, 3403, {2, 1}, "ModeUse 1 3");
  ExpectWritesOnly([](DatRecord& r) { r.SetModeUse(2, 6, 0x0102); }, 3423, {2, 1}, "ModeUse 2 6");
  ExpectWritesOnly([](DatRecord& r) { r.SetOtherModeUse(0x0102); }, 3425, {2, 1}, "OtherModeUse");
  ExpectWritesOnly([](DatRecord& r) { r.SetDrillTotal(0x01020304); }, 3427, {4, 3, 2, 1}, "DrillTotal");
  ExpectWritesOnly([](DatRecord& r) { r.SetLastDate({1999, 1, 31}); }, 3431, {0xCF, 0x07, 1, 31}, "LastDate");
  ExpectWritesOnly([](DatRecord& r) { r.SetTodayGood(0x0102); }, 3435, {2, 1}, "TodayGood");
  ExpectWritesOnly([](DatRecord& r) { r.SetCertGrade(0, 0, 8); }, 3437, {8}, "CertGrade 0 0");
  ExpectWritesOnly([](DatRecord& r) { r.SetCertGrade(1, 2, -1); }, 3446, {0xFF}, "CertGrade 1 2");
  ExpectWritesOnly([](DatRecord& r) { r.SetCertGradeAt(20, 1); }, 3457, {1}, "CertGradeAt 20");
  ExpectWritesOnly(
      [](DatRecord& r) {
        r.SetCertName({'n', 'a', 'm', 'e', 0x82, 0xA0, 1, 2, 3, 4});
      },
      3458, {'n', 'a', 'm', 'e', 0x82, 0xA0, 1, 2, 3, 4}, "CertName");
  ExpectWritesOnly([](DatRecord& r) { r.SetSwitchBits(0xA5); }, 3468, {0xA5}, "SwitchBits");
  ExpectWritesOnly([](DatRecord& r) { r.SetOptionBits(0x5A); }, 3469, {0x5A}, "OptionBits");

  // Reading back: the signed grade in storage order, the five-byte running time.
  DatRecord rec;
  rec.SetCertGrade(2, 5, -3);
  EXPECT_EQ(rec.CertGradeAt(19), -3);
  rec.SetPlayTime({65535, 59, 59, 0});
  EXPECT_EQ(rec.PlayTime(), (DatRecord::PlayTimeValue{65535, 59, 59, 0}));
}

TEST(DatRecordTest, CountersStopAtTheirMaximum) {
  DatRecord rec;
  rec.SetTotalKeys(0xFFFFFFFE);
  rec.SetGoodKeys(0xFFFFFFFE);
  rec.SetMissKeys(0xFFFFFFFE);
  rec.SetDrillTotal(0xFFFFFFFE);
  rec.SetModeUse(2, 6, 0xFFFE);
  rec.SetOtherModeUse(0xFFFE);
  rec.SetTodayGood(0xFFFE);
  for (int k = 0; k < 3; ++k) {
    rec.AddTotalKeys();
    rec.AddGoodKeys();
    rec.AddMissKeys();
    rec.AddDrillTotal();
    rec.AddModeUse(2, 6);
    rec.AddOtherModeUse();
    rec.AddTodayGood();
  }
  EXPECT_EQ(rec.TotalKeys(), 0xFFFFFFFFu);
  EXPECT_EQ(rec.GoodKeys(), 0xFFFFFFFFu);
  EXPECT_EQ(rec.MissKeys(), 0xFFFFFFFFu);
  EXPECT_EQ(rec.DrillTotal(), 0xFFFFFFFFu);
  EXPECT_EQ(rec.ModeUse(2, 6), 0xFFFF);
  EXPECT_EQ(rec.OtherModeUse(), 0xFFFF);
  EXPECT_EQ(rec.TodayGood(), 0xFFFF);
  // Neighbours of the saturated counters are untouched.
  EXPECT_EQ(rec.ModeUse(2, 5), 0);
  EXPECT_EQ(rec.LastDate(), (DatRecord::Date{0, 0, 0}));
  EXPECT_EQ(rec.CertGradeAt(0), 0);
}

TEST(DatRecordTest, ResetDataRecordBuildsTheDefaultRecord) {
  DatRecord rec;
  EXPECT_EQ(rec.Bytes(), (std::array<uint8_t, DatRecord::kSize>{}));
  rec.Bytes().fill(0xEE);
  rec.ResetDataRecord({2026, 12, 6});

  EXPECT_EQ(rec.StartDate(), (DatRecord::Date{2026, 12, 6}));
  EXPECT_EQ(NameText(rec.RankEntry(0, 0)), "kaito     ");
  EXPECT_EQ(NameText(rec.RankEntry(3, 0)), "yuzu      ");
  for (int t = 0; t < 21; ++t) {
    for (int r = 0; r < 10; ++r) {
      const TRankEntry e = rec.RankEntry(t, r);
      const std::string name = NameText(e);
      const std::string expected(DatRecord::DefaultRankName(t / 3, r));
      EXPECT_EQ(name, expected + std::string(10 - expected.size(), ' ')) << t << "," << r;
      EXPECT_EQ(e.Good, e.Score / 16) << t << "," << r;
      EXPECT_EQ(e.Miss, 0) << t << "," << r;
      if (r > 0) {
        EXPECT_LT(e.Score, rec.RankEntry(t, r - 1).Score) << t << "," << r;
      }
    }
  }
  auto scores = [&](int t) {
    std::vector<int> v;
    for (int r = 0; r < 10; ++r) v.push_back(rec.RankEntry(t, r).Score);
    return v;
  };
  EXPECT_EQ(scores(0), (std::vector<int>{3000, 2000, 1000, 900, 800, 700, 600, 500, 400, 300}));
  EXPECT_EQ(scores(2), (std::vector<int>{10000, 8000, 5000, 4000, 3000, 2000, 1500, 1300, 1000, 500}));
  EXPECT_EQ(scores(11), (std::vector<int>{8000, 7000, 5000, 4000, 3000, 2000, 1000, 900, 800, 500}));
  EXPECT_EQ(scores(15), (std::vector<int>{1500, 1200, 1000, 900, 800, 700, 500, 400, 300, 200}));
  EXPECT_EQ(rec.RankEntry(0, 0).Good, 187);
  EXPECT_EQ(rec.RankEntry(20, 9).Score, 300);
  EXPECT_EQ(rec.RankEntry(18, 9).Score, 100);

  // Everything past the tables is zero, the checksum too (it is computed on save).
  EXPECT_EQ(rec.Checksum(), 0);
  for (size_t i = DatRecord::kTotalKeysOffset; i < DatRecord::kSize; ++i)
    ASSERT_EQ(rec.Bytes()[i], 0) << "offset " << i;
}

TEST(DatRecordTest, ResetRankTablesChangesNothingButTheTables) {
  DatRecord rec;
  for (size_t i = 0; i < DatRecord::kSize; ++i) rec.Bytes()[i] = static_cast<uint8_t>(i * 7 + 3);
  const auto before = rec.Bytes();
  rec.ResetRankTables();

  std::vector<bool> inTable(DatRecord::kSize, false);
  for (int t = 0; t < 21; ++t)
    for (int r = 0; r < 10; ++r)
      for (size_t k = 0; k < 16; ++k) inTable[DatRecord::RankEntryOffset(t, r) + k] = true;
  for (size_t i = 0; i < DatRecord::kSize; ++i)
    if (!inTable[i]) {
      ASSERT_EQ(rec.Bytes()[i], before[i]) << "offset " << i;
    }
  const std::string last(DatRecord::DefaultRankName(6, 9));
  EXPECT_EQ(NameText(rec.RankEntry(20, 9)), last + std::string(10 - last.size(), ' '));
  EXPECT_EQ(rec.RankEntry(20, 9).Score, 300);
}

TEST(DatRecordTest, DefaultNamesAreShortLowerCaseNicknamesAllDistinct) {
  std::set<std::string_view> seen;
  for (int mode = 0; mode < 7; ++mode) {
    for (int r = 0; r < 10; ++r) {
      const std::string_view name = DatRecord::DefaultRankName(mode, r);
      EXPECT_EQ(name, DatRecord::DefaultRankName(mode % 2, r)) << mode << "," << r;
      EXPECT_GE(name.size(), 1u);
      EXPECT_LE(name.size(), 7u) << name;
      for (char c : name) EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) << name;
      seen.insert(name);
    }
  }
  EXPECT_EQ(seen.size(), 20u);
}
