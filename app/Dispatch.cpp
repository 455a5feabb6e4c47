// Keyboard routing of the main window: each of the three key events goes to the handler
// of the screen that is visible, checked in a fixed order.
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/TForm2.h"
#include "platform/Keyboard.h"

namespace app {

using plat::vk::Escape;

void TForm2::FormKeyPress(uint8_t& key) {
  if (!s_.InputEnabled) return;
  if (screens_.Shown(game::Screen::Romaji)) {
    romaji_.Key(key);
  } else if (screens_.Shown(game::Screen::Title)) {
    title_.TitleKey(key);
  } else if (screens_.Shown(game::Screen::ModeSelect)) {
    modeSelect_.ModeSelectKey(key);
  } else if (screens_.Shown(game::Screen::Judgement)) {
    certification_.JudgementKey();
  } else if (screens_.Shown(game::Screen::Lessons)) {
    lessons_.LessonKeyPress(key);
  } else if (screens_.Shown(game::Screen::About)) {
    // About screen: any character returns to the title.
    screens_.Show(game::Screen::Title);
    screens_.Hide(game::Screen::About);
  } else if (screens_.Shown(game::Screen::Drill)) {
    drillRun_.DrillKey(key);
  }
}

void TForm2::FormKeyDown(uint16_t& key, plat::ShiftState shift) {
  if (!s_.InputEnabled) return;
  if (screens_.Shown(game::Screen::NameEntry)) {
    rankTables_.ConfirmName(key);
    return;
  }
  if (screens_.Shown(game::Screen::Romaji)) {
    romaji_.KeyDown(key);
    return;
  }
  if (platform_.KanaLock() || !screens_.Shown(game::Screen::Drill)) return;
  // A JIS keyboard types no character for Shift+0, and the ro key's own character is a
  // backslash: both reach the drill from the key-down. (A US keyboard types ')' for
  // Shift+0, which the drill judges by the key's place.)
  if (shift.shift && key == '0' && platform_.Keys().Map() == plat::KeyMap::Jis) {
    s_.InjectedChar = '0';
    drillRun_.DrillKey(s_.InjectedChar);
  }
  if (key == plat::vk::Oem102) {
    s_.InjectedChar = '_';
    drillRun_.DrillKey(s_.InjectedChar);
  }
}

void TForm2::FormKeyUp(uint16_t& key, plat::ShiftState) {
  if (!s_.InputEnabled) return;
  if (screens_.Shown(game::Screen::Romaji)) {
    romaji_.KeyUp(key);
    return;
  }
  if (screens_.Shown(game::Screen::Lessons)) {
    if (key == plat::vk::Tab || key == Escape) lessons_.LessonKeyUp(key);
    return;
  }
  if (screens_.Shown(game::Screen::Results)) {
    if (key == plat::vk::Space) rankTables_.LeaveResults();
    return;
  }
  if (screens_.Shown(game::Screen::Title)) {
    switch (key) {
      case plat::vk::F1: help_.ToggleBriefHelp(); break;
      case plat::vk::F2: settings_.OpenSettings(); break;
      case plat::vk::F9: scaling_.SpeedButton2Click(); break;
      case plat::vk::F10: help_.OpenHelpFile(); break;
      default: break;
    }
    return;
  }
  if (screens_.Shown(game::Screen::ModeSelect)) {
    if (key == plat::vk::Tab) modeSelect_.F6P3Click();
    return;
  }
  if (key == plat::vk::F3) {
    s_.SwitchT = !s_.SwitchT;
    C.F1L23->SetVisible(s_.SwitchT);
    DrawSwitchLabels();
  } else if (key == plat::vk::F4) {
    s_.SwitchK = !s_.SwitchK;
    C.F1P1->SetVisible(s_.SwitchK);
    DrawSwitchLabels();
  }
}

// --- Keyboard events in ----------------------------------------------------------------

void TForm2::OnKeyDown(uint16_t vk, plat::ShiftState shift) {
  Guard([&] {
    uint16_t key = vk;
    FormKeyDown(key, shift);
    if (simulatedFocus_ && key != 0) {
      if (auto* field = dynamic_cast<ui::TextField*>(focus_); field && field->OnKeyDown) field->OnKeyDown(*field, key);
    }
  });
}

void TForm2::OnKeyChar(uint8_t ch) {
  Guard([&] {
    uint8_t key = ch;
    FormKeyPress(key);
    if (!simulatedFocus_ || key == 0 || !focus_ || !focus_->Showing() || !focus_->Enabled()) return;
    // The focused control takes what the window left: text fields type it, buttons and
    // check boxes answer Enter and Space.
    if (auto* field = dynamic_cast<ui::TextField*>(focus_)) {
      field->TypeChar(key);
    } else if (focus_->GetKind() == ui::Kind::Button && (key == plat::ch::Enter || key == plat::ch::Space)) {
      focus_->Click();
    } else if (auto* box = dynamic_cast<ui::CheckBox*>(focus_); box && key == ' ') {
      box->SetChecked(!box->Checked());
    }
  });
}

void TForm2::OnKeyUp(uint16_t vk, plat::ShiftState shift) {
  Guard([&] {
    uint16_t key = vk;
    FormKeyUp(key, shift);
  });
}

void TForm2::OnKanaLock(bool on) {
  C.F1L26->SetVisible(on);
  C.FLL14->SetVisible(on);
  C.F6L21->SetVisible(on);  // the mode select takes digits, but the drill it starts will take kana
}

// The screens where text is typed take kana with the lock on; the screens of commands (the
// title, the mode select, the information pages, the results) take the key pressed.
bool TForm2::WantsKana() const {
  const game::Screen screen = screens_.Current();
  if (screens_.AnyShown() && (screen == game::Screen::Drill || screen == game::Screen::Lessons)) return true;
  return dynamic_cast<const ui::TextField*>(focus_) && focus_->Showing() && focus_->Enabled();
}

// Key preview: every key of this window passes the game first. Keys go on to a focused
// edit field or button unless the game took the character.
bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this || simulatedFocus_) return false;
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  if (!platform_.Keys().Translate(*keyEvent)) return false;
  QWidget* focus = QApplication::focusWidget();
  const bool toControl = focus && focus != this && focus->window() == this &&
                         (qobject_cast<QLineEdit*>(focus) || qobject_cast<QAbstractButton*>(focus));
  return !toControl;
}

}  // namespace app
