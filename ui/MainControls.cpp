#include "ui/MainControls.h"

#include <stdexcept>
#include <string>

namespace ui {
namespace {

template <class T>
void BindOne(const ControlSet& set, T*& member, const char* name) {
  member = set.Bind<T>(name);
  if (!member) throw std::logic_error(std::string("control missing or of another kind: ") + name);
}

}  // namespace

#define DOJOKAI_BIND(Class, Name) BindOne(set, Name, #Name);
#define DOJOKAI_NAME(Class, Name) #Name,

void MainControls::Bind(const ControlSet& set){
    DOJOKAI_MAIN_CONTROLS(DOJOKAI_BIND)} std::vector<std::string_view> MainControls::Names() {
  return {DOJOKAI_MAIN_CONTROLS(DOJOKAI_NAME)};
}

void NameDialogControls::Bind(const ControlSet& set){
    DOJOKAI_NAME_DIALOG_CONTROLS(DOJOKAI_BIND)} std::vector<std::string_view> NameDialogControls::Names() {
  return {DOJOKAI_NAME_DIALOG_CONTROLS(DOJOKAI_NAME)};
}

#undef DOJOKAI_BIND
#undef DOJOKAI_NAME

}  // namespace ui
