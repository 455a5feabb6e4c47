#include "window/HelpDisplays.h"

#include "platform/Files.h"
#include "platform/ShippedFiles.h"

namespace window {

void HelpDisplays::ToggleBriefHelp() {
  const bool show = s_.BriefHelpShown == 0;
  s_.BriefHelpShown = show ? 1 : 0;
  for (ui::Control* label :
       std::initializer_list<ui::Control*>{C.Label3,  C.Label14, C.Label15, C.Label16, C.Label17, C.Label18, C.Label19,
                                           C.Label20, C.Label23, C.Label26, C.Label27, C.Label28, C.Label31, C.Label32,
                                           C.Label33, C.Label34, C.Label35, C.Label36, C.Label37, C.Label38, C.Label40})
    label->SetVisible(show);
  if (show) {
    label51Colour_ = C.Label51->BackColor();
    C.Label51->SetTransparent(false);
    C.Label51->SetColor(ui::clr::Yellow);
    C.Label51->SetFontColor(ui::clr::Black);
  } else {
    C.Label51->SetTransparent(true);
    C.Label51->SetColor(label51Colour_);
    C.Label51->SetFontColor(ui::clr::Green);
  }
}

void HelpDisplays::OpenHelpFile() { platform_.OpenHelp(plat::ShippedFilePath(platform_.ProgramPath(), ".hlp")); }

}  // namespace window
