#pragma once
// Numbers on screen are written into fixed text templates: a run of 'X' (or any
// placeholder) is overwritten in place by zero-padded decimal digits.
#include <algorithm>
#include <cstdint>
#include <string>

namespace game {

namespace detail {
inline void WriteDigits(std::string& text, size_t pos, uint64_t value, int digits) {
  for (int i = digits - 1; i >= 0; --i) {
    if (pos + static_cast<size_t>(i) < text.size())
      text[pos + static_cast<size_t>(i)] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}
}  // namespace detail

// Five digits, the value capped at 65535.
inline void FormatDigits5(std::string& text, size_t pos, int64_t value) {
  detail::WriteDigits(text, pos, static_cast<uint64_t>(std::clamp<int64_t>(value, 0, 65535)), 5);
}
// Three digits, the value capped at 255.
inline void FormatDigits3(std::string& text, size_t pos, int64_t value) {
  detail::WriteDigits(text, pos, static_cast<uint64_t>(std::clamp<int64_t>(value, 0, 255)), 3);
}
// Ten digits of an unsigned 32-bit value.
inline void FormatDigits10(std::string& text, size_t pos, uint32_t value) { detail::WriteDigits(text, pos, value, 10); }

// A two-digit field: the last two of three digits (the first is the separator before it).
inline void FormatDigits2(std::string& text, size_t pos, int64_t value) {
  const char separator = pos > 0 && pos - 1 < text.size() ? text[pos - 1] : 0;
  FormatDigits3(text, pos - 1, value);
  if (pos > 0 && pos - 1 < text.size()) text[pos - 1] = separator;
}
// A four-digit year: the last four of five digits.
inline void FormatDigits4(std::string& text, size_t pos, int64_t value) {
  const char separator = pos > 0 && pos - 1 < text.size() ? text[pos - 1] : 0;
  FormatDigits5(text, pos - 1, value);
  if (pos > 0 && pos - 1 < text.size()) text[pos - 1] = separator;
}

// The character grid of the drawn pictures: x = trunc(column × 6.03), y = 13 × row.
inline int GridX(int column) { return static_cast<int>(column * (9 * 0.67)); }
inline int GridY(int row) { return 13 * row; }

}  // namespace game
