#include "window/WindowScaling.h"

namespace window {
namespace {

enum Field { kWidth, kHeight, kFontHeight, kLeft, kTop, kBevelWidth };

}  // namespace

WindowScaling::WindowScaling(game::PlayState& state, ui::ControlSet& controls, ui::MainControls& c,
                             std::vector<ui::Timer*> timers, ScalingHost& host, plat::Platform& platform)
    : s_(state), controls_(controls), C(c), timers_(std::move(timers)), host_(host), platform_(platform) {}

// Panels, labels, group boxes, images, check boxes and radio buttons scale; edit fields,
// memos and buttons are scaled one by one instead.
bool WindowScaling::Scaled(const ui::Control& c) {
  switch (c.GetKind()) {
    case ui::Kind::Panel:
    case ui::Kind::Label:
    case ui::Kind::GroupBox:
    case ui::Kind::Image:
    case ui::Kind::CheckBox:
    case ui::Kind::RadioButton: return true;
    default: return false;
  }
}

void WindowScaling::RecordIndividualControls() {
  image2_ = {C.Image2, C.Image2->Width(), C.Image2->Height(), 0, C.Image2->Left(), C.Image2->Top()};
  individual_.clear();
  for (ui::Control* c :
       std::initializer_list<ui::Control*>{C.SpeedButton2, C.Button1, C.Button2, C.Button3, C.Edit1, C.F7M1, C.FLM1})
    individual_.push_back({c, c->Width(), c->Height(), c->FontHeight(), c->Left(), c->Top()});
}

void WindowScaling::CaptureGeometry() {
  if (!s_.GeometryTableReady) {
    platform_.Error("リサイズ用未確保", "");
    return;
  }
  const auto& all = controls_.All();
  s_.GeometryTable.resize(all.size());
  for (size_t i = 0; i < all.size(); ++i) {
    const ui::Control& c = *all[i];
    if (!Scaled(c)) continue;
    auto& row = s_.GeometryTable[i];
    // A label whose screen has not been built yet is measured when it is scaled, as every
    // auto-sized label is: its width here is never read.
    row[kWidth] = c.WidthIfMeasured();
    row[kHeight] = c.Height();
    row[kLeft] = c.Left();
    row[kTop] = c.Top();
    if (c.GetKind() != ui::Kind::Image) row[kFontHeight] = c.FontHeight();
    if (auto* panel = dynamic_cast<const ui::Panel*>(&c)) row[kBevelWidth] = panel->BevelWidth();
  }
  s_.GeometryTableFilled = 1;
}

void WindowScaling::ApplyGeometryTable(Factor sx, Factor sy) {
  const auto& all = controls_.All();
  for (size_t i = 0; i < all.size() && i < s_.GeometryTable.size(); ++i) {
    ui::Control& c = *all[i];
    if (!Scaled(c)) continue;
    const auto& row = s_.GeometryTable[i];
    // An auto-sized label measures its text again with the new font; a label of fixed
    // size keeps the scaled size.
    // (The bounds go first: a label whose screen has not been built yet then has no width
    // left to measure when its auto-size is held.)
    auto* label = dynamic_cast<ui::Label*>(&c);
    const bool autoSize = label && label->AutoSize();
    c.SetBounds(sx.Times(row[kLeft]), sy.Times(row[kTop]), sx.Times(row[kWidth]), sy.Times(row[kHeight]));
    if (autoSize) label->SetAutoSize(false);
    if (c.GetKind() != ui::Kind::Image) c.SetFontHeight(sx.Times(row[kFontHeight]));
    if (auto* panel = dynamic_cast<ui::Panel*>(&c)) panel->SetBevelWidth(sy.Times(row[kBevelWidth]));
    if (autoSize) label->SetAutoSize(true);
  }
}

void WindowScaling::FormResize() {
  if (!s_.InputEnabled) return;
  std::vector<bool> wasEnabled;
  for (ui::Timer* t : timers_) {
    wasEnabled.push_back(t->Enabled());
    t->SetEnabled(false);
  }
  if (s_.GeometryCaptured && !s_.ResizeSuppressed) {
    // The floor first, then the aspect band; each change is handled by a nested resize.
    if (host_.ClientHeight() < 300) host_.SetClientHeight(300);
    if (host_.ClientWidth() < 480) host_.SetClientWidth(480);
    const int w = host_.ClientWidth(), h = host_.ClientHeight();
    if (static_cast<double>(w) / h >= 2.0)
      host_.SetClientWidth(static_cast<int>(2.0 * h));
    else if (static_cast<double>(h) / w >= 1.5)
      host_.SetClientHeight(static_cast<int>(1.5 * w));

    const Factor sx = FactorX(host_.ClientWidth()), sy = FactorY(host_.ClientHeight());
    if (s_.GeometryTableFilled) ApplyGeometryTable(sx, sy);

    // The logo at 0.8 of its scaled top, and never lower than 16 scaled.
    int logoTop = static_cast<int>(8 * image2_.top * sy.num / (10 * sy.den));
    const int logoLimit = sx.Times(16);
    if (logoTop * sx.den > 16 * sx.num) logoTop = logoLimit;
    C.Image2->SetBounds(sx.Times(image2_.left), logoTop, sx.Times(image2_.width), sy.Times(image2_.height));

    for (const Recorded& r : individual_) {
      r.control->SetBounds(sx.Times(r.left), sy.Times(r.top), sx.Times(r.width), sy.Times(r.height));
      r.control->SetFontHeight(sx.Times(r.fontHeight));
    }
    host_.RefreshDrillScreen();
  }
  host_.RefreshLessonScreen();
  for (size_t i = 0; i < timers_.size(); ++i) timers_[i]->SetEnabled(wasEnabled[i]);
}

void WindowScaling::SpeedButton2Click() {
  if (host_.Maximized()) host_.RestoreWindow();
  s_.ResizeSuppressed = 1;
  host_.SetClientHeight(300);
  s_.ResizeSuppressed = 0;
  host_.SetClientWidth(480);
  FormResize();
}

void WindowScaling::Image2DblClick() { C.Image2->SetTop(-C.Image2->Height()); }

}  // namespace window
