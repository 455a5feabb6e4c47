#pragma once

// The game's persistent record: the 4095-byte image of dojokai.dat, byte for
// byte. Every field is read and written through a little-endian accessor at its
// fixed offset; the layout has odd offsets, so no struct is ever overlaid on it.

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace game {

// One line of a top-10 table, as the record stores it (16 bytes).
struct TRankEntry {
  std::array<uint8_t, 10> Name;  // space-padded, no terminator
  uint16_t Score;
  uint16_t Good;
  uint16_t Miss;

  bool operator==(const TRankEntry&) const = default;
};

class DatRecord {
 public:
  struct Date {
    uint16_t Year;
    uint8_t Month;
    uint8_t Day;

    bool operator==(const Date&) const = default;
  };

  struct PlayTimeValue {
    uint16_t Hours;
    uint8_t Minutes;
    uint8_t Seconds;
    uint8_t Hundredths;

    bool operator==(const PlayTimeValue&) const = default;
  };

  static constexpr size_t kSize = 4095;
  static constexpr size_t kChecksumSpan = 1440;  // only the first rank block is checked

  // Field offsets.
  static constexpr size_t kFirstRankBlockOffset = 0;
  static constexpr size_t kChecksumOffset = 1440;
  static constexpr size_t kSecondRankBlockOffset = 1442;
  static constexpr size_t kStartDateOffset = 3362;
  static constexpr size_t kTotalKeysOffset = 3366;
  static constexpr size_t kGoodKeysOffset = 3370;
  static constexpr size_t kMissKeysOffset = 3374;
  static constexpr size_t kPlayTimeOffset = 3378;
  static constexpr size_t kModeUseOffset = 3383;
  static constexpr size_t kOtherModeUseOffset = 3425;
  static constexpr size_t kDrillTotalOffset = 3427;
  static constexpr size_t kLastDateOffset = 3431;
  static constexpr size_t kTodayGoodOffset = 3435;
  static constexpr size_t kCertGradesOffset = 3437;
  static constexpr size_t kCertNameOffset = 3458;
  static constexpr size_t kSwitchBitsOffset = 3468;
  static constexpr size_t kOptionBitsOffset = 3469;
  static constexpr size_t kReservedOffset = 3470;
  static constexpr size_t kReservedSize = 625;

  // Shapes.
  static constexpr int kModes = 7;           // timed drill modes 0..6
  static constexpr int kTimedDurations = 3;  // 30, 60, 120 s
  static constexpr int kRankTables = kModes * kTimedDurations;
  static constexpr int kRanksPerTable = 10;
  static constexpr size_t kRankEntrySize = 16;
  static constexpr size_t kRankTableSize = kRankEntrySize * kRanksPerTable;
  static constexpr int kFirstBlockTables = 9;  // tables of modes 0..2
  static constexpr size_t kNameSize = 10;
  static constexpr int kCertGradeCount = kModes * kTimedDurations;
  static constexpr size_t kCertNameSize = 10;
  static constexpr uint8_t kMaximizeAtStartBit = 0x04;

  static_assert(kFirstBlockTables * kRankTableSize == kChecksumSpan);
  static_assert(kSecondRankBlockOffset + (kRankTables - kFirstBlockTables) * kRankTableSize == kStartDateOffset);
  static_assert(kReservedOffset + kReservedSize == kSize);

  // Zero-filled; the game fills the defaults itself with ResetDataRecord.
  DatRecord() = default;

  std::array<uint8_t, kSize>& Bytes() { return bytes_; }
  const std::array<uint8_t, kSize>& Bytes() const { return bytes_; }

  // Entry of table t = TableIndex(Mode, DurationIndex) (0..20), rank r (0..9, best first).
  // The checksum word sits between the tables of modes 0..2 and those of modes 3..6.
  static constexpr size_t RankEntryOffset(int t, int r) {
    assert(t >= 0 && t < kRankTables && r >= 0 && r < kRanksPerTable);
    const size_t base = kRankTableSize * static_cast<size_t>(t) + kRankEntrySize * static_cast<size_t>(r);
    return t < kFirstBlockTables ? base : base + 2;
  }
  TRankEntry RankEntry(int t, int r) const;
  void SetRankEntry(int t, int r, const TRankEntry& entry);

  uint16_t Checksum() const { return Get16(kChecksumOffset); }
  void SetChecksum(uint16_t v) { Put16(kChecksumOffset, v); }
  uint16_t ComputeChecksum() const;  // XOR of the 720 words at 0..1439
  bool ChecksumValid() const { return Checksum() == ComputeChecksum(); }

  Date StartDate() const { return GetDate(kStartDateOffset); }
  void SetStartDate(Date d) { PutDate(kStartDateOffset, d); }
  Date LastDate() const { return GetDate(kLastDateOffset); }
  void SetLastDate(Date d) { PutDate(kLastDateOffset, d); }

  // Lifetime keystroke counters; the Add* forms stop at the maximum.
  uint32_t TotalKeys() const { return Get32(kTotalKeysOffset); }
  void SetTotalKeys(uint32_t v) { Put32(kTotalKeysOffset, v); }
  void AddTotalKeys() { Inc32(kTotalKeysOffset); }
  uint32_t GoodKeys() const { return Get32(kGoodKeysOffset); }
  void SetGoodKeys(uint32_t v) { Put32(kGoodKeysOffset, v); }
  void AddGoodKeys() { Inc32(kGoodKeysOffset); }
  uint32_t MissKeys() const { return Get32(kMissKeysOffset); }
  void SetMissKeys(uint32_t v) { Put32(kMissKeysOffset, v); }
  void AddMissKeys() { Inc32(kMissKeysOffset); }

  PlayTimeValue PlayTime() const;
  void SetPlayTime(const PlayTimeValue& v);

  // Timed drills started, per DurationIndex d (0..2) and Mode m (0..6).
  static constexpr size_t ModeUseOffset(int d, int m) {
    assert(d >= 0 && d < kTimedDurations && m >= 0 && m < kModes);
    return kModeUseOffset + 14 * static_cast<size_t>(d) + 2 * static_cast<size_t>(m);
  }
  uint16_t ModeUse(int d, int m) const { return Get16(ModeUseOffset(d, m)); }
  void SetModeUse(int d, int m, uint16_t v) { Put16(ModeUseOffset(d, m), v); }
  void AddModeUse(int d, int m) { Inc16(ModeUseOffset(d, m)); }

  // Lesson-course starts from the mode menu.
  uint16_t OtherModeUse() const { return Get16(kOtherModeUseOffset); }
  void SetOtherModeUse(uint16_t v) { Put16(kOtherModeUseOffset, v); }
  void AddOtherModeUse() { Inc16(kOtherModeUseOffset); }

  // Every start from the mode menu: timed, untimed or lessons.
  uint32_t DrillTotal() const { return Get32(kDrillTotalOffset); }
  void SetDrillTotal(uint32_t v) { Put32(kDrillTotalOffset, v); }
  void AddDrillTotal() { Inc32(kDrillTotalOffset); }

  // Correct keystrokes on LastDate.
  uint16_t TodayGood() const { return Get16(kTodayGoodOffset); }
  void SetTodayGood(uint16_t v) { Put16(kTodayGoodOffset, v); }
  void AddTodayGood() { Inc16(kTodayGoodOffset); }

  // Grade held for DurationIndex j (0..2) and Mode i (0..6): 0 none, 1..8 the grade.
  int8_t CertGrade(int j, int i) const { return CertGradeAt(CertGradeIndex(j, i)); }
  void SetCertGrade(int j, int i, int8_t v) { SetCertGradeAt(CertGradeIndex(j, i), v); }
  // Same grades by storage index j * 7 + i (0..20).
  int8_t CertGradeAt(int index) const;
  void SetCertGradeAt(int index, int8_t v);
  static constexpr int CertGradeIndex(int j, int i) {
    assert(j >= 0 && j < kTimedDurations && i >= 0 && i < kModes);
    return j * kModes + i;
  }

  // Certificate name, CP932 bytes; first byte 0 means no name registered.
  std::array<uint8_t, kCertNameSize> CertName() const;
  void SetCertName(const std::array<uint8_t, kCertNameSize>& name);
  // Zeroes the 21 grades and the certificate name.
  void ClearCertRecords();

  uint8_t SwitchBits() const { return bytes_[kSwitchBitsOffset]; }
  void SetSwitchBits(uint8_t v) { bytes_[kSwitchBitsOffset] = v; }
  uint8_t OptionBits() const { return bytes_[kOptionBitsOffset]; }
  void SetOptionBits(uint8_t v) { bytes_[kOptionBitsOffset] = v; }

  // The record of a first start: all zero, names blank, StartDate = today, then
  // the default top-10 tables. The checksum is left to the save.
  void ResetDataRecord(Date today);
  // Refills the 21 top-10 tables with the default names and scores; nothing
  // else in the record changes.
  void ResetRankTables();

  // The defaults ResetRankTables writes (t = table, r = rank, as above).
  static std::string_view DefaultRankName(int mode, int r);
  static uint16_t DefaultRankScore(int t, int r);

 private:
  uint16_t Get16(size_t off) const { return static_cast<uint16_t>(bytes_[off] | (bytes_[off + 1] << 8)); }
  void Put16(size_t off, uint16_t v) {
    bytes_[off] = static_cast<uint8_t>(v);
    bytes_[off + 1] = static_cast<uint8_t>(v >> 8);
  }
  uint32_t Get32(size_t off) const {
    return static_cast<uint32_t>(bytes_[off]) | static_cast<uint32_t>(bytes_[off + 1]) << 8 |
           static_cast<uint32_t>(bytes_[off + 2]) << 16 | static_cast<uint32_t>(bytes_[off + 3]) << 24;
  }
  void Put32(size_t off, uint32_t v) {
    for (size_t k = 0; k < 4; ++k) bytes_[off + k] = static_cast<uint8_t>(v >> (8 * k));
  }
  void Inc16(size_t off) {
    const uint16_t v = Get16(off);
    if (v != UINT16_MAX) Put16(off, static_cast<uint16_t>(v + 1));
  }
  void Inc32(size_t off) {
    const uint32_t v = Get32(off);
    if (v != UINT32_MAX) Put32(off, v + 1);
  }
  Date GetDate(size_t off) const { return {Get16(off), bytes_[off + 2], bytes_[off + 3]}; }
  void PutDate(size_t off, Date d) {
    Put16(off, d.Year);
    bytes_[off + 2] = d.Month;
    bytes_[off + 3] = d.Day;
  }

  std::array<uint8_t, kSize> bytes_{};
};

// The top-10 table of drill mode `mode` (0..6) at time setting `durationIndex` (0..2).
constexpr int TableIndex(int mode, int durationIndex) { return mode * DatRecord::kTimedDurations + durationIndex; }

}  // namespace game
