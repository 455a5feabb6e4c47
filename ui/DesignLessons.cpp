// Grade judgement LmPanel and the finger-position lessons FLPanel with their keyboard.
#include "ui/DesignScreens.h"

// The tables are laid out by hand, a row a control.
// clang-format off

namespace ui::design {
namespace {

constexpr ControlDesign kJudgement[] = {
    // grade judgement, a little wider than the other screens
    {.kind = Kind::Panel, .name = "LmPanel", .width = 490, .height = 302, .color = clr::Black,
     .visible = false, .align = Align::Center, .bevelOuter = Bevel::Raised},
    // navy sheet behind the certificate; its caption is the registered-name line
    {.kind = Kind::Panel, .name = "LmP3", .parent = "LmPanel", .left = 16, .top = 8,
     .width = 241, .height = 225, .caption = "登録名:", .color = clr::Navy,
     .fontColor = clr::White, .align = Align::Center, .bevelInner = Bevel::Raised,
     .bevelOuter = Bevel::Lowered, .bevelWidth = 5},
    {.kind = Kind::Image, .name = "LmI1", .parent = "LmP3", .left = 18, .top = 16,
     .width = 204, .height = 193, .visible = false},
    // judgement messages, hidden until a judgement shows one
    {.kind = Kind::Label, .name = "LmL1", .parent = "LmP3", .left = 32, .top = 88,
     .caption = "　すでに１級を取得しています　", .color = clr::Aqua, .fontColor = clr::Blue,
     .visible = false},
    {.kind = Kind::Label, .name = "LmL2", .parent = "LmP3", .left = 32, .top = 120,
     .caption = "   MISSが多すぎます(10以上)   ", .color = clr::Red, .fontColor = clr::Aqua,
     .visible = false},
    {.kind = Kind::Label, .name = "LmL3", .parent = "LmP3", .left = 24, .top = 128,
     .caption = "  合格級の得点を越えていません   ", .color = clr::Yellow,
     .fontColor = clr::Black, .visible = false},
    {.kind = Kind::Label, .name = "LmL4", .parent = "LmP3", .left = 24, .top = 72,
     .width = 201, .height = 12, .caption = "SCORE:00000 GOOD:00000 MISS:00000",
     .fontColor = clr::White, .visible = false, .autoSize = false},
    // a click acts like a key
    {.kind = Kind::Panel, .name = "LmP1", .parent = "LmPanel", .left = 143, .top = 256,
     .width = 193, .height = 25, .caption = "どれかキーを押してください",
     .color = clr::BtnFace, .fontColor = clr::Blue, .align = Align::Center},
    // record table of all grades
    {.kind = Kind::Panel, .name = "LmP2", .parent = "LmPanel", .left = 260, .top = 32,
     .width = 209, .height = 177, .color = clr::Black, .align = Align::Center,
     .bevelOuter = Bevel::Raised, .bevelWidth = 10},
    {.kind = Kind::Image, .name = "LmI2", .parent = "LmP2", .left = 16, .top = 16,
     .width = 177, .height = 145},
};

constexpr ControlDesign kLessonTop[] = {
    // finger-position lessons
    {.kind = Kind::Panel, .name = "FLPanel", .width = 482, .height = 302, .color = clr::Black,
     .visible = false, .align = Align::Center, .bevelOuter = Bevel::Raised},
    // a click acts like Esc
    {.kind = Kind::Panel, .name = "FLP9", .parent = "FLPanel", .left = 8, .top = 8,
     .width = 65, .height = 17, .caption = "ESC:exit", .color = clr::Black,
     .fontColor = clr::Yellow, .align = Align::Center},
    // introduction: key and finger on the left, back to the home position on the right
    {.kind = Kind::Label, .name = "FLL1", .parent = "FLPanel", .left = 128, .top = 32,
     .caption = " ", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "FLL2", .parent = "FLPanel", .left = 128, .top = 48,
     .caption = " ", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "FLL3", .parent = "FLPanel", .left = 128, .top = 64,
     .caption = " ", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "FLL4", .parent = "FLPanel", .left = 128, .top = 80,
     .caption = " ", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "FLL5", .parent = "FLPanel", .left = 144, .top = 8,
     .caption = "lesson 1-1  基本位置", .fontColor = clr::White, .transparent = true},
    {.kind = Kind::Label, .name = "FLL6", .parent = "FLPanel", .left = 280, .top = 32,
     .caption = " ", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "FLL7", .parent = "FLPanel", .left = 280, .top = 48,
     .caption = " ", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "FLL8", .parent = "FLPanel", .left = 280, .top = 64,
     .caption = " ", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "FLL9", .parent = "FLPanel", .left = 280, .top = 80,
     .caption = " ", .fontColor = clr::White},
    {.kind = Kind::Label, .name = "FLL10", .parent = "FLPanel", .left = 384, .top = 8,
     .caption = "TAB:skip", .fontColor = clr::White, .visible = false},
    // practice messages
    {.kind = Kind::Label, .name = "FLL11", .parent = "FLPanel", .left = 122, .top = 56,
     .caption = "  このレッスンは合格です.次に進みます.  ", .color = clr::Yellow,
     .fontColor = clr::Blue, .visible = false},
    {.kind = Kind::Label, .name = "FLL12", .parent = "FLPanel", .left = 110, .top = 56,
     .caption = "   間違えが多すぎます.もう一度練習します.   ", .color = clr::Red,
     .fontColor = clr::White, .visible = false},
    {.kind = Kind::Label, .name = "FLL13", .parent = "FLPanel", .left = 134, .top = 40,
     .caption = "     画面に表示されるキーを入力     ", .color = clr::Blue,
     .fontColor = clr::White, .visible = false},
    // next character to type, and the test score
    {.kind = Kind::Panel, .name = "FLP7", .parent = "FLPanel", .left = 225, .top = 72,
     .width = 33, .height = 22, .caption = "f", .color = clr::Black, .fontColor = clr::Lime,
     .fontHeight = 16, .visible = false, .align = Align::Center},
    {.kind = Kind::Panel, .name = "FLP8", .parent = "FLPanel", .left = 217, .top = 48,
     .width = 49, .height = 17, .caption = "100 点", .color = clr::Black,
     .fontColor = clr::Aqua, .visible = false, .align = Align::Center},
    // the lesson keyboard; its caps follow
    {.kind = Kind::Panel, .name = "FLP10", .parent = "FLPanel", .left = 8, .top = 104,
     .width = 465, .height = 178, .color = clr::Black, .align = Align::Center},
};

constexpr ControlDesign kLessonBottom[] = {
    // ending text over the keyboard; the course fills it in
    {.kind = Kind::Memo, .name = "FLM1", .parent = "FLPanel", .left = 34, .top = 96,
     .width = 417, .height = 177, .color = clr::Black, .fontColor = clr::White,
     .visible = false, .readOnly = true},
};

constexpr auto kLesson = Join(std::to_array(kLessonTop), KeyCapRows(Keyboard::Lesson),
                              std::to_array(kLessonBottom));

}  // namespace

std::span<const ControlDesign> JudgementScreen() { return kJudgement; }
std::span<const ControlDesign> LessonScreen() { return kLesson; }

}  // namespace ui::design
// clang-format on
