// The main window TForm2: all screens, joined in stacking order (lowest first).
#include <vector>

#include "ui/DesignScreens.h"

// The tables are laid out by hand, a row a control.
// clang-format off

namespace ui {

const FormDesign& MainFormDesign() {
  static const std::vector<ControlDesign> rows = [] {
    const std::span<const ControlDesign> screens[] = {
        design::NameEntryScreen(), design::ResultsScreen(),    design::SplashScreen(),
        design::JudgementScreen(), design::DrillScreen(),      design::ModeSelectScreen(),
        design::SettingsScreen(),  design::AboutScreen(),      design::LessonScreen(),
        design::TitleScreen(),     design::KanaLamps(),       design::KeyboardChoice(),
        design::RomajiSettings(),
        design::RomajiScreen(),
    };
    std::vector<ControlDesign> all;
    for (const auto& screen : screens) all.insert(all.end(), screen.begin(), screen.end());
    return all;
  }();
  // The form resource is larger than the game; construction sets the client to 480 x 300.
  static const FormDesign form{.name = "TForm2",
                               .caption = "F2 opn DOJOKAI",
                               .clientWidth = 794,
                               .clientHeight = 561,
                               .color = clr::Black,
                               .fontHeight = 12,
                               .face = Face::Gothic,
                               .controls = rows};
  return form;
}

}  // namespace ui
// clang-format on
