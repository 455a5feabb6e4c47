#include "tools/wordlist/HalfWidthKana.h"

#include <cstdint>

namespace wordlist {
namespace {

// Half-width katakana U+FF61..U+FF9F are the CP932 bytes 0xA1..0xDF in the same order.
constexpr char32_t kHalfFirst = 0xFF61, kHalfLast = 0xFF9F;
constexpr uint8_t kHalfByteFirst = 0xA1;
constexpr uint8_t kVoiced = 0xDE, kSemiVoiced = 0xDF;  // ﾞ ﾟ

// Half-width form of one full-width character: the base kana and its mark (0: none).
struct HalfForm {
  char32_t full;
  uint8_t base;
  uint8_t mark;
};

// Byte of a half-width katakana given as its code point.
constexpr uint8_t H(char32_t half) { return static_cast<uint8_t>(kHalfByteFirst + (half - kHalfFirst)); }

// clang-format off
constexpr HalfForm kForms[] = {
    // vowels, small ones first as in the code chart
    {U'ァ', H(U'ｧ'), 0}, {U'ア', H(U'ｱ'), 0}, {U'ィ', H(U'ｨ'), 0}, {U'イ', H(U'ｲ'), 0},
    {U'ゥ', H(U'ｩ'), 0}, {U'ウ', H(U'ｳ'), 0}, {U'ェ', H(U'ｪ'), 0}, {U'エ', H(U'ｴ'), 0},
    {U'ォ', H(U'ｫ'), 0}, {U'オ', H(U'ｵ'), 0},
    // k, s, t rows with their voiced forms
    {U'カ', H(U'ｶ'), 0}, {U'ガ', H(U'ｶ'), kVoiced}, {U'キ', H(U'ｷ'), 0}, {U'ギ', H(U'ｷ'), kVoiced},
    {U'ク', H(U'ｸ'), 0}, {U'グ', H(U'ｸ'), kVoiced}, {U'ケ', H(U'ｹ'), 0}, {U'ゲ', H(U'ｹ'), kVoiced},
    {U'コ', H(U'ｺ'), 0}, {U'ゴ', H(U'ｺ'), kVoiced}, {U'サ', H(U'ｻ'), 0}, {U'ザ', H(U'ｻ'), kVoiced},
    {U'シ', H(U'ｼ'), 0}, {U'ジ', H(U'ｼ'), kVoiced}, {U'ス', H(U'ｽ'), 0}, {U'ズ', H(U'ｽ'), kVoiced},
    {U'セ', H(U'ｾ'), 0}, {U'ゼ', H(U'ｾ'), kVoiced}, {U'ソ', H(U'ｿ'), 0}, {U'ゾ', H(U'ｿ'), kVoiced},
    {U'タ', H(U'ﾀ'), 0}, {U'ダ', H(U'ﾀ'), kVoiced}, {U'チ', H(U'ﾁ'), 0}, {U'ヂ', H(U'ﾁ'), kVoiced},
    {U'ッ', H(U'ｯ'), 0}, {U'ツ', H(U'ﾂ'), 0}, {U'ヅ', H(U'ﾂ'), kVoiced}, {U'テ', H(U'ﾃ'), 0},
    {U'デ', H(U'ﾃ'), kVoiced}, {U'ト', H(U'ﾄ'), 0}, {U'ド', H(U'ﾄ'), kVoiced},
    // n row
    {U'ナ', H(U'ﾅ'), 0}, {U'ニ', H(U'ﾆ'), 0}, {U'ヌ', H(U'ﾇ'), 0}, {U'ネ', H(U'ﾈ'), 0},
    {U'ノ', H(U'ﾉ'), 0},
    // h row with voiced and semi-voiced forms
    {U'ハ', H(U'ﾊ'), 0}, {U'バ', H(U'ﾊ'), kVoiced}, {U'パ', H(U'ﾊ'), kSemiVoiced},
    {U'ヒ', H(U'ﾋ'), 0}, {U'ビ', H(U'ﾋ'), kVoiced}, {U'ピ', H(U'ﾋ'), kSemiVoiced},
    {U'フ', H(U'ﾌ'), 0}, {U'ブ', H(U'ﾌ'), kVoiced}, {U'プ', H(U'ﾌ'), kSemiVoiced},
    {U'ヘ', H(U'ﾍ'), 0}, {U'ベ', H(U'ﾍ'), kVoiced}, {U'ペ', H(U'ﾍ'), kSemiVoiced},
    {U'ホ', H(U'ﾎ'), 0}, {U'ボ', H(U'ﾎ'), kVoiced}, {U'ポ', H(U'ﾎ'), kSemiVoiced},
    // m, y, r, w rows and ン
    {U'マ', H(U'ﾏ'), 0}, {U'ミ', H(U'ﾐ'), 0}, {U'ム', H(U'ﾑ'), 0}, {U'メ', H(U'ﾒ'), 0},
    {U'モ', H(U'ﾓ'), 0}, {U'ャ', H(U'ｬ'), 0}, {U'ヤ', H(U'ﾔ'), 0}, {U'ュ', H(U'ｭ'), 0},
    {U'ユ', H(U'ﾕ'), 0}, {U'ョ', H(U'ｮ'), 0}, {U'ヨ', H(U'ﾖ'), 0}, {U'ラ', H(U'ﾗ'), 0},
    {U'リ', H(U'ﾘ'), 0}, {U'ル', H(U'ﾙ'), 0}, {U'レ', H(U'ﾚ'), 0}, {U'ロ', H(U'ﾛ'), 0},
    {U'ワ', H(U'ﾜ'), 0}, {U'ヲ', H(U'ｦ'), 0}, {U'ン', H(U'ﾝ'), 0}, {U'ヴ', H(U'ｳ'), kVoiced},
    // long vowel mark, middle dot, punctuation and the stand-alone marks
    {U'ー', H(U'ｰ'), 0}, {U'・', H(U'･'), 0}, {U'、', H(U'､'), 0}, {U'。', H(U'｡'), 0},
    {U'「', H(U'｢'), 0}, {U'」', H(U'｣'), 0}, {U'゛', kVoiced, 0}, {U'゜', kSemiVoiced, 0},
};
// clang-format on

// Decodes one UTF-8 character at `i`, advancing it; U+FFFD for a malformed sequence.
char32_t NextCodePoint(std::string_view s, size_t& i) {
  const auto b = static_cast<unsigned char>(s[i++]);
  int more = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
  if (more < 0) return 0xFFFD;
  char32_t c = more == 0 ? b : more == 1 ? (b & 0x1F) : more == 2 ? (b & 0x0F) : (b & 0x07);
  for (; more > 0; --more) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
    c = c << 6 | (static_cast<unsigned char>(s[i++]) & 0x3F);
  }
  return c;
}

std::string Utf8Of(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

}  // namespace

std::optional<std::string> ToHalfWidthKana(std::string_view utf8, std::string* why) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, i);
    if (c >= kHalfFirst && c <= kHalfLast) {
      out += static_cast<char>(H(c));
      continue;
    }
    const HalfForm* form = nullptr;
    for (const auto& f : kForms) {
      if (f.full == c) form = &f;
    }
    if (!form) {
      if (why) *why = "'" + Utf8Of(c) + "' has no half-width katakana form";
      return std::nullopt;
    }
    out += static_cast<char>(form->base);
    if (form->mark) out += static_cast<char>(form->mark);
  }
  return out;
}

}  // namespace wordlist
