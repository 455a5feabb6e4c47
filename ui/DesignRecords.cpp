// Settings Panel11 and the about screen F5Panel: dialog-like screens on the button face.
#include "ui/DesignScreens.h"

// The tables are laid out by hand, a row a control.
// clang-format off

namespace ui::design {
namespace {

constexpr ControlDesign kSettings[] = {
    // settings
    {.kind = Kind::Panel, .name = "Panel11", .width = 482, .height = 302,
     .color = clr::BtnFace, .visible = false, .align = Align::Center,
     .bevelOuter = Bevel::Raised},
    // where the data file lives
    {.kind = Kind::GroupBox, .name = "GroupBox1", .parent = "Panel11", .left = 32, .top = 8,
     .width = 414, .height = 81, .caption = "dojokai.datの読み込み・書き込み場所 (dojokai.cfg)"},
    {.kind = Kind::CheckBox, .name = "CheckBox1", .parent = "GroupBox1", .left = 8, .top = 16,
     .width = 289, .height = 17, .caption = "読み込み・書き込む場所を指定する"},
    {.kind = Kind::Label, .name = "Label42", .parent = "GroupBox1", .left = 8, .top = 40,
     .caption = "場所"},
    {.kind = Kind::Edit, .name = "Edit1", .parent = "GroupBox1", .left = 40, .top = 36,
     .width = 366, .height = 20, .color = clr::Window,
     .hint = "パス名のみを記入してください", .maxBytes = 250},
    {.kind = Kind::Panel, .name = "Panel12", .parent = "GroupBox1", .left = 40, .top = 56,
     .width = 366, .height = 17, .align = Align::Left, .bevelOuter = Bevel::Lowered,
     .hint = "dojokai.datの実際に保存される場所を表示します"},
    // start-up options kept in the configuration file
    {.kind = Kind::GroupBox, .name = "GroupBox2", .parent = "Panel11", .left = 32, .top = 96,
     .width = 249, .height = 107, .caption = "設定 1 (dojokai.cfg)"},
    {.kind = Kind::CheckBox, .name = "CheckBox2", .parent = "GroupBox2", .left = 8, .top = 16,
     .width = 233, .height = 17, .caption = "スイッチを初期化(R,C,S,K,L,+,B,T)"},
    {.kind = Kind::CheckBox, .name = "CheckBox4", .parent = "GroupBox2", .left = 8, .top = 32,
     .width = 236, .height = 17, .caption = "dojokai.datを読み書きしない"},
    {.kind = Kind::CheckBox, .name = "CheckBox5", .parent = "GroupBox2", .left = 8, .top = 48,
     .width = 232, .height = 17, .caption = "起動直後 Z キーを押した扱いにする",
     .hint = "起動直後のブランド名表示待ちもスキップします"},
    {.kind = Kind::CheckBox, .name = "CheckBox6", .parent = "GroupBox2", .left = 8, .top = 64,
     .width = 232, .height = 17, .caption = "タイトル画面で得点表示しない",
     .hint = "一定時間ごとの得点表示を抑制"},
    {.kind = Kind::CheckBox, .name = "CheckBox7", .parent = "GroupBox2", .left = 8, .top = 80,
     .width = 232, .height = 17, .caption = "起動時dojokai.bmp(.jpg)を読み込む",
     .hint = "ブランドロゴを変更できます"},
    // option kept in the data file
    {.kind = Kind::GroupBox, .name = "GroupBox4", .parent = "Panel11", .left = 285, .top = 96,
     .width = 161, .height = 41, .caption = "設定 2(dojokai.dat)"},
    {.kind = Kind::CheckBox, .name = "CheckBox3", .parent = "GroupBox4", .left = 8, .top = 16,
     .width = 137, .height = 17, .caption = "起動時画面を最大化"},
    // state of the data file, written by the loader
    {.kind = Kind::GroupBox, .name = "GroupBox5", .parent = "Panel11", .left = 285,
     .top = 139, .width = 161, .height = 41, .caption = "dojokai.datの状態"},
    {.kind = Kind::Panel, .name = "Panel13", .parent = "GroupBox5", .left = 8, .top = 15,
     .width = 145, .height = 20, .align = Align::Center, .bevelOuter = Bevel::Lowered},
    // the two destructive operations
    {.kind = Kind::GroupBox, .name = "GroupBox3", .parent = "Panel11", .left = 285,
     .top = 183, .width = 161, .height = 63, .caption = "認定,得点 (dojokai.dat)"},
    {.kind = Kind::Label, .name = "Label43", .parent = "GroupBox3", .left = 3, .top = 18,
     .caption = "  認定記録の消去  ", .color = clr::Red, .fontColor = clr::White},
    {.kind = Kind::Button, .name = "Button2", .parent = "GroupBox3", .left = 113, .top = 16,
     .width = 41, .height = 17, .caption = "消去", .fontColor = clr::Red},
    {.kind = Kind::Label, .name = "Label46", .parent = "GroupBox3", .left = 3, .top = 40,
     .caption = "  得点の初期化  ", .color = clr::Yellow},
    {.kind = Kind::Button, .name = "Button3", .parent = "GroupBox3", .left = 113, .top = 39,
     .width = 41, .height = 17, .caption = "初期化"},
    // permanent restart notice and the close button
    {.kind = Kind::Label, .name = "Label41", .parent = "Panel11", .left = 69, .top = 252,
     .width = 342, .height = 12,
     .caption = "   設定を有効にするには、dojokaiを終了し再び起動してください   ",
     .color = clr::Aqua, .fontColor = clr::Blue, .autoSize = false, .align = Align::Center},
    {.kind = Kind::Button, .name = "Button1", .parent = "Panel11", .left = 200, .top = 272,
     .width = 81, .height = 17, .caption = "閉じる"},
};

// The keyboard the player has (KEYBOARD in the configuration file), in the free corner
// under the start-up options. These rows come after every other control of the window
// (after the kana-lock lamps), so that no other control changes its place in the list.
constexpr ControlDesign kKeyboardChoice[] = {
    {.kind = Kind::GroupBox, .name = "GroupBox6", .parent = "Panel11", .left = 32, .top = 206,
     .width = 249, .height = 41, .caption = "キーボード (dojokai.cfg)"},
    {.kind = Kind::RadioButton, .name = "RadioButton1", .parent = "GroupBox6", .left = 8, .top = 16,
     .width = 48, .height = 17, .caption = "自動",
     .hint = "キー配列から判定します (読めないときは JIS)"},
    {.kind = Kind::RadioButton, .name = "RadioButton2", .parent = "GroupBox6", .left = 58, .top = 16,
     .width = 42, .height = 17, .caption = "JIS", .hint = "日本語 (JIS) キーボード"},
    {.kind = Kind::RadioButton, .name = "RadioButton3", .parent = "GroupBox6", .left = 102, .top = 16,
     .width = 38, .height = 17, .caption = "US", .hint = "英語 (US) キーボード"},
    // What the game goes by in this run, and why.
    {.kind = Kind::Label, .name = "Label52", .parent = "GroupBox6", .left = 142, .top = 18,
     .width = 100, .height = 12, .autoSize = false},
};

constexpr ControlDesign kAbout[] = {
    // about
    {.kind = Kind::Panel, .name = "F5Panel", .width = 482, .height = 302,
     .color = clr::BtnFace, .visible = false, .align = Align::Center,
     .bevelOuter = Bevel::Raised},
    // frame around everything but the close panel
    {.kind = Kind::Panel, .name = "F5P2", .parent = "F5Panel", .left = 21, .top = 7,
     .width = 440, .height = 257, .align = Align::Center, .bevelInner = Bevel::Raised,
     .bevelOuter = Bevel::Lowered, .bevelWidth = 3},
    // title box: name and features
    {.kind = Kind::Panel, .name = "F5P5", .parent = "F5P2", .left = 81, .top = 15,
     .width = 337, .height = 72, .align = Align::Center, .bevelOuter = Bevel::Raised,
     .bevelWidth = 8},
    {.kind = Kind::Label, .name = "F5L1", .parent = "F5P5", .left = 24, .top = 14,
     .width = 305, .height = 19, .caption = "キーボード練習 DOJOKAI v3 for Win 7,Vista",
     .fontColor = clr::Blue, .autoSize = false, .align = Align::Center},
    {.kind = Kind::Label, .name = "F5L4", .parent = "F5P5", .left = 56, .top = 35,
     .width = 265, .height = 21, .caption = "7モード・指の位置レッスン・TOP10・認定級",
     .fontColor = clr::Teal, .autoSize = false, .align = Align::Center},
    // small picture in a white frame
    {.kind = Kind::Panel, .name = "F5P4", .parent = "F5P2", .left = 16, .top = 24,
     .width = 59, .height = 59, .color = clr::White, .align = Align::Center,
     .bevelOuter = Bevel::Raised, .bevelWidth = 10},
    {.kind = Kind::Image, .name = "F5I1", .parent = "F5P4", .left = 13, .top = 13,
     .width = 33, .height = 33},
    // notice box: terms of use and the word list in use
    {.kind = Kind::Panel, .name = "F5P6", .parent = "F5P2", .left = 22, .top = 95,
     .width = 405, .height = 76, .align = Align::Center, .bevelOuter = Bevel::Raised,
     .bevelWidth = 3},
    {.kind = Kind::Label, .name = "Label44", .parent = "F5P6", .left = 12, .top = 16,
     .caption = "(ご注意)使用者の責任において使用または利用してください.",
     .fontColor = clr::Red, .fontHeight = 11},
    {.kind = Kind::Label, .name = "F5L9", .parent = "F5P6", .left = 14, .top = 42,
     .caption = "[DIC]Ver20120101|00:00:00", .fontColor = clr::Teal},
    // credit box
    {.kind = Kind::Panel, .name = "F5P3", .parent = "F5P2", .left = 46, .top = 188,
     .width = 329, .height = 59, .color = clr::White, .align = Align::Center,
     .bevelOuter = Bevel::Raised, .bevelWidth = 5},
    {.kind = Kind::Image, .name = "F5I2", .parent = "F5P3", .left = 8, .top = 8,
     .width = 33, .height = 33},
    {.kind = Kind::Label, .name = "Label30", .parent = "F5P3", .left = 56, .top = 12,
     .caption = "制作 dojokai プロジェクト"},
    {.kind = Kind::Label, .name = "F5L2", .parent = "F5P3", .left = 56, .top = 34,
     .caption = "----", .fontColor = clr::Navy},
    // square whose bevel the title timer animates
    {.kind = Kind::Panel, .name = "F5P7", .parent = "F5P2", .left = 400, .top = 208,
     .width = 25, .height = 25, .align = Align::Center, .bevelOuter = Bevel::Raised,
     .bevelWidth = 8},
    // a click closes the screen
    {.kind = Kind::Panel, .name = "F5P1", .parent = "F5Panel", .left = 192, .top = 272,
     .width = 97, .height = 25, .caption = "閉じる", .align = Align::Center},
};

}  // namespace

std::span<const ControlDesign> SettingsScreen() { return kSettings; }
std::span<const ControlDesign> KeyboardChoice() { return kKeyboardChoice; }
std::span<const ControlDesign> AboutScreen() { return kAbout; }

}  // namespace ui::design
// clang-format on
