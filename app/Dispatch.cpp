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
  if (C.Panel1->Visible()) {
    TitleKey(key);
  } else if (C.F6Panel->Visible()) {
    ModeSelectKey(key);
  } else if (C.LmPanel->Visible()) {
    if (JudgeCertification()) {
      for (ui::Label* l : {C.LmL1, C.LmL2, C.LmL3, C.LmL4}) l->Hide();
      C.Panel1->Show();
      C.LmPanel->Hide();
    }
  } else if (C.FLPanel->Visible()) {
    LessonKeyPress(key);
  } else if (C.F5Panel->Visible()) {
    // About screen: any character returns to the title.
    C.Panel1->Show();
    C.F5Panel->Hide();
  } else if (C.F1Panel->Visible()) {
    DrillKey(key);
  }
}

void TForm2::FormKeyDown(uint16_t& key, plat::ShiftState shift) {
  if (!s_.InputEnabled) return;
  if (C.F7Panel->Visible()) {
    ConfirmName(key);
    return;
  }
  if (platform_.KanaLock() || !C.F1Panel->Visible()) return;
  // A JIS keyboard types no character for Shift+0, and the ro key's own character is a
  // backslash: both reach the drill from the key-down.
  if (shift.shift && key == '0') {
    s_.InjectedChar = '0';
    DrillKey(s_.InjectedChar);
  }
  if (key == plat::vk::Oem102) {
    s_.InjectedChar = '_';
    DrillKey(s_.InjectedChar);
  }
}

void TForm2::FormKeyUp(uint16_t& key, plat::ShiftState) {
  if (!s_.InputEnabled) return;
  if (C.FLPanel->Visible()) {
    if (key == plat::vk::Tab || key == Escape) LessonKeyUp(key);
    return;
  }
  if (C.F4Panel->Visible()) {
    if (key == plat::vk::Space) LeaveResults();
    return;
  }
  if (C.Panel1->Visible()) {
    switch (key) {
      case plat::vk::F1: ToggleBriefHelp(); break;
      case plat::vk::F1 + 1: OpenSettings(); break;
      case plat::vk::F1 + 8: SpeedButton2Click(); break;
      case plat::vk::F1 + 9: OpenHelpFile(); break;
      default: break;
    }
    return;
  }
  if (C.F6Panel->Visible()) {
    if (key == plat::vk::Tab) F6P3Click();
    return;
  }
  if (key == plat::vk::F1 + 2) {
    s_.SwitchT = !s_.SwitchT;
    C.F1L23->SetVisible(s_.SwitchT);
    DrawSwitchLabels();
  } else if (key == plat::vk::F1 + 3) {
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
      if (auto* field = dynamic_cast<ui::TextField*>(focus_); field && field->OnKeyDown)
        field->OnKeyDown(*field, key);
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
    } else if (focus_->GetKind() == ui::Kind::Button && (key == 13 || key == ' ')) {
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

// --- Screens of this window ------------------------------------------------------------

void TForm2::OpenSettings() {
  C.CheckBox3->SetChecked(s_.MaximizeAtStart != 0);
  C.Panel11->Show();
  SetFocusTo(C.Button1);
  C.Panel1->Hide();
}

void TForm2::Button1Click() {
  s_.MaximizeAtStart = C.CheckBox3->Checked() ? 1 : 0;
  if (!s_.CfgLocked) WriteConfig();
  C.Panel1->Show();
  C.Panel11->Hide();
}

// --- Handlers of screens still to come ---------------------------------------------------
// Each is reached through the routing above already; its body arrives with the issue named.

void TForm2::DrawMissStats() {}                 // missed-key pictures (issue #4)
void TForm2::RefreshDrillScreen() {}            // drill run (issue #4)
void TForm2::RefreshLessonScreen() {}           // lessons (issue #6)
void TForm2::DrawCertSheet(int) {}              // certificate pictures (issue #7)
void TForm2::ModeSelectKey(uint8_t&) {}         // mode select (issue #4)
void TForm2::F6P3Click() {}                     // mode select (issue #4)
void TForm2::ShowModeCaption(int) {}            // mode select (issue #4)
void TForm2::DrillKey(uint8_t&) {}              // drill run (issue #4)
void TForm2::ConfirmName(uint16_t&) {}          // name entry (issue #5)
void TForm2::LeaveResults() {}                  // results (issue #5)
void TForm2::LoadDataFile() {}                  // data file (issue #5)
void TForm2::SaveDataFile() {}                  // data file (issue #5)
void TForm2::CloseDataFile() {}                 // data file (issue #5)
void TForm2::WriteConfig() {}                   // configuration file (issue #5)
void TForm2::LoadWordList() {}                  // word list (issue #6)
void TForm2::StartLessonCourse() {}             // lessons (issue #6)
void TForm2::LessonKeyPress(uint8_t&) {}        // lessons (issue #6)
void TForm2::LessonKeyUp(uint16_t& key) {       // lessons: Tab arrives with issue #6
  if (key == Escape) {
    C.Panel1->Show();
    C.FLPanel->Hide();
  }
}
bool TForm2::JudgeCertification() { return true; }  // judgement (issue #7)

}  // namespace app
