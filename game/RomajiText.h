#pragma once
// UTF-8 for the romaji drills: their lists and table are UTF-8 and the judge works on
// characters. Strict decoding (no overlong forms, no surrogates), so a bad file is refused.
#include <string>
#include <string_view>

namespace game::romaji {

// Appends the characters of `bytes` to `out`; false at the first byte that is not UTF-8.
bool DecodeUtf8(std::string_view bytes, std::u32string& out);
void AppendUtf8(char32_t ch, std::string& out);
// Katakana as hiragana (ヴ as ゔ, ヵ ヶ as ゕ ゖ); every other character as it is.
char32_t ToHiragana(char32_t ch);

}  // namespace game::romaji
