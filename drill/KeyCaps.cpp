#include "drill/KeyCaps.h"

#include <array>
#include <stdexcept>
#include <string_view>

#include "ui/DesignScreens.h"

namespace drill {
namespace {

using ui::design::kKeyCaps;
using ui::design::kKeyCapCount;
using CapMember = ui::Panel* ui::MainControls::*;

enum class Shift : uint8_t { None, Left, Right };

// One key cap: its kana caption, the characters it types without Shift (both cases of a
// letter) and with Shift, and the SHIFT cap a shifted character marks. Texts are UTF-8;
// the Latin caption is the cap's design caption.
struct CapRow {
  std::string_view name;
  CapMember cap;
  const char* kana;
  std::string_view plain;
  std::string_view shifted;
  Shift shift;
};

#define DOJOKAI_CAP(Name) #Name, &ui::MainControls::Name

// In the order of the design rows. Shifted characters of the caps 1 to 5, E and Z are
// typed with the right hand's SHIFT, all others with the left.
constexpr CapRow kRows[] = {
    // number row
    {DOJOKAI_CAP(P_1), "ﾇ", "1ﾇ", "!", Shift::Right},
    {DOJOKAI_CAP(P_2), "ﾌ", "2ﾌ", "\"", Shift::Right},
    {DOJOKAI_CAP(P_3), "ｱｧ", "3ｱ", "#ｧ", Shift::Right},
    {DOJOKAI_CAP(P_4), "ｳｩ", "4ｳ", "$ｩ", Shift::Right},
    {DOJOKAI_CAP(P_5), "ｴｪ", "5ｴ", "%ｪ", Shift::Right},
    {DOJOKAI_CAP(P_6), "ｵｫ", "6ｵ", "&ｫ", Shift::Left},
    {DOJOKAI_CAP(P_7), "ﾔｬ", "7ﾔ", "'ｬ", Shift::Left},
    {DOJOKAI_CAP(P_8), "ﾕｭ", "8ﾕ", "(ｭ", Shift::Left},
    {DOJOKAI_CAP(P_9), "ﾖｮ", "9ﾖ", ")ｮ", Shift::Left},
    {DOJOKAI_CAP(P_0), "ﾜｦ", "0ﾜ", "ｦ", Shift::Left},
    {DOJOKAI_CAP(P_MS), "ﾎ", "-ﾎ", "=", Shift::Left},
    {DOJOKAI_CAP(P_HT), "ﾍ", "^ﾍ", "~", Shift::Left},
    {DOJOKAI_CAP(P_EN), "ｰ", "\\ｰ", "|", Shift::Left},
    // upper letter row
    {DOJOKAI_CAP(P_Q), "ﾀ", "Qqﾀ", "", Shift::None},
    {DOJOKAI_CAP(P_W), "ﾃ", "Wwﾃ", "", Shift::None},
    {DOJOKAI_CAP(P_E), "ｲｨ", "Eeｲ", "ｨ", Shift::Right},
    {DOJOKAI_CAP(P_R), "ｽ", "Rrｽ", "", Shift::None},
    {DOJOKAI_CAP(P_T), "ｶ", "Ttｶ", "", Shift::None},
    {DOJOKAI_CAP(P_Y), "ﾝ", "Yyﾝ", "", Shift::None},
    {DOJOKAI_CAP(P_U), "ﾅ", "Uuﾅ", "", Shift::None},
    {DOJOKAI_CAP(P_I), "ﾆ", "Iiﾆ", "", Shift::None},
    {DOJOKAI_CAP(P_O), "ﾗ", "Ooﾗ", "", Shift::None},
    {DOJOKAI_CAP(P_P), "ｾ", "Ppｾ", "", Shift::None},
    {DOJOKAI_CAP(P_AD), "ﾞ", "@ﾞ", "`", Shift::Left},
    {DOJOKAI_CAP(P_RS), "ﾟ｢", "[ﾟ", "{｢", Shift::Left},
    // home row
    {DOJOKAI_CAP(P_A), "ﾁ", "Aaﾁ", "", Shift::None},
    {DOJOKAI_CAP(P_S), "ﾄ", "Ssﾄ", "", Shift::None},
    {DOJOKAI_CAP(P_D), "ｼ", "Ddｼ", "", Shift::None},
    {DOJOKAI_CAP(P_F), "ﾊ", "Ffﾊ", "", Shift::None},
    {DOJOKAI_CAP(P_G), "ｷ", "Ggｷ", "", Shift::None},
    {DOJOKAI_CAP(P_H), "ｸ", "Hhｸ", "", Shift::None},
    {DOJOKAI_CAP(P_J), "ﾏ", "Jjﾏ", "", Shift::None},
    {DOJOKAI_CAP(P_K), "ﾉ", "Kkﾉ", "", Shift::None},
    {DOJOKAI_CAP(P_L), "ﾘ", "Llﾘ", "", Shift::None},
    {DOJOKAI_CAP(P_SK), "ﾚ", ";ﾚ", "+", Shift::Left},
    {DOJOKAI_CAP(P_KR), "ｹ", ":ｹ", "*", Shift::Left},
    {DOJOKAI_CAP(P_LS), "ﾑ｣", "]ﾑ", "}｣", Shift::Left},
    // lower letter row
    {DOJOKAI_CAP(P_Z), "ﾂｯ", "Zzﾂ", "ｯ", Shift::Right},
    {DOJOKAI_CAP(P_X), "ｻ", "Xxｻ", "", Shift::None},
    {DOJOKAI_CAP(P_C), "ｿ", "Ccｿ", "", Shift::None},
    {DOJOKAI_CAP(P_V), "ﾋ", "Vvﾋ", "", Shift::None},
    {DOJOKAI_CAP(P_B), "ｺ", "Bbｺ", "", Shift::None},
    {DOJOKAI_CAP(P_N), "ﾐ", "Nnﾐ", "", Shift::None},
    {DOJOKAI_CAP(P_M), "ﾓ", "Mmﾓ", "", Shift::None},
    {DOJOKAI_CAP(P_KM), "ﾈ､", ",ﾈ", "<､", Shift::Left},
    {DOJOKAI_CAP(P_PR), "ﾙ｡", ".ﾙ", ">｡", Shift::Left},
    {DOJOKAI_CAP(P_SR), "ﾒ･", "/ﾒ", "?･", Shift::Left},
    {DOJOKAI_CAP(P_AB), "ﾛ", "ﾛ", "_", Shift::Left},
    // space bar and the two SHIFT caps
    {DOJOKAI_CAP(P_SPC), "ｽ ﾍﾟ ｰ ｽ", " ", "", Shift::None},
    {DOJOKAI_CAP(P_SFT), "ｼ ﾌ ﾄ", "", "", Shift::None},
    {DOJOKAI_CAP(P_SFTR), "ｼ ﾌ ﾄ", "", "", Shift::None},
};
#undef DOJOKAI_CAP

static_assert(std::size(kRows) == kKeyCapCount);
constexpr bool RowsFollowDesign() {
  for (std::size_t i = 0; i < kKeyCapCount; ++i)
    if (kRows[i].name != kKeyCaps[i].drillName) return false;
  return true;
}
static_assert(RowsFollowDesign(), "key-cap rows must follow the design rows");

// What one byte marks: the row of its cap (kNone for no cap) and the SHIFT it needs.
constexpr uint8_t kNone = 0xFF;
struct CapOf {
  uint8_t row = kNone;
  Shift shift = Shift::None;
};

// The next character of a UTF-8 table text as a CP932 byte: ASCII or a half-width katakana
// (U+FF61..U+FF9F is 0xA1..0xDF). Anything else is a fault in the table.
constexpr uint8_t NextByte(std::string_view text, std::size_t& at) {
  const auto b = static_cast<uint8_t>(text[at]);
  if (b < 0x80) {
    ++at;
    return b;
  }
  if (b != 0xEF || at + 2 >= text.size()) throw std::logic_error("not a half-width character");
  const unsigned cp = 0xF000u | ((static_cast<uint8_t>(text[at + 1]) & 0x3Fu) << 6) |
                      (static_cast<uint8_t>(text[at + 2]) & 0x3Fu);
  if (cp < 0xFF61 || cp > 0xFF9F) throw std::logic_error("not a half-width katakana");
  at += 3;
  return static_cast<uint8_t>(cp - 0xFF61 + 0xA1);
}

constexpr void Enter(std::array<CapOf, 256>& map, std::string_view text, uint8_t row, Shift shift) {
  for (std::size_t at = 0; at < text.size();) {
    CapOf& entry = map[NextByte(text, at)];
    if (entry.row != kNone) throw std::logic_error("a character on two caps");
    entry = {row, shift};
  }
}

// Every byte 0..255 to its cap; built at compile time, so a character listed twice or a
// character that is not a single byte stops the build.
constexpr std::array<CapOf, 256> BuildMap() {
  std::array<CapOf, 256> map{};
  for (std::size_t i = 0; i < kKeyCapCount; ++i) {
    const CapRow& r = kRows[i];
    Enter(map, r.plain, static_cast<uint8_t>(i), Shift::None);
    Enter(map, r.shifted, static_cast<uint8_t>(i), r.shift);
  }
  return map;
}
constexpr std::array<CapOf, 256> kMap = BuildMap();

// Every panel tagged as a key cap inside the keyboard, so that a cap added to the design
// is reset without a change here.
template <class F>
void ForEachTaggedCap(const ui::Panel& keyboard, F&& f) {
  for (ui::Control* child : keyboard.Children())
    if (child->Tag() == ui::design::kDrillCapTag && child->GetKind() == ui::Kind::Panel) f(*child);
}

}  // namespace

KeyCaps::KeyCaps(ui::MainControls& c) : C(c) {}

KeyCaps::Caps KeyCaps::KeyCapMap(uint8_t ch) const {
  const CapOf& of = kMap[ch];
  if (of.row == kNone) return {};
  Caps caps{.key = C.*(kRows[of.row].cap)};
  if (of.shift == Shift::Left) caps.shift = C.P_SFT;
  if (of.shift == Shift::Right) caps.shift = C.P_SFTR;
  return caps;
}

int KeyCaps::CapRowOf(uint8_t ch) { return kMap[ch].row == kNone ? -1 : kMap[ch].row; }

const char* KeyCaps::KanaCaption(size_t row) { return row < kKeyCapCount ? kRows[row].kana : ""; }

void KeyCaps::ShowLatinCaps() {
  for (std::size_t i = 0; i < kKeyCapCount; ++i) (C.*(kRows[i].cap))->SetCaption(kKeyCaps[i].drillCaption);
}

void KeyCaps::ShowKanaCaps() {
  for (const CapRow& r : kRows) (C.*(r.cap))->SetCaption(r.kana);
}

void KeyCaps::ClearKeyCapColours() {
  ForEachTaggedCap(*C.F1P3, [](ui::Control& cap) { cap.SetColor(ui::clr::Black); });
}

void KeyCaps::ResetKeyCapFonts() {
  ForEachTaggedCap(*C.F1P3, [](ui::Control& cap) { cap.SetFontColor(ui::clr::White); });
  C.P_SFT->SetFontColor(ui::clr::Silver);
  C.P_SFTR->SetFontColor(ui::clr::Silver);
}

void KeyCaps::MarkKey(uint8_t ch) {
  const Caps caps = KeyCapMap(ch);
  if (!caps.key) return;
  caps.key->SetFontColor(caps.shift ? ui::clr::Blue : ui::clr::Lime);
  if (caps.shift) caps.shift->SetFontColor(ui::clr::Blue);
}

void KeyCaps::UnmarkKey(uint8_t ch) {
  const Caps caps = KeyCapMap(ch);
  if (!caps.key) return;
  caps.key->SetFontColor(ui::clr::White);
  if (caps.shift) caps.shift->SetFontColor(ui::clr::Silver);
}

void KeyCaps::MarkKeyReverse(uint8_t ch) {
  const Caps caps = KeyCapMap(ch);
  if (!caps.key) return;
  caps.key->SetColor(caps.shift ? ui::clr::Blue : ui::clr::Red);
  if (caps.shift) caps.shift->SetColor(ui::clr::Blue);
}

void KeyCaps::UnmarkKeyReverse(uint8_t ch) {
  const Caps caps = KeyCapMap(ch);
  if (!caps.key) return;
  caps.key->SetColor(ui::clr::Black);
  if (caps.shift) caps.shift->SetColor(ui::clr::Black);
}

}  // namespace drill
