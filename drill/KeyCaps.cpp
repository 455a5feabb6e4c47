#include "drill/KeyCaps.h"

#include <array>
#include <string_view>

#include "platform/JisLayout.h"
#include "ui/DesignScreens.h"

namespace drill {
namespace {

using plat::kJisKeyCount;
using plat::kJisKeys;
using plat::ShiftHand;
using ui::design::kKeyCapCount;
using ui::design::kKeyCaps;
using CapMember = ui::Panel* ui::MainControls::*;

struct NamedCap {
  std::string_view name;
  CapMember cap;
};
#define DOJOKAI_CAP(Name) \
  { #Name, &ui::MainControls::Name }

// The caps in the order of the design rows: the keys of the JIS table, then the two SHIFTs.
constexpr NamedCap kCaps[] = {
    DOJOKAI_CAP(P_1),    DOJOKAI_CAP(P_2),  DOJOKAI_CAP(P_3),  DOJOKAI_CAP(P_4),   DOJOKAI_CAP(P_5),
    DOJOKAI_CAP(P_6),    DOJOKAI_CAP(P_7),  DOJOKAI_CAP(P_8),  DOJOKAI_CAP(P_9),   DOJOKAI_CAP(P_0),
    DOJOKAI_CAP(P_MS),   DOJOKAI_CAP(P_HT), DOJOKAI_CAP(P_EN), DOJOKAI_CAP(P_Q),   DOJOKAI_CAP(P_W),
    DOJOKAI_CAP(P_E),    DOJOKAI_CAP(P_R),  DOJOKAI_CAP(P_T),  DOJOKAI_CAP(P_Y),   DOJOKAI_CAP(P_U),
    DOJOKAI_CAP(P_I),    DOJOKAI_CAP(P_O),  DOJOKAI_CAP(P_P),  DOJOKAI_CAP(P_AD),  DOJOKAI_CAP(P_RS),
    DOJOKAI_CAP(P_A),    DOJOKAI_CAP(P_S),  DOJOKAI_CAP(P_D),  DOJOKAI_CAP(P_F),   DOJOKAI_CAP(P_G),
    DOJOKAI_CAP(P_H),    DOJOKAI_CAP(P_J),  DOJOKAI_CAP(P_K),  DOJOKAI_CAP(P_L),   DOJOKAI_CAP(P_SK),
    DOJOKAI_CAP(P_KR),   DOJOKAI_CAP(P_LS), DOJOKAI_CAP(P_Z),  DOJOKAI_CAP(P_X),   DOJOKAI_CAP(P_C),
    DOJOKAI_CAP(P_V),    DOJOKAI_CAP(P_B),  DOJOKAI_CAP(P_N),  DOJOKAI_CAP(P_M),   DOJOKAI_CAP(P_KM),
    DOJOKAI_CAP(P_PR),   DOJOKAI_CAP(P_SR), DOJOKAI_CAP(P_AB), DOJOKAI_CAP(P_SPC), DOJOKAI_CAP(P_SFT),
    DOJOKAI_CAP(P_SFTR),
};
#undef DOJOKAI_CAP

static_assert(std::size(kCaps) == kKeyCapCount && kJisKeyCount + 2 == kKeyCapCount);
constexpr bool CapsFollowDesignAndTable() {
  for (std::size_t i = 0; i < kKeyCapCount; ++i) {
    const std::string_view name = kCaps[i].name;
    if (name != kKeyCaps[i].drillName) return false;
    if (i < kJisKeyCount && (!name.starts_with("P_") || name.substr(2) != kJisKeys[i].cap)) return false;
  }
  return true;
}
static_assert(CapsFollowDesignAndTable(), "key caps must follow the design rows and the JIS table");

// The kana captions that are no key's kana: the space bar spells its name, as do the SHIFTs.
constexpr std::string_view kSpaceKanaCaption = "ｽ ﾍﾟ ｰ ｽ";
constexpr std::string_view kShiftKanaCaption = "ｼ ﾌ ﾄ";

// A key's kana caption: its kana, and its shifted kana where that differs. UTF-8, NUL-ended.
using KanaCaptionText = std::array<char, 24>;
constexpr KanaCaptionText CaptionText(std::string_view utf8) {
  KanaCaptionText text{};
  for (std::size_t i = 0; i < utf8.size(); ++i) text[i] = utf8[i];
  return text;
}
constexpr void AppendKana(KanaCaptionText& text, std::size_t& at, uint8_t kana) {
  const unsigned cp = 0xFF61u + (kana - 0xA1u);  // half-width katakana in Unicode
  text[at++] = static_cast<char>(0xE0u | (cp >> 12));
  text[at++] = static_cast<char>(0x80u | ((cp >> 6) & 0x3Fu));
  text[at++] = static_cast<char>(0x80u | (cp & 0x3Fu));
}
constexpr std::array<KanaCaptionText, kKeyCapCount> BuildKanaCaptions() {
  std::array<KanaCaptionText, kKeyCapCount> captions{};
  for (std::size_t i = 0; i < kKeyCapCount; ++i) {
    if (i >= kJisKeyCount) {
      captions[i] = CaptionText(kShiftKanaCaption);
    } else if (kJisKeys[i].vk == plat::vk::Space) {
      captions[i] = CaptionText(kSpaceKanaCaption);
    } else {
      std::size_t at = 0;
      AppendKana(captions[i], at, kJisKeys[i].kana);
      if (kJisKeys[i].kanaShifted != kJisKeys[i].kana) AppendKana(captions[i], at, kJisKeys[i].kanaShifted);
    }
  }
  return captions;
}
constexpr std::array<KanaCaptionText, kKeyCapCount> kKanaCaptions = BuildKanaCaptions();

// What one byte marks: the row of its cap (kNone for no cap) and the SHIFT it needs.
constexpr uint8_t kNone = 0xFF;
struct CapOf {
  uint8_t row = kNone;
  ShiftHand shift = ShiftHand::None;
};

// Every byte 0..255 to its cap: a key's character and kana alone (a letter in either case),
// its shifted character and shifted kana with its SHIFT. A character two keys type marks the
// first (the backslash the yen key).
constexpr std::array<CapOf, 256> BuildMap() {
  std::array<CapOf, 256> map{};
  auto enter = [&map](uint8_t ch, std::size_t row, ShiftHand shift) {
    if (ch != 0 && map[ch].row == kNone) map[ch] = {static_cast<uint8_t>(row), shift};
  };
  for (std::size_t i = 0; i < kJisKeyCount; ++i) {
    const plat::JisKey& k = kJisKeys[i];
    enter(k.plain, i, ShiftHand::None);
    enter(k.kana, i, ShiftHand::None);
    enter(k.shifted, i, k.ShiftGivesCapital() ? ShiftHand::None : k.hand);
    enter(k.kanaShifted, i, k.hand);
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
  Caps caps{.key = C.*(kCaps[of.row].cap)};
  if (of.shift == ShiftHand::Left) caps.shift = C.P_SFT;
  if (of.shift == ShiftHand::Right) caps.shift = C.P_SFTR;
  return caps;
}

int KeyCaps::CapRowOf(uint8_t ch) { return kMap[ch].row == kNone ? -1 : kMap[ch].row; }

const char* KeyCaps::KanaCaption(size_t row) { return row < kKeyCapCount ? kKanaCaptions[row].data() : ""; }

void KeyCaps::ShowLatinCaps() {
  for (std::size_t i = 0; i < kKeyCapCount; ++i) (C.*(kCaps[i].cap))->SetCaption(kKeyCaps[i].drillCaption);
}

void KeyCaps::ShowKanaCaps() {
  for (std::size_t i = 0; i < kKeyCapCount; ++i) (C.*(kCaps[i].cap))->SetCaption(kKanaCaptions[i].data());
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
