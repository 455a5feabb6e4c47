#pragma once
// Typed members for every control of the main window and of the name dialog, bound once
// when the form is built, so code reaches a control without looking its name up.
#include <string_view>
#include <vector>

#include "ui/Controls.h"
#include "ui/MainControlList.h"

namespace ui {

struct MainControls {
#define DOJOKAI_MEMBER(Class, Name) Class* Name = nullptr;
  DOJOKAI_MAIN_CONTROLS(DOJOKAI_MEMBER)
  // Throws std::logic_error naming the first control the set lacks.
  void Bind(const ControlSet& set);
  static std::vector<std::string_view> Names();
};

struct NameDialogControls {
  DOJOKAI_NAME_DIALOG_CONTROLS(DOJOKAI_MEMBER)
#undef DOJOKAI_MEMBER
  void Bind(const ControlSet& set);
  static std::vector<std::string_view> Names();
};

}  // namespace ui
