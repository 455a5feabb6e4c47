#include "platform/Cp932.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include <QByteArray>

namespace plat::cp932 {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr unsigned kKanaFirst = 0xA1, kKanaLast = 0xDF;  // half-width katakana bytes
constexpr char16_t kKanaBase = 0xFF61;                   // U+FF61..U+FF9F

constexpr bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
// Lead bytes 0x81..0x9F and 0xE0..0xFC packed into 0..59.
constexpr int LeadIndex(unsigned char b) { return b <= 0x9F ? b - 0x81 : b - 0xE0 + 31; }
constexpr int kLeadCount = 60, kTrailCount = 0xFD - 0x40;

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `in` into `out` (appended); false if any part cannot be converted.
  bool Run(std::string_view in, std::string& out) {
    if (!Ok()) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* ip = const_cast<char*>(in.data());
    size_t il = in.size();
    char buffer[64];
    while (il > 0) {
      char* op = buffer;
      size_t ol = sizeof buffer;
      size_t r = iconv(cd_, &ip, &il, &op, &ol);
      out.append(buffer, op - buffer);
      if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

// Every double-byte code decoded once, on first use; 0 marks an undefined code. All of
// CP932 lies in the Basic Multilingual Plane, so one UTF-16 unit per code suffices.
using DoubleByteTable = std::array<char16_t, kLeadCount * kTrailCount>;

DoubleByteTable BuildTable() {
  DoubleByteTable table{};
  Converter decode("UTF-16LE", "CP932");
  if (!decode.Ok()) return table;
  std::string out;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      out.clear();
      if (decode.Run(std::string_view(pair, 2), out) && out.size() == 2) {
        table[LeadIndex(static_cast<unsigned char>(lead)) * kTrailCount + (trail - 0x40)] =
            static_cast<char16_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
      }
    }
  }
  return table;
}

const DoubleByteTable& Table() {
  static const DoubleByteTable table = BuildTable();
  return table;
}

// Calls sink(char16_t) for each character of `bytes`. ASCII and half-width katakana
// (the whole of every drill text) never touch the table. An undefined double-byte code
// is one replacement character, matching its one character cell; a lead byte without a
// trail, or a byte that is no character at all, is one replacement character per byte.
template <typename Sink>
void Decode(std::string_view bytes, Sink sink) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      sink(static_cast<char16_t>(b));
    } else if (b >= kKanaFirst && b <= kKanaLast) {
      sink(static_cast<char16_t>(kKanaBase + (b - kKanaFirst)));
    } else if (IsLeadByte(b) && i + 1 < bytes.size() && IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
      const auto t = static_cast<unsigned char>(bytes[++i]);
      const char16_t c = Table()[LeadIndex(b) * kTrailCount + (t - 0x40)];
      sink(c ? c : kReplacement);
    } else {
      sink(kReplacement);
    }
  }
}

void AppendUtf8(std::string& out, char16_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Length of the UTF-8 sequence that starts with `b`, 0 for a byte that cannot start one.
size_t Utf8Length(unsigned char b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

}  // namespace

std::optional<std::string> FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  thread_local Converter encode("CP932", "UTF-8");
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const size_t n = Utf8Length(b);
    if (n == 0 || i + n > utf8.size()) return std::nullopt;
    for (size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) return std::nullopt;
    }
    const unsigned kana = n == 3 ? (b & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F) : 0;
    if (n == 1) {
      out += static_cast<char>(b);
    } else if (b == 0xEF && kana >= kKanaBase && kana <= kKanaBase + (kKanaLast - kKanaFirst)) {
      out += static_cast<char>(kKanaFirst + (kana - kKanaBase));
    } else {
      const size_t before = out.size();
      if (!encode.Run(utf8.substr(i, n), out)) return std::nullopt;
      // iconv folds YEN SIGN and OVERLINE onto '\' and '~'; they would come back as
      // different characters, so they count as having no CP932 form.
      if (out.size() == before + 1 && static_cast<unsigned char>(out.back()) < 0x80) {
        return std::nullopt;
      }
    }
    i += n;
  }
  return out;
}

std::string ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  Decode(bytes, [&out](char16_t c) { AppendUtf8(out, c); });
  return out;
}

std::string ValidUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    size_t n = Utf8Length(b);
    // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
    const unsigned char low = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
    for (size_t k = 1; k < n; ++k) {
      const auto c = i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0;
      if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) n = 0;
    }
    if (n == 0) {
      AppendUtf8(out, kReplacement);
      ++i;
    } else {
      out.append(bytes.substr(i, n));
      i += n;
    }
  }
  return out;
}

std::string FileNameText(std::string_view bytes) {
  std::string utf8 = ValidUtf8(bytes);
  if (utf8 == bytes) return utf8;
  bool cp932 = true;
  Decode(bytes, [&cp932](char16_t c) { cp932 = cp932 && c != kReplacement; });
  return cp932 ? ToUtf8(bytes) : utf8;
}

QString ToQString(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  Decode(bytes, [&out](char16_t c) { out.append(QChar(c)); });
  return out;
}

std::optional<std::string> FromQString(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

std::string_view FitBytes(std::string_view bytes, size_t limit) {
  size_t end = 0;
  while (end < bytes.size()) {
    const size_t width = IsLeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  // A lead byte that ends the text takes two bytes of the limit like any other.
  return bytes.substr(0, std::min(end, bytes.size()));
}

}  // namespace plat::cp932
