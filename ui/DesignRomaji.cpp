// The romaji drills: their two lines on the mode select, and the romaji screen RjPanel with
// its keyboard and its results.
#include "ui/DesignScreens.h"

// The tables are laid out by hand, a row a control.
// clang-format off

namespace ui::design {
namespace {

inline constexpr int kRomajiCapTag = 20000;

constexpr ControlDesign kRomajiTop[] = {
    // the two romaji drills beside the eight modes, tag = the digit that starts them
    {.kind = Kind::Label, .name = "F6L22", .parent = "F6Panel", .left = 92, .top = 172,
     .caption = "[8] ローマ字 ことば", .fontColor = clr::Yellow, .fontHeight = 13, .tag = 8,
     .hint = "日本語の単語をローマ字で"},
    {.kind = Kind::Label, .name = "F6L23", .parent = "F6Panel", .left = 244, .top = 172,
     .caption = "[9] ローマ字 文", .fontColor = clr::Lime, .fontHeight = 13, .tag = 9,
     .hint = "短い文をローマ字で"},
    // the romaji screen
    {.kind = Kind::Panel, .name = "RjPanel", .width = 482, .height = 302, .color = clr::Black,
     .visible = false, .align = Align::Center, .bevelOuter = Bevel::Raised},
    // a click acts like Esc
    {.kind = Kind::Panel, .name = "RjP1", .parent = "RjPanel", .left = 4, .top = 6,
     .width = 37, .height = 17, .caption = "[ESC]", .color = clr::Black,
     .fontColor = clr::Yellow, .align = Align::Center, .bevelOuter = Bevel::Raised,
     .hint = "終了"},
    // the drill and its list; the clock and the counts
    {.kind = Kind::Label, .name = "RjL1", .parent = "RjPanel", .left = 48, .top = 8,
     .caption = "ことば", .fontColor = clr::Yellow},
    {.kind = Kind::Label, .name = "RjL2", .parent = "RjPanel", .left = 48, .top = 26,
     .caption = "TIME:030.0  SCORE:00000  GOOD:0  MISS:0", .fontColor = clr::Aqua},
    // the entry as written
    {.kind = Kind::Label, .name = "RjL3", .parent = "RjPanel", .left = 16, .top = 44,
     .caption = " ", .fontColor = clr::White, .fontHeight = 18},
    // its reading, and over its start the kana done (a key repaints only what it changes)
    {.kind = Kind::Label, .name = "RjL4", .parent = "RjPanel", .left = 16, .top = 68,
     .caption = "", .fontColor = clr::White, .fontHeight = 14},
    {.kind = Kind::Label, .name = "RjL5", .parent = "RjPanel", .left = 16, .top = 68,
     .caption = "", .fontColor = clr::Gray, .fontHeight = 14},
    // the guide: the keys typed and the rest as the guide spells it, and over it the keys typed
    {.kind = Kind::Label, .name = "RjL6", .parent = "RjPanel", .left = 16, .top = 86,
     .caption = "", .fontColor = clr::White, .fontHeight = 14},
    {.kind = Kind::Label, .name = "RjL7", .parent = "RjPanel", .left = 16, .top = 86,
     .caption = "", .fontColor = clr::Lime, .fontHeight = 14},
    // what the player must know: ←→ before the first key, a list that could not be read
    {.kind = Kind::Label, .name = "RjL8", .parent = "RjPanel", .left = 16, .top = 102,
     .caption = "", .fontColor = clr::Yellow},
    // the on-screen keyboard; its caps follow
    {.kind = Kind::Panel, .name = "RjP10", .parent = "RjPanel", .left = 8, .top = 116,
     .width = 465, .height = 178, .color = clr::Black, .align = Align::Center},
};

// The caps' names, in the order of the key-cap table.
constexpr const char* kCapNames[] = {
    "RP_1", "RP_2", "RP_3", "RP_4", "RP_5", "RP_6", "RP_7", "RP_8", "RP_9", "RP_0", "RP_MS", "RP_HT", "RP_EN",
    "RP_Q", "RP_W", "RP_E", "RP_R", "RP_T", "RP_Y", "RP_U", "RP_I", "RP_O", "RP_P", "RP_AD", "RP_RS",
    "RP_A", "RP_S", "RP_D", "RP_F", "RP_G", "RP_H", "RP_J", "RP_K", "RP_L", "RP_SK", "RP_KR", "RP_LS",
    "RP_Z", "RP_X", "RP_C", "RP_V", "RP_B", "RP_N", "RP_M", "RP_KM", "RP_PR", "RP_SR", "RP_AB",
    "RP_SPC", "RP_SFT", "RP_SFTR",
};
static_assert(std::size(kCapNames) == kKeyCapCount);

constexpr std::array<ControlDesign, kKeyCapCount> RomajiCaps() {
  std::array<ControlDesign, kKeyCapCount> rows{};
  for (std::size_t i = 0; i < kKeyCapCount; ++i)
    rows[i] = KeyCapRow(kKeyCaps[i], kCapNames[i], "RjP10", kKeyCaps[i].drillCaption, kRomajiCapTag);
  return rows;
}

constexpr ControlDesign kRomajiResults[] = {
    // the results over the drill: figures, then the list's top 10 for the time setting
    {.kind = Kind::Panel, .name = "RjP2", .parent = "RjPanel", .left = 4, .top = 24,
     .width = 474, .height = 272, .color = clr::Black, .visible = false,
     .align = Align::Center},
    {.kind = Kind::Label, .name = "RjL20", .parent = "RjP2", .left = 12, .top = 4,
     .caption = "結果", .fontColor = clr::Yellow},
    {.kind = Kind::Label, .name = "RjL21", .parent = "RjP2", .left = 12, .top = 24,
     .caption = "", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "RjL22", .parent = "RjP2", .left = 12, .top = 100,
     .caption = "", .fontColor = clr::White},
    // a click acts like Space
    {.kind = Kind::Panel, .name = "RjP3", .parent = "RjP2", .left = 176, .top = 244,
     .width = 121, .height = 21, .caption = "PRESS SPACE KEY", .color = clr::Black,
     .fontColor = clr::Yellow, .align = Align::Center},
};

constexpr auto kRomaji = Join(std::to_array(kRomajiTop), RomajiCaps(), std::to_array(kRomajiResults));

}  // namespace

std::span<const ControlDesign> RomajiScreen() { return kRomaji; }

}  // namespace ui::design
// clang-format on
