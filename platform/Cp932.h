#pragma once
// Code page 932 (Shift-JIS as Windows writes it), the encoding of every drill text,
// template and stored name. Conversions go through glibc's iconv.
#include <optional>
#include <string>
#include <string_view>

#include <QString>

namespace plat::cp932 {

// UTF-8 -> CP932 bytes; nullopt when a character has no CP932 form.
std::optional<std::string> FromUtf8(std::string_view utf8);
// CP932 bytes -> UTF-8. A byte sequence that is not valid CP932 (a lone lead byte, an
// undefined code) becomes U+FFFD for that byte; the conversion never fails.
std::string ToUtf8(std::string_view bytes);

QString ToQString(std::string_view bytes);

// UTF-8 with U+FFFD for each byte that is no part of a well-formed sequence; well-formed
// UTF-8 comes back as it is.
std::string ValidUtf8(std::string_view bytes);
// A file name's bytes as a player reads them: UTF-8 (the system's encoding) as it is; else
// CP932 where the bytes are valid CP932 (a folder named on a Japanese Windows desktop);
// else UTF-8 with replacement characters. Never fails.
std::string FileNameText(std::string_view bytes);
std::optional<std::string> FromQString(const QString& text);

// True when byte b starts a double-byte character (0x81..0x9F, 0xE0..0xFC).
constexpr bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The longest prefix of `bytes` of at most `limit` bytes that does not cut a
// double-byte character in half.
std::string_view FitBytes(std::string_view bytes, size_t limit);

}  // namespace plat::cp932
