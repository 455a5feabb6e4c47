#include "window/SettingsScreen.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/Cp932.h"

namespace window {
namespace {

// The folder field holds at most this many bytes.
constexpr int kFolderFieldLimit = 250;

// The boxes of the options, in the order of the configuration file.
struct OptionBox {
  ui::CheckBox* ui::MainControls::*box;
  bool game::Options::*option;
};
constexpr OptionBox kOptionBoxes[] = {
    {&ui::MainControls::CheckBox1, &game::Options::ownDataFolder},
    {&ui::MainControls::CheckBox2, &game::Options::resetSwitches},
    {&ui::MainControls::CheckBox4, &game::Options::noDataFile},
    {&ui::MainControls::CheckBox5, &game::Options::skipIntro},
    {&ui::MainControls::CheckBox6, &game::Options::noScoreShow},
    {&ui::MainControls::CheckBox7, &game::Options::loadLogo},
};

// The second page: the guide's style by its number, and the switches.
constexpr ui::RadioButton* ui::MainControls::*kGuideButtons[] = {
    &ui::MainControls::RSRadioButton1, &ui::MainControls::RSRadioButton2, &ui::MainControls::RSRadioButton3};
struct RomajiBox {
  ui::CheckBox* ui::MainControls::*box;
  bool game::RomajiOptions::*option;
};
constexpr RomajiBox kRomajiBoxes[] = {
    {&ui::MainControls::RSCheckBox1, &game::RomajiOptions::finalN},
    {&ui::MainControls::RSCheckBox2, &game::RomajiOptions::keySound},
    {&ui::MainControls::RSCheckBox3, &game::RomajiOptions::missSound},
};

// How Panel13 and Image4 show each way the data file stands.
struct StateLook {
  const char* text;
  ui::Color back;
  bool setFont;
  ui::Color font;
  const char* hint;
  bool image4;
};
constexpr StateLook kStateLooks[] = {
    {"読み書き可能", ui::clr::Blue, true, ui::clr::White, "現存のファイルを開いています.", false},
    {"読み込みのみ可能", ui::clr::Yellow, true, ui::clr::Black, "権限がないか、他でdojokaiが使用中です.", true},
    {"読み書き可能(新規)", ui::clr::Lime, false, 0, "新規にファイルが作成されました.", false},
    {"読み書き不可", ui::clr::Red, true, ui::clr::White, "権限がないか、またはパス名が無効", true},
    {"読み書きしない", ui::clr::White, false, 0, "データを保存しない設定になっています.", true},
};

}  // namespace

void SettingsScreen::ShowOptions() {
  C.Edit1->SetMaxBytes(kFolderFieldLimit);
  // A folder whose bytes are not UTF-8 (written on a CP932 desktop) is shown as CP932.
  if (!C.Edit1->SetTextUtf8(options_.dataFolder)) C.Edit1->SetText(options_.dataFolder);
  folderRead_ = options_.dataFolder;
  folderShown_ = C.Edit1->TextUtf8();
  for (const OptionBox& b : kOptionBoxes) (C.*b.box)->SetChecked(options_.*b.option);
  SetFolderFieldEnabled(options_.ownDataFolder);
  ui::RadioButton* keyboard = !options_.keyboard                        ? C.RadioButton1
                              : *options_.keyboard == plat::KeyMap::Jis ? C.RadioButton2
                                                                        : C.RadioButton3;
  keyboard->SetChecked(true);
  // The maximise option and the two erase buttons stay usable: they act on the data file.
  const bool editable = s_.CfgLocked == 0;
  for (const OptionBox& b : kOptionBoxes) (C.*b.box)->SetEnabled(editable);
  for (ui::RadioButton* r : {C.RadioButton1, C.RadioButton2, C.RadioButton3}) r->SetEnabled(editable);
  ShowRomajiOptions(editable);
  if (!editable) {
    C.Edit1->SetEnabled(false);
    C.Edit1->SetColor(ui::clr::BtnFace);
  } else if (options_.ownDataFolder) {
    SetFolderFieldEnabled(true);
  }
}

void SettingsScreen::ShowRomajiOptions(bool editable) {
  const size_t guide = std::min<size_t>(options_.romaji.guideStyle, std::size(kGuideButtons) - 1);
  (C.*kGuideButtons[guide])->SetChecked(true);
  for (const RomajiBox& b : kRomajiBoxes) (C.*b.box)->SetChecked(options_.romaji.*b.option);
  for (auto button : kGuideButtons) (C.*button)->SetEnabled(editable);
  for (const RomajiBox& b : kRomajiBoxes) (C.*b.box)->SetEnabled(editable);
}

void SettingsScreen::OptionClicked(ui::Control& box) {
  // The romaji settings take effect at once: the drills and the romaji screen read them
  // for every key.
  for (size_t i = 0; i < std::size(kGuideButtons); ++i)
    if (&box == C.*kGuideButtons[i] && (C.*kGuideButtons[i])->Checked())
      options_.romaji.guideStyle = static_cast<uint8_t>(i);
  for (const RomajiBox& b : kRomajiBoxes)
    if (&box == C.*b.box) options_.romaji.*b.option = (C.*b.box)->Checked();
  for (const OptionBox& b : kOptionBoxes) {
    if (&box != C.*b.box) continue;
    options_.*b.option = (C.*b.box)->Checked();
    // The folder field is usable only while CheckBox1 asks for a folder of one's own.
    if (b.box == &ui::MainControls::CheckBox1) SetFolderFieldEnabled(options_.ownDataFolder);
  }
  if (C.RadioButton1->Checked()) options_.keyboard.reset();
  if (C.RadioButton2->Checked()) options_.keyboard = plat::KeyMap::Jis;
  if (C.RadioButton3->Checked()) options_.keyboard = plat::KeyMap::Us;
}

void SettingsScreen::SetFolderFieldEnabled(bool enabled) {
  C.Edit1->SetEnabled(enabled);
  C.Edit1->SetColor(enabled ? ui::clr::Window : ui::clr::BtnFace);
}

std::string SettingsScreen::FolderBytes() const {
  const std::string shown = C.Edit1->TextUtf8();
  return shown == folderShown_ ? folderRead_ : shown;
}

void SettingsScreen::ShowRomajiPage(bool shown) {
  C.RSPanel->SetVisible(shown);
  C.RSButton2->SetVisible(shown);
  C.RSButton1->SetVisible(!shown);
  if (SetFocus) SetFocus(shown ? C.RSButton2 : C.RSButton1);
}

void SettingsScreen::OpenSettings() {
  C.CheckBox3->SetChecked(s_.MaximizeAtStart != 0);
  C.RSPanel->Hide();
  C.RSButton2->Hide();
  C.RSButton1->Show();
  screens_.Show(game::Screen::Settings);
  if (SetFocus) SetFocus(C.Button1);
  screens_.Hide(game::Screen::Title);
}

void SettingsScreen::Button1Click() {
  s_.MaximizeAtStart = C.CheckBox3->Checked() ? 1 : 0;
  options_.dataFolder = FolderBytes();
  if (!s_.CfgLocked) config_.WriteConfig();
  if (SaveRecords) SaveRecords();
  screens_.Show(game::Screen::Title);
  screens_.Hide(game::Screen::Settings);
}

void SettingsScreen::ShowDataFile(const records::DataFileStatus& status) {
  if (!status.path.empty()) C.Panel12->SetCaption(plat::cp932::FileNameText(status.path));
  if (!status.state) {
    C.Image4->Hide();
  } else if (*status.state == records::DatState::SaveFailing) {
    C.Panel13->SetCaption("保存できません");
    C.Panel13->SetColor(ui::clr::Red);
    C.Panel13->SetFontColor(ui::clr::White);
    C.Panel13->SetHint("記録を保存できません: " + status.failure);
    C.Image4->Show();
  } else {
    const StateLook& look = kStateLooks[static_cast<int>(*status.state)];
    C.Panel13->SetCaption(look.text);
    C.Panel13->SetColor(look.back);
    if (look.setFont) C.Panel13->SetFontColor(look.font);
    C.Panel13->SetHint(look.hint);
    C.Image4->SetVisible(look.image4);
  }
}

void SettingsScreen::ShowKeyboard(plat::KeyboardChoice choice) {
  const std::string map = choice.map == plat::KeyMap::Jis ? "JIS" : "US";
  switch (choice.source) {
    case plat::KeyMapSource::CommandLine:
      C.Label52->SetCaption("--keyboard: " + map);
      C.Label52->SetHint("起動時の --keyboard で決めています");
      break;
    case plat::KeyMapSource::Setting:
      C.Label52->SetCaption("設定: " + map);
      C.Label52->SetHint("この設定で決めています");
      break;
    case plat::KeyMapSource::Detected:
      C.Label52->SetCaption("検出: " + map);
      C.Label52->SetHint("キー配列から判定しました");
      break;
    case plat::KeyMapSource::Undetected:
      C.Label52->SetCaption("検出不可: " + map);
      C.Label52->SetHint("キー配列を読めないため JIS キーボードとして扱っています");
      break;
  }
  C.Label52->SetFontColor(choice.source == plat::KeyMapSource::Undetected ? ui::clr::Red : ui::clr::WindowText);
}

}  // namespace window
