// The certificate-name dialog TForm9: a prompt, a one-line name field and a close button.
#include "ui/Design.h"

// The tables are laid out by hand, a row a control.
// clang-format off

namespace ui {
namespace {

constexpr ControlDesign kNameDialog[] = {
    {.kind = Kind::Label, .name = "F9L1", .left = 8, .top = 8,
     .caption = "認定書用の名前を入力してください", .face = Face::PGothic},
    // the name: ten CP932 bytes at most, in the fixed-pitch font
    {.kind = Kind::Memo, .name = "F9M1", .left = 58, .top = 26, .width = 77, .height = 17,
     .color = clr::White, .fontColor = clr::Green, .maxBytes = 10},
    {.kind = Kind::Button, .name = "F9B1", .left = 72, .top = 48, .width = 51, .height = 17,
     .caption = "閉じる", .face = Face::PGothic},
};

}  // namespace

const FormDesign& NameDialogDesign() {
  static const FormDesign form{.name = "TForm9",
                               .caption = "DOJOKAI",
                               .clientWidth = 191,
                               .clientHeight = 67,
                               .color = clr::BtnFace,
                               .fontHeight = 12,
                               .face = Face::PGothic,
                               .controls = kNameDialog};
  return form;
}

}  // namespace ui
// clang-format on
