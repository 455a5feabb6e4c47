#include "game/RomajiText.h"

namespace game::romaji {

bool DecodeUtf8(std::string_view bytes, std::u32string& out) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    int extra = 0;
    char32_t ch = 0;
    char32_t lowest = 0;
    if ((b & 0xE0) == 0xC0) {
      extra = 1, ch = b & 0x1F, lowest = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, ch = b & 0x0F, lowest = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, ch = b & 0x07, lowest = 0x10000;
    } else {
      return false;
    }
    if (i + extra >= bytes.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      ch = (ch << 6) | (c & 0x3F);
    }
    if (ch < lowest || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return false;
    out.push_back(ch);
    i += extra + 1;
  }
  return true;
}

void AppendUtf8(char32_t ch, std::string& out) {
  if (ch < 0x80) {
    out.push_back(static_cast<char>(ch));
  } else if (ch < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else if (ch < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  }
}

char32_t ToHiragana(char32_t ch) { return ch >= 0x30A1 && ch <= 0x30F6 ? ch - 0x60 : ch; }

}  // namespace game::romaji
