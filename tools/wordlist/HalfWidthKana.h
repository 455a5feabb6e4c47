#pragma once
// Kana words are typed as half-width katakana, one byte per key press: full-width
// katakana from the word sources become half-width, with the voiced marks as characters
// of their own (デ -> ﾃﾞ, パ -> ﾊﾟ, ー -> ｰ).
#include <optional>
#include <string>
#include <string_view>

namespace wordlist {

// UTF-8 katakana (full-width, or half-width as it is) -> CP932 bytes 0xA1..0xDF.
// nullopt when a character has no half-width form (hiragana, kanji, ヰ, small ヵ, …);
// `why` then names it.
std::optional<std::string> ToHalfWidthKana(std::string_view utf8, std::string* why = nullptr);

}  // namespace wordlist
