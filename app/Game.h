#pragma once
// The entry routine's objects: the main window, then the certificate-name dialog.
#include <memory>

#include "app/TForm2.h"
#include "lessons/TForm9.h"

namespace app {

class Game {
 public:
  // Creates TForm2 (the main form) and TForm9, and shows the main window at the centre of
  // the screen.
  explicit Game(plat::Platform& platform, ui::ControlSet::Widgets widgets = ui::ControlSet::Widgets::Now);
  ~Game();
  TForm2& Form() { return *form_; }
  lessons::TForm9& NameDialog() { return *dialog_; }
  // One step of making the widgets left for later, in the order a player is likely to need
  // them; false when none are left.
  bool BuildLateWidgets();

 private:
  std::unique_ptr<TForm2> form_;
  std::unique_ptr<lessons::TForm9> dialog_;
};

// The whole run: application title, fonts, the two forms, the message loop. An exception
// that escapes is shown in a message box. Returns 0.
int RunEntryRoutine(int argc, char** argv);

}  // namespace app
