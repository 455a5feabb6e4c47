// The second page of the settings screen Panel11: the romaji drills' settings and the drills'
// sounds. The page is a panel over the first page's boxes (above the close button), shown by
// the link on the first page and left by its own back button in the same place.
#include "ui/DesignScreens.h"

// The tables are laid out by hand, a row a control.
// clang-format off

namespace ui::design {
namespace {

constexpr ControlDesign kSettingsRomaji[] = {
    // the link on the first page, in the free corner right of the close button
    {.kind = Kind::Button, .name = "RSButton1", .parent = "Panel11", .left = 365, .top = 272,
     .width = 81, .height = 17, .caption = "ローマ字設定",
     .hint = "ローマ字ドリルと音の設定"},
    // the second page, hidden until the link is clicked
    {.kind = Kind::Panel, .name = "RSPanel", .parent = "Panel11", .left = 1, .top = 1,
     .width = 480, .height = 266, .color = clr::BtnFace, .visible = false},
    // how the guide spells what is left to type
    {.kind = Kind::GroupBox, .name = "RSGroupBox1", .parent = "RSPanel", .left = 31, .top = 7,
     .width = 414, .height = 77, .caption = "ガイドの書き方 (dojokai.cfg)"},
    {.kind = Kind::RadioButton, .name = "RSRadioButton1", .parent = "RSGroupBox1", .left = 8,
     .top = 16, .width = 396, .height = 17, .caption = "ヘボン式     shi chi tsu fu ji sha",
     .hint = "ガイドをヘボン式のつづりで表示します"},
    {.kind = Kind::RadioButton, .name = "RSRadioButton2", .parent = "RSGroupBox1", .left = 8,
     .top = 35, .width = 396, .height = 17, .caption = "訓令式       si ti tu hu zi sya",
     .hint = "ガイドを訓令式のつづりで表示します"},
    {.kind = Kind::RadioButton, .name = "RSRadioButton3", .parent = "RSGroupBox1", .left = 8,
     .top = 54, .width = 396, .height = 17, .caption = "最少キー     いちばん少ないキー数のつづり",
     .hint = "ガイドをキー数の最も少ないつづりで表示します"},
    // the final ん
    {.kind = Kind::GroupBox, .name = "RSGroupBox2", .parent = "RSPanel", .left = 31, .top = 91,
     .width = 414, .height = 41, .caption = "「ん」の入力"},
    {.kind = Kind::CheckBox, .name = "RSCheckBox1", .parent = "RSGroupBox2", .left = 8, .top = 16,
     .width = 396, .height = 17, .caption = "最後の「ん」を n ひとつで確定",
     .hint = "ことばの最後の「ん」を nn でなく n ひとつで確定します"},
    // the drills' two sounds
    {.kind = Kind::GroupBox, .name = "RSGroupBox3", .parent = "RSPanel", .left = 31, .top = 139,
     .width = 414, .height = 41, .caption = "音 (すべてのドリル)"},
    {.kind = Kind::CheckBox, .name = "RSCheckBox2", .parent = "RSGroupBox3", .left = 8, .top = 16,
     .width = 120, .height = 17, .caption = "キー音",
     .hint = "正しく打ったキーごとに短い音を鳴らします"},
    {.kind = Kind::CheckBox, .name = "RSCheckBox3", .parent = "RSGroupBox3", .left = 136, .top = 16,
     .width = 120, .height = 17, .caption = "ミス音",
     .hint = "ミスのたびに別の音を鳴らします"},
    // unlike the first page, nothing here waits for a restart
    {.kind = Kind::Label, .name = "RSLabel1", .parent = "RSPanel", .left = 68, .top = 251,
     .width = 342, .height = 12, .caption = "このページの設定はすぐに有効になります",
     .color = clr::Aqua, .fontColor = clr::Blue, .autoSize = false, .align = Align::Center},
    // back to the first page, where the link was
    {.kind = Kind::Button, .name = "RSButton2", .parent = "Panel11", .left = 365, .top = 272,
     .width = 81, .height = 17, .caption = "戻る", .visible = false,
     .hint = "設定の最初のページに戻ります"},
};

}  // namespace

std::span<const ControlDesign> RomajiSettings() { return kSettingsRomaji; }

}  // namespace ui::design
// clang-format on
