// Title screen Panel1: start picture, logo, switches, clocks, brief help and the
// information panel Panel6 that lies over all of it.
#include "ui/DesignScreens.h"

// The tables are laid out by hand, a row a control.
// clang-format off

namespace ui::design {
namespace {

constexpr ControlDesign kTitle[] = {
    // the title screen: white, no bevel, the only screen shown at start
    {.kind = Kind::Panel, .name = "Panel1", .width = 482, .height = 302, .color = clr::White,
     .align = Align::Center},
    // start picture below everything else; while shown it hides the title until the intro ends
    {.kind = Kind::Image, .name = "Image3", .parent = "Panel1", .width = 480, .height = 300},
    // logo, dropped in from above by the title timer
    {.kind = Kind::Image, .name = "Image2", .parent = "Panel1", .left = 190, .top = 16,
     .width = 100, .height = 100, .visible = false, .transparent = true},
    // blinking prompt picture
    {.kind = Kind::Image, .name = "Image1", .parent = "Panel1", .left = 177, .top = 112,
     .width = 126, .height = 12, .visible = false, .transparent = true},

    // the switches: silver and transparent while off, their colours when on;
    // tag = switch handled by Label6Click
    {.kind = Kind::Label, .name = "Label6", .parent = "Panel1", .left = 218, .top = 136,
     .caption = "REVERSE", .color = clr::Silver, .fontColor = clr::Silver, .visible = false, .tag = 0,
     .transparent = true, .align = Align::Center},
    {.kind = Kind::Label, .name = "Label7", .parent = "Panel1", .left = 218, .top = 152,
     .caption = "CHKMODE", .color = clr::Aqua, .fontColor = clr::Silver, .visible = false, .tag = 1,
     .transparent = true, .align = Align::Center},
    {.kind = Kind::Label, .name = "Label2", .parent = "Panel1", .left = 218, .top = 168,
     .caption = "SCS OFF", .color = clr::Blue, .fontColor = clr::Silver, .visible = false, .tag = 2,
     .transparent = true, .align = Align::Center},
    {.kind = Kind::Label, .name = "Label9", .parent = "Panel1", .left = 218, .top = 184,
     .caption = "KEY OFF", .color = clr::Fuchsia, .fontColor = clr::Silver, .visible = false, .tag = 3,
     .transparent = true, .align = Align::Center},
    {.kind = Kind::Label, .name = "Label8", .parent = "Panel1", .left = 218, .top = 200,
     .caption = "LICENCE", .color = clr::Red, .fontColor = clr::Silver, .visible = false, .tag = 4,
     .transparent = true, .align = Align::Center},
    {.kind = Kind::Label, .name = "Label10", .parent = "Panel1", .left = 218, .top = 216,
     .caption = "B/S OFF", .color = clr::Lime, .fontColor = clr::Silver, .visible = false, .tag = 5,
     .transparent = true, .align = Align::Center},
    {.kind = Kind::Label, .name = "Label11", .parent = "Panel1", .left = 218, .top = 232,
     .caption = "Typ/sec", .color = clr::Yellow, .fontColor = clr::Silver, .visible = false, .tag = 6,
     .transparent = true, .align = Align::Center},

    // click targets down the left edge
    {.kind = Kind::Label, .name = "Label47", .parent = "Panel1", .left = 4, .top = 60,
     .caption = "情報", .color = clr::Silver, .fontColor = clr::Maroon, .visible = false, .transparent = true,
     .hint = "内部情報を表示します"},
    {.kind = Kind::Label, .name = "Label48", .parent = "Panel1", .left = 4, .top = 7,
     .caption = "ESC", .color = clr::Silver, .fontColor = clr::Navy, .visible = false, .transparent = true,
     .hint = "終了ボタン"},
    {.kind = Kind::Label, .name = "Label49", .parent = "Panel1", .left = 4, .top = 24,
     .caption = "SPC", .color = clr::Silver, .fontColor = clr::Blue, .visible = false, .transparent = true,
     .hint = "Space Keyと同じ"},
    {.kind = Kind::Label, .name = "Label50", .parent = "Panel1", .left = 4, .top = 42,
     .caption = "設定", .visible = false, .transparent = true, .hint = "設定変更(F2 key)"},
    {.kind = Kind::Label, .name = "Label51", .parent = "Panel1", .left = 4, .top = 78,
     .caption = "説明", .fontColor = clr::Green, .visible = false, .transparent = true,
     .hint = "簡易説明表示(F1 key)"},

    // credit line (opens the about screen), version and build labels (V key)
    {.kind = Kind::Label, .name = "Label1", .parent = "Panel1", .left = 196, .top = 258,
     .caption = "(c) dojokai project", .fontColor = clr::Navy, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label4", .parent = "Panel1", .left = 68, .top = 256,
     .caption = "ver 3.1.0.0", .fontColor = clr::Navy, .visible = false},
    {.kind = Kind::Label, .name = "Label5", .parent = "Panel1", .left = 312, .top = 256,
     .caption = "<20210714p>", .fontColor = clr::Navy, .visible = false},

    // bottom line: today's hits, hits since start, uptime, date and time; certification stars
    {.kind = Kind::Label, .name = "Label21", .parent = "Panel1", .left = 32, .top = 285,
     .caption = "00000", .fontColor = clr::Blue, .visible = false},
    {.kind = Kind::Label, .name = "Label24", .parent = "Panel1", .left = 72, .top = 285,
     .caption = "00000", .fontColor = clr::Green, .visible = false},
    {.kind = Kind::Label, .name = "Label25", .parent = "Panel1", .left = 112, .top = 285,
     .caption = "000:00.00s", .fontColor = clr::Maroon, .visible = false},
    {.kind = Kind::Label, .name = "Label22", .parent = "Panel1", .left = 320, .top = 285,
     .caption = "2026/12/06(日) 10:00.00s", .fontColor = clr::Blue, .visible = false},
    {.kind = Kind::Label, .name = "Label45", .parent = "Panel1", .left = 219, .top = 282,
     .caption = "☆", .fontColor = clr::Red, .visible = false},

    // top right: data-file warning, 100% button, manual (kept hidden)
    {.kind = Kind::Image, .name = "Image4", .parent = "Panel1", .left = 461, .top = 48,
     .width = 17, .height = 16, .visible = false, .hint = "データは保存不可"},
    {.kind = Kind::SpeedButton, .name = "SpeedButton2", .parent = "Panel1", .left = 462,
     .top = 9, .width = 17, .height = 17, .hint = "100%(F9 key)"},
    {.kind = Kind::Panel, .name = "Panel4", .parent = "Panel1", .left = 462, .top = 28,
     .width = 17, .height = 17, .caption = "?", .color = clr::White, .visible = false,
     .align = Align::Center, .bevelOuter = Bevel::Raised, .hint = "説明書(F10 key)"},

    // brief help (F1): pointers beside the elements they explain, all hidden
    {.kind = Kind::Label, .name = "Label3", .parent = "Panel1", .left = 28, .top = 7,
     .caption = "←EXIT?", .fontColor = clr::Red, .visible = false, .transparent = true},
    {.kind = Kind::Label, .name = "Label14", .parent = "Panel1", .left = 28, .top = 24,
     .caption = "←space keyと同じ", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label15", .parent = "Panel1", .left = 28, .top = 42,
     .caption = "←内部設定の変更", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label16", .parent = "Panel1", .left = 266, .top = 136,
     .caption = "← R ｷｰかclickで ON", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label17", .parent = "Panel1", .left = 266, .top = 152,
     .caption = "← C ｷｰかclickで ON", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label18", .parent = "Panel1", .left = 266, .top = 168,
     .caption = "← S ｷｰかclickで ON", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label19", .parent = "Panel1", .left = 266, .top = 184,
     .caption = "← K ｷｰかclickで ON", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label20", .parent = "Panel1", .left = 266, .top = 200,
     .caption = "← L ｷｰかclickで ON", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label23", .parent = "Panel1", .left = 266, .top = 216,
     .caption = "← B ｷｰかclickで ON", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label26", .parent = "Panel1", .left = 266, .top = 232,
     .caption = "← T ｷｰかclickで ON", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label27", .parent = "Panel1", .left = 345, .top = 50,
     .caption = "Ｒ 表示時保存不可→", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label28", .parent = "Panel1", .left = 32, .top = 270,
     .caption = "***********", .fontColor = clr::Red, .visible = false, .transparent = true},
    // these end at the left edge of the switch they point at
    {.kind = Kind::Label, .name = "Label31", .parent = "Panel1", .left = 96, .top = 136,
     .caption = "キーボード表示反転→", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label32", .parent = "Panel1", .left = 144, .top = 152,
     .caption = "MISSｷｰ表示→", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label33", .parent = "Panel1", .left = 90, .top = 168,
     .caption = "DOS版の機能で非作動→", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label34", .parent = "Panel1", .left = 108, .top = 184,
     .caption = "キーボード非表示→", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label35", .parent = "Panel1", .left = 132, .top = 200,
     .caption = "認定級に挑戦→", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label36", .parent = "Panel1", .left = 96, .top = 216,
     .caption = "大文字小文字区別無→", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    {.kind = Kind::Label, .name = "Label37", .parent = "Panel1", .left = 90, .top = 232,
     .caption = "1秒に押すキー数表示→", .fontColor = clr::Red, .visible = false,
     .transparent = true},
    // key legend, five lines (construction writes the same text)
    {.kind = Kind::Label, .name = "Label38", .parent = "Panel1", .left = 8, .top = 100,
     .caption = "I ｷｰ 内部情報\n+ ｷｰ MISSﾘﾐｯﾀｰ\nX ｷｰ 著作情報\nV ｷｰ 版情報\nZ ｷｰ ???",
     .fontColor = clr::Purple, .visible = false, .transparent = true},
    {.kind = Kind::Label, .name = "Label40", .parent = "Panel1", .left = 388, .top = 12,
     .caption = "画面標準大→", .fontColor = clr::Red, .visible = false, .transparent = true},

    // information panel, an overlay above the whole title; four pages
    {.kind = Kind::Panel, .name = "Panel6", .parent = "Panel1", .left = 6, .width = 468,
     .height = 281, .color = clr::Black, .visible = false, .align = Align::Center,
     .bevelInner = Bevel::Lowered, .bevelWidth = 2},
    // page 1 data summary, pages 2 and 3 missed keys, page 4 certification records
    {.kind = Kind::Image, .name = "Image5", .parent = "Panel6", .left = 76, .top = 8,
     .width = 313, .height = 249},
    {.kind = Kind::Image, .name = "Image7", .parent = "Panel6", .left = 8, .top = 40,
     .width = 452, .height = 160, .visible = false},
    {.kind = Kind::Image, .name = "Image6", .parent = "Panel6", .left = 8, .top = 40,
     .width = 457, .height = 160, .visible = false},
    {.kind = Kind::Image, .name = "Image8", .parent = "Panel6", .left = 240, .top = 56,
     .width = 177, .height = 153, .visible = false},
    // missed-key header of pages 2 and 3
    {.kind = Kind::Panel, .name = "Panel7", .parent = "Panel6", .left = 8, .top = 8,
     .width = 452, .height = 28, .color = clr::Black, .visible = false,
     .align = Align::Center},
    {.kind = Kind::Label, .name = "Label13", .parent = "Panel7", .left = 8, .top = 8,
     .caption = "Miss shot key.", .fontColor = clr::Aqua},
    {.kind = Kind::Label, .name = "Label29", .parent = "Panel7", .left = 120, .top = 8,
     .caption = "(MAX 255(65535)key count.)", .fontColor = clr::Red},
    // registered certificate name of page 4
    {.kind = Kind::Panel, .name = "Panel8", .parent = "Panel6", .left = 248, .top = 24,
     .width = 161, .height = 25, .caption = "< 未登録 >", .color = clr::Black,
     .fontColor = clr::White, .visible = false, .align = Align::Center},
    // the prompt; a click turns the page like a key
    {.kind = Kind::Label, .name = "Label12", .parent = "Panel6", .left = 158, .top = 264,
     .width = 186, .height = 12, .caption = "どれかキーを押してください", .color = clr::Blue,
     .fontColor = clr::Aqua, .autoSize = false, .align = Align::Center},
};

}  // namespace

std::span<const ControlDesign> TitleScreen() { return kTitle; }

}  // namespace ui::design
// clang-format on
