#pragma once
// The drill modes and time settings every screen names.
#include <array>
#include <cstdint>

namespace game {

// Mode 0..7: ABC, HAO, RND, ZYX, ｱｲｳ, ﾃﾐｽ, ｴﾗｲ (CP932, one byte a character) and the
// lesson course "***". Modes 4..6 are typed on the kana layout.
inline constexpr std::array<const char*, 8> kModeNames = {"ABC",          "HAO",          "RND",          "ZYX",
                                                          "\xB1\xB2\xB3", "\xC3\xD0\xBD", "\xB4\xD7\xB2", "***"};
inline constexpr int kLessonMode = 7;
inline bool IsKanaMode(int mode) { return mode >= 4 && mode <= 6; }
// The drill modes 0..6 have top-10 tables and grades; the lessons have neither.
inline constexpr int kTimedModes = 7;
// Grades run from 8 (the lowest, 8級) to 1.
inline constexpr int kLowestGrade = 8;

// Time settings 0..3: 30, 60, 120 seconds and untimed.
inline constexpr std::array<int, 4> kDurationSeconds = {30, 60, 120, 999};
inline constexpr std::array<const char*, 4> kDurationLabels = {" 30s", " 60s", "120s", "000s"};
inline constexpr int kUntimed = 3;

}  // namespace game
