#pragma once
// Proportional scaling of the whole window: every control keeps its design geometry and is
// moved, sized and given a larger font in proportion to the client size, within a size
// floor and a band of aspect ratios. Scaling always starts from the design values.
#include <array>
#include <cstdint>
#include <vector>

#include "game/PlayState.h"
#include "platform/Platform.h"
#include "ui/MainControls.h"
#include "ui/Timer.h"

namespace window {

// What scaling needs from the window.
class ScalingHost {
 public:
  virtual ~ScalingHost() = default;
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  // A change of client size raises a nested resize, handled before the call returns.
  virtual void SetClientWidth(int w) = 0;
  virtual void SetClientHeight(int h) = 0;
  virtual bool Maximized() const = 0;
  virtual void RestoreWindow() = 0;
  virtual void RefreshDrillScreen() = 0;
  virtual void RefreshLessonScreen() = 0;
};

class WindowScaling {
 public:
  WindowScaling(game::PlayState& state, ui::ControlSet& controls, ui::MainControls& c, std::vector<ui::Timer*> timers,
                ScalingHost& host, plat::Platform& platform);

  // The design geometry of the controls recorded one by one (at construction).
  void RecordIndividualControls();
  // The design geometry of every control of the five scaled kinds, in list order.
  void CaptureGeometry();
  void FormResize();
  // Back to the design size (SpeedButton2, F9).
  void SpeedButton2Click();
  // The logo leaves the view upwards until the next resize.
  void Image2DblClick();
  // The logo's design top, handed over by the title once the logo has dropped in.
  void SetImage2DesignTop(int top) { image2_.top = top; }

  // A scale factor as the exact fraction client size / design size: a design value times
  // the factor, truncated toward zero, with no rounding error on the way.
  struct Factor {
    int64_t num, den;
    int Times(int value) const { return static_cast<int>(value * num / den); }
    double Value() const { return static_cast<double>(num) / static_cast<double>(den); }
  };
  static Factor FactorX(int clientWidth) { return {clientWidth, 480}; }
  static Factor FactorY(int clientHeight) { return {clientHeight, 300}; }

 private:
  struct Recorded {
    ui::Control* control = nullptr;
    int width = 0, height = 0, fontHeight = 0, left = 0, top = 0;
  };
  static bool Scaled(const ui::Control& c);
  void ApplyGeometryTable(Factor sx, Factor sy);

  game::PlayState& s_;
  ui::ControlSet& controls_;
  ui::MainControls& C;
  std::vector<ui::Timer*> timers_;
  ScalingHost& host_;
  plat::Platform& platform_;
  Recorded image2_;
  std::vector<Recorded> individual_;
};

}  // namespace window
