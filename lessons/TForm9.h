#pragma once
// The certificate-name dialog: a small modal window asking for the name printed on the
// certificate. It has no close box and no cancel button.
#include <QDialog>
#include <functional>

#include "game/PlayState.h"
#include "platform/Platform.h"
#include "ui/MainControls.h"

namespace lessons {

class TForm9 : public QDialog, public plat::KeySink {
 public:
  explicit TForm9(game::PlayState& state, ui::ControlSet::Widgets widgets = ui::ControlSet::Widgets::Now);
  // Makes the widgets of a dialog built with late widgets (at the latest when it is shown).
  void BuildWidgets();
  ~TForm9() override;

  ui::NameDialogControls C;
  ui::ControlSet& Controls() { return controls_; }
  ui::Control* FocusedControl() const { return focus_; }

  // Runs when the dialog's keys are simulated (the driver): the three window events go to
  // the focused control.
  void OnKeyDown(uint16_t vk, plat::ShiftState shift) override;
  void OnKeyChar(uint8_t ch) override;
  void OnKeyUp(uint16_t vk, plat::ShiftState shift) override;

  // Stores the memo's text as the certificate name and closes (button and Enter).
  void F9B1Click();
  void F9M1KeyDown(uint16_t& vk);
  // Runs after the button stored a name (the title redraws its switch labels).
  std::function<void()> OnButtonStored;

 protected:
  // The dialog has no cancel: Esc does not close it.
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void StoreName();
  void PrepareField();
  bool widgetsBuilt_ = false;
  game::PlayState& s_;
  ui::ControlSet controls_;
  ui::Control* focus_ = nullptr;
};

}  // namespace lessons
