#pragma once
// Which screens of the window are up. Every screen is a full-window panel; normally one is
// up, and inside a handler a second for a moment (one screen is shown before the one it
// replaces is hidden). The rules ask this model, never a panel; the window follows it.
#include <array>
#include <cstddef>
#include <functional>

namespace game {

// In stacking order, lowest first: when two are up, the later one is in front. Each is the
// panel named beside it.
enum class Screen {
  NameEntry,   // F7Panel: a name typed for a top-10 place
  Results,     // F4Panel: the results with the top-10 table (and the idle score show)
  Splash,      // F8Panel: the second after a drill
  Judgement,   // LmPanel: the grade judgement
  Drill,       // F1Panel
  ModeSelect,  // F6Panel
  Settings,    // Panel11
  About,       // F5Panel
  Lessons,     // FLPanel
  Title,       // Panel1
  Romaji,      // RjPanel: the romaji drills and their results (built last, so in front)
};
inline constexpr size_t kScreenCount = 11;

class Screens {
 public:
  // The title is up when the window is built.
  Screens() { shown_[Index(Screen::Title)] = true; }

  void Show(Screen s) { Set(s, true); }
  void Hide(Screen s) { Set(s, false); }
  bool Shown(Screen s) const { return shown_[Index(s)]; }
  // The screen in front; Title when none is up.
  Screen Current() const {
    for (size_t i = kScreenCount; i-- > 0;)
      if (shown_[i]) return static_cast<Screen>(i);
    return Screen::Title;
  }
  bool AnyShown() const { return ShownCount() > 0; }
  size_t ShownCount() const {
    size_t n = 0;
    for (bool s : shown_) n += s ? 1 : 0;
    return n;
  }

  // The information panel over the title (its pages), open or closed; it keeps its state
  // while another screen is in front.
  void SetInfoPanel(bool open) {
    infoPanel_ = open;
    if (OnInfoPanel) OnInfoPanel(open);
  }
  bool InfoPanelOpen() const { return infoPanel_; }

  // The window shows and hides its panels as told.
  std::function<void(Screen, bool shown)> OnChange;
  std::function<void(bool open)> OnInfoPanel;

 private:
  static constexpr size_t Index(Screen s) { return static_cast<size_t>(s); }
  void Set(Screen s, bool shown) {
    shown_[Index(s)] = shown;
    if (OnChange) OnChange(s, shown);
  }
  std::array<bool, kScreenCount> shown_{};
  bool infoPanel_ = false;
};

}  // namespace game
