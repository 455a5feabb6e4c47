// The drill screens: name entry F7Panel, results F4Panel, splash F8Panel, the drill itself
// F1Panel with its keyboard, and mode select F6Panel.
#include "ui/DesignScreens.h"

// The tables are laid out by hand, a row a control.
// clang-format off

namespace ui::design {
namespace {

constexpr ControlDesign kNameEntry[] = {
    // name entry for a top-10 place, centred on black
    {.kind = Kind::Panel, .name = "F7Panel", .width = 482, .height = 302, .color = clr::Black,
     .visible = false, .align = Align::Center, .bevelOuter = Bevel::Raised},
    {.kind = Kind::Label, .name = "F7L1", .parent = "F7Panel", .left = 222, .top = 90,
     .caption = "No.", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "F7L2", .parent = "F7Panel", .left = 164, .top = 148,
     .caption = "名前(10asc)", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "F7L3", .parent = "F7Panel", .left = 171, .top = 60,
     .caption = "１０位以内に入りました.", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "F7L4", .parent = "F7Panel", .left = 147, .top = 120,
     .caption = "あなたのお名前は?(keyboard入力)", .fontColor = clr::Yellow},
    {.kind = Kind::Label, .name = "F7L5", .parent = "F7Panel", .left = 195, .top = 180,
     .caption = "Enter key:次へ.", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "F7L6", .parent = "F7Panel", .left = 242, .top = 90,
     .caption = "1", .fontColor = clr::Yellow},
    {.kind = Kind::Edit, .name = "F7M1", .parent = "F7Panel", .left = 236, .top = 145,
     .width = 81, .height = 17, .color = clr::Black, .fontColor = clr::Lime, .maxBytes = 10},
    {.kind = Kind::Panel, .name = "F7P1", .parent = "F7Panel", .left = 216, .top = 204,
     .width = 49, .height = 17, .caption = "[Enter]", .color = clr::Black,
     .fontColor = clr::Red, .align = Align::Center, .bevelOuter = Bevel::Raised},
};

constexpr ControlDesign kResults[] = {
    // results and top-10 table
    {.kind = Kind::Panel, .name = "F4Panel", .width = 482, .height = 302, .color = clr::Black,
     .visible = false, .align = Align::Center, .bevelOuter = Bevel::Raised},
    {.kind = Kind::Label, .name = "F4L13", .parent = "F4Panel", .left = 16, .top = 8,
     .caption = "DOJKA  TOP 10", .fontColor = clr::Red},
    {.kind = Kind::Label, .name = "F4L14", .parent = "F4Panel", .left = 120, .top = 8,
     .caption = "ABC( 30s)", .fontColor = clr::Yellow},
    // the list: header, ten rows 14 pixels apart, the last result and its rate
    {.kind = Kind::Panel, .name = "F4P2", .parent = "F4Panel", .left = 16, .top = 30,
     .width = 450, .height = 222, .color = clr::Black, .align = Align::Center},
    {.kind = Kind::Label, .name = "F4L15", .parent = "F4P2", .left = 69, .top = 4,
     .caption = "class rank  - NAME -   SCORE   GOOD    MISS    key/s",
     .fontColor = clr::Fuchsia},
    {.kind = Kind::Label, .name = "c_no1", .parent = "F4P2", .left = 69, .top = 22,
     .caption = "  *     1  dojokai     03000   00187   00000   6.233", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "c_no2", .parent = "F4P2", .left = 69, .top = 36,
     .caption = "  *     2  dojokai     02000   00125   00000   4.166", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "c_no3", .parent = "F4P2", .left = 69, .top = 50,
     .caption = "  *     3  dojokai     01000   00062   00000   2.066", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "c_no4", .parent = "F4P2", .left = 69, .top = 64,
     .caption = "  *     4  dojokai     00900   00056   00000   1.866", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "c_no5", .parent = "F4P2", .left = 69, .top = 78,
     .caption = "  *     5  dojokai     00800   00050   00000   1.666", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "c_no6", .parent = "F4P2", .left = 69, .top = 92,
     .caption = "  *     6  dojokai     00700   00043   00000   1.433", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "c_no7", .parent = "F4P2", .left = 69, .top = 106,
     .caption = "  *     7  dojokai     00600   00037   00000   1.233", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "c_no8", .parent = "F4P2", .left = 69, .top = 120,
     .caption = "  *     8  dojokai     00500   00031   00000   1.033", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "c_no9", .parent = "F4P2", .left = 69, .top = 134,
     .caption = "  *     9  dojokai     00400   00025   00000   0.833", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "c_no10", .parent = "F4P2", .left = 69, .top = 148,
     .caption = "  *    10  dojokai     00300   00018   00000   0.600", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "F4L36", .parent = "F4P2", .left = 135, .top = 170,
     .caption = "result", .fontColor = clr::Aqua, .visible = false},
    {.kind = Kind::Label, .name = "F4L37", .parent = "F4P2", .left = 207, .top = 170,
     .caption = "00000   00000   00000", .fontColor = clr::Aqua, .visible = false},
    {.kind = Kind::Label, .name = "F4L26", .parent = "F4P2", .left = 279, .top = 188,
     .caption = "shot  0.000 key/s", .fontColor = clr::Aqua, .visible = false},
    // header of the missed-key pictures, shown instead of the list
    {.kind = Kind::Panel, .name = "F4P3", .parent = "F4Panel", .left = 16, .top = 30,
     .width = 450, .height = 28, .color = clr::Black, .visible = false,
     .align = Align::Center},
    {.kind = Kind::Label, .name = "F4L2", .parent = "F4P3", .left = 8, .top = 8,
     .caption = "Miss shot key.", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "F4L29", .parent = "F4P3", .left = 120, .top = 8,
     .caption = "(MAX 255(65535)key count.)", .fontColor = clr::Red},
    // missed-key pictures: Latin and kana
    {.kind = Kind::Image, .name = "F4I1", .parent = "F4Panel", .left = 14, .top = 64,
     .width = 452, .height = 160, .visible = false},
    {.kind = Kind::Image, .name = "F4I2", .parent = "F4Panel", .left = 14, .top = 64,
     .width = 457, .height = 160, .visible = false},
    // a click acts like Space
    {.kind = Kind::Panel, .name = "F4P1", .parent = "F4Panel", .left = 180, .top = 262,
     .width = 121, .height = 21, .caption = "PRESS SPACE KEY", .color = clr::Black,
     .fontColor = clr::Yellow, .align = Align::Center},
};

constexpr ControlDesign kSplash[] = {
    // drill-end splash: one picture filling the panel
    {.kind = Kind::Panel, .name = "F8Panel", .width = 482, .height = 302, .color = clr::Black,
     .visible = false, .align = Align::Center, .bevelOuter = Bevel::Raised},
    {.kind = Kind::Image, .name = "F8I1", .parent = "F8Panel", .width = 482, .height = 302},
};

constexpr ControlDesign kDrillTop[] = {
    // the drill screen
    {.kind = Kind::Panel, .name = "F1Panel", .width = 482, .height = 302, .color = clr::Black,
     .visible = false, .align = Align::Center, .bevelOuter = Bevel::Raised},
    // score line
    {.kind = Kind::Label, .name = "F1L1", .parent = "F1Panel", .left = 64, .top = 38,
     .caption = "TIME:", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "F1L2", .parent = "F1Panel", .left = 96, .top = 38,
     .caption = "030.0", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "F1L3", .parent = "F1Panel", .left = 186, .top = 38,
     .caption = "SCORE:", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "F1L4", .parent = "F1Panel", .left = 225, .top = 38,
     .caption = "00000", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "F1L5", .parent = "F1Panel", .left = 282, .top = 38,
     .caption = "GOOD:", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "F1L6", .parent = "F1Panel", .left = 318, .top = 38,
     .caption = "0", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "F1L7", .parent = "F1Panel", .left = 362, .top = 38,
     .caption = "MISS:", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "F1L8", .parent = "F1Panel", .left = 392, .top = 38,
     .caption = "0", .fontColor = clr::Aqua},
    // typing rate (T switch)
    {.kind = Kind::Label, .name = "F1L23", .parent = "F1Panel", .left = 220, .top = 54,
     .caption = " 0.000 k/s", .fontColor = clr::Yellow, .visible = false,
     .transparent = true},
    // text window; the character to type shows white over its middle cell, the caret below
    {.kind = Kind::Label, .name = "F1L9", .parent = "F1Panel", .left = 198, .top = 68,
     .caption = "     abcdef", .fontColor = clr::Fuchsia, .fontHeight = 16},
    {.kind = Kind::Label, .name = "F1L15", .parent = "F1Panel", .left = 198, .top = 68,
     .caption = "     a", .fontColor = clr::White, .fontHeight = 16, .transparent = true},
    {.kind = Kind::Label, .name = "F1L10", .parent = "F1Panel", .left = 232, .top = 86,
     .caption = "＾", .fontColor = clr::Yellow, .fontHeight = 19, .bold = true},
    // the on-screen keyboard; its caps follow
    {.kind = Kind::Panel, .name = "F1P3", .parent = "F1Panel", .left = 8, .top = 104,
     .width = 465, .height = 178, .color = clr::Black, .align = Align::Center},
};

constexpr ControlDesign kDrillBottom[] = {
    // the lid over the keyboard (K switch) with the split-time scoreboard
    {.kind = Kind::Panel, .name = "F1P1", .parent = "F1Panel", .left = 4, .top = 104,
     .width = 473, .height = 178, .color = clr::Black, .visible = false,
     .align = Align::Center, .bevelOuter = Bevel::Raised},
    {.kind = Kind::Panel, .name = "F1P2", .parent = "F1P1", .left = 167, .top = 25,
     .width = 137, .height = 17, .caption = "TIME  SCORE  HSCORE", .color = clr::Navy,
     .fontColor = clr::White, .align = Align::Center},
    {.kind = Kind::Label, .name = "Label39", .parent = "F1P1", .left = 186, .top = 7,
     .caption = "No. 1 ### TOP ###", .fontColor = clr::Red},
    {.kind = Kind::Label, .name = "F1L16", .parent = "F1P1", .left = 179, .top = 49,
     .caption = "000s  00000  00000", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "F1L17", .parent = "F1P1", .left = 179, .top = 65,
     .caption = "000s  00000  00000", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "F1L18", .parent = "F1P1", .left = 179, .top = 81,
     .caption = "000s  00000  00000", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "F1L19", .parent = "F1P1", .left = 179, .top = 97,
     .caption = "000s  00000  00000", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "F1L20", .parent = "F1P1", .left = 179, .top = 113,
     .caption = "000s  00000  00000", .fontColor = clr::White},
    // abort button: a click acts like Esc
    {.kind = Kind::Panel, .name = "F1P50", .parent = "F1Panel", .left = 4, .top = 10,
     .width = 37, .height = 17, .caption = "[ESC]", .color = clr::Black,
     .fontColor = clr::Yellow, .align = Align::Center, .bevelOuter = Bevel::Raised,
     .hint = "中止後得点表へ"},
    // bottom line, refreshed by the title timer
    {.kind = Kind::Label, .name = "F1L21", .parent = "F1Panel", .left = 32, .top = 285,
     .caption = "00000", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "F1L24", .parent = "F1Panel", .left = 72, .top = 285,
     .caption = "00000", .fontColor = clr::Lime},
    {.kind = Kind::Label, .name = "F1L25", .parent = "F1Panel", .left = 112, .top = 285,
     .caption = "000:00.00s", .fontColor = clr::Yellow},
    {.kind = Kind::Label, .name = "F1L22", .parent = "F1Panel", .left = 312, .top = 285,
     .caption = "2026/12/06(日) 10:00.00s", .fontColor = clr::Aqua},
};

constexpr auto kDrill = Join(std::to_array(kDrillTop), KeyCapRows(Keyboard::Drill),
                             std::to_array(kDrillBottom));

constexpr ControlDesign kModeSelect[] = {
    // mode select: fixed-pitch 13-pixel texts on black
    {.kind = Kind::Panel, .name = "F6Panel", .width = 482, .height = 302, .color = clr::Black,
     .fontHeight = 13, .visible = false, .align = Align::Center, .bevelOuter = Bevel::Raised},
    // spinner glyph turned by the title timer, and a label never shown
    {.kind = Kind::Label, .name = "F6L1", .parent = "F6Panel", .left = 452, .top = 16,
     .caption = "―", .fontColor = clr::White, .fontHeight = 13},
    {.kind = Kind::Label, .name = "F6L2", .parent = "F6Panel", .left = 13, .top = 280,
     .caption = "MODE SELECT", .fontColor = clr::White, .fontHeight = 13, .visible = false},
    {.kind = Kind::Label, .name = "F6L3", .parent = "F6Panel", .left = 13, .top = 16,
     .caption = "[ESC] : TITLE", .fontColor = clr::Yellow},
    // time and mode fields; clicks cycle them
    {.kind = Kind::Panel, .name = "F6P6", .parent = "F6Panel", .left = 200, .top = 37,
     .width = 33, .height = 17, .caption = "TIME", .color = clr::Black,
     .fontColor = clr::White, .fontHeight = 13, .align = Align::Center},
    {.kind = Kind::Panel, .name = "F6P2", .parent = "F6Panel", .left = 236, .top = 37,
     .width = 49, .height = 17, .caption = " 30s", .color = clr::Black,
     .fontColor = clr::White, .fontHeight = 13, .align = Align::Center,
     .bevelOuter = Bevel::Raised, .hint = "30,60,120が選べます"},
    {.kind = Kind::Panel, .name = "F6P3", .parent = "F6Panel", .left = 330, .top = 37,
     .width = 73, .height = 17, .caption = "[ ABC ]", .color = clr::Black,
     .fontColor = clr::Yellow, .fontHeight = 13, .align = Align::Center,
     .bevelOuter = Bevel::Raised, .hint = "ここで押すとモード変更"},
    // the eight modes in two columns, tag = mode
    {.kind = Kind::Label, .name = "F6L11", .parent = "F6Panel", .left = 92, .top = 76,
     .caption = "[1] Key to ABC mode.", .fontColor = clr::Yellow, .fontHeight = 13, .tag = 0},
    {.kind = Kind::Label, .name = "F6L12", .parent = "F6Panel", .left = 92, .top = 100,
     .caption = "[2] Key to HAO mode.", .fontColor = clr::Lime, .fontHeight = 13, .tag = 1},
    {.kind = Kind::Label, .name = "F6L13", .parent = "F6Panel", .left = 92, .top = 124,
     .caption = "[3] Key to RND mode.", .fontColor = clr::Aqua, .fontHeight = 13, .tag = 2},
    {.kind = Kind::Label, .name = "F6L14", .parent = "F6Panel", .left = 92, .top = 148,
     .caption = "[4] Key to ZYX mode.", .fontColor = clr::Fuchsia, .fontHeight = 13,
     .tag = 3},
    {.kind = Kind::Label, .name = "F6L15", .parent = "F6Panel", .left = 244, .top = 76,
     .caption = "[5] Key to ｱｲｳ mode.", .fontColor = clr::Yellow, .fontHeight = 13,
     .tag = 4},
    {.kind = Kind::Label, .name = "F6L16", .parent = "F6Panel", .left = 244, .top = 100,
     .caption = "[6] Key to ﾃﾐｽ mode.", .fontColor = clr::Lime, .fontHeight = 13, .tag = 5},
    {.kind = Kind::Label, .name = "F6L17", .parent = "F6Panel", .left = 244, .top = 124,
     .caption = "[7] Key to ｴﾗｲ mode.", .fontColor = clr::Aqua, .fontHeight = 13, .tag = 6},
    {.kind = Kind::Label, .name = "F6L5", .parent = "F6Panel", .left = 244, .top = 148,
     .caption = "[0] Key to ... mode.", .fontColor = clr::Fuchsia, .fontHeight = 13,
     .tag = 7},
    // how to start
    {.kind = Kind::Label, .name = "F6L18", .parent = "F6Panel", .left = 139, .top = 194,
     .caption = "数値キーを押すとスタートします.", .fontColor = clr::White, .fontHeight = 13},
    {.kind = Kind::Label, .name = "F6L19", .parent = "F6Panel", .left = 154, .top = 212,
     .caption = "SPACE Keyを押すと時間を変更", .fontColor = clr::Yellow, .fontHeight = 13},
    {.kind = Kind::Label, .name = "F6L20", .parent = "F6Panel", .left = 99, .top = 245,
     .caption = "[Enter] で前回と同じモードスタート(TABで変更可).", .fontColor = clr::Aqua,
     .fontHeight = 13},
};

}  // namespace

std::span<const ControlDesign> NameEntryScreen() { return kNameEntry; }
std::span<const ControlDesign> ResultsScreen() { return kResults; }
std::span<const ControlDesign> SplashScreen() { return kSplash; }
std::span<const ControlDesign> DrillScreen() { return kDrill; }

// The kana-lock lamps of the drill, the lesson and the mode-select screen, lit while the kana
// lock is on. They come last of all controls, so every other control keeps its place in the window's list
// (and in the scaling table indexed by it), and they lie on top of their screens.
constexpr ControlDesign kKanaLamps[] = {
    {.kind = Kind::Label, .name = "F1L26", .parent = "F1Panel", .left = 440, .top = 10,
     .width = 30, .height = 14, .caption = "かな", .color = clr::Red, .fontColor = clr::White,
     .visible = false, .autoSize = false, .align = Align::Center},
    {.kind = Kind::Label, .name = "FLL14", .parent = "FLPanel", .left = 440, .top = 284,
     .width = 30, .height = 14, .caption = "かな", .color = clr::Red, .fontColor = clr::White,
     .visible = false, .autoSize = false, .align = Align::Center},
    {.kind = Kind::Label, .name = "F6L21", .parent = "F6Panel", .left = 440, .top = 284,
     .width = 30, .height = 14, .caption = "かな", .color = clr::Red, .fontColor = clr::White,
     .visible = false, .autoSize = false, .align = Align::Center},
};

std::span<const ControlDesign> KanaLamps() { return kKanaLamps; }
std::span<const ControlDesign> ModeSelectScreen() { return kModeSelect; }

}  // namespace ui::design
// clang-format on
