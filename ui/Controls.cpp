#include "ui/Controls.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "platform/Cp932.h"
#include "ui/ControlWidgets.h"

namespace ui {

using detail::DisplayText;
using detail::ToQColor;

QFont MakeFont(Face face, int pixelHeight, bool bold) {
  QFont font(face == Face::Gothic ? QStringLiteral("ＭＳ ゴシック") : QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(std::max(1, std::abs(pixelHeight)));
  font.setBold(bold);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

int PointsToPixels(int points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

struct ControlFont {
  explicit ControlFont(QFont f) : font(std::move(f)), metrics(font) {}
  QFont font;
  QFontMetricsF metrics;
  // Widths of the texts measured last: the clocks and the spinner cycle through few.
  mutable std::unordered_map<QString, double> widths;
  // The glyph and advance of each character laid out alone, found when first met.
  struct Glyph {
    enum State : uint8_t { Unknown, Placed, Laid } state = Unknown;  // Laid: only a text layout will do
    uint32_t index = 0;
    double advance = 0;
  };
  static constexpr char16_t kFirstKana = 0xFF61, kLastKana = 0xFF9F;
  mutable std::array<Glyph, 0x80 + (kLastKana - kFirstKana + 1)> glyphs{};
  mutable std::optional<QRawFont> raw;
  const Glyph* GlyphOf(char16_t c) const;
};

const ControlFont::Glyph* ControlFont::GlyphOf(char16_t c) const {
  size_t slot;
  if (c >= 0x20 && c < 0x7F)
    slot = c;
  else if (c >= kFirstKana && c <= kLastKana)
    slot = 0x80 + (c - kFirstKana);
  else
    return nullptr;
  Glyph& g = glyphs[slot];
  if (g.state == Glyph::Unknown) {
    g.state = Glyph::Laid;
    if (!raw) raw = QRawFont::fromFont(font);
    const QString one{QChar(c)};
    // Only a character the face itself has, as one glyph, goes this way.
    const QList<quint32> index =
        raw->isValid() && raw->supportsCharacter(QChar(c)) ? raw->glyphIndexesForString(one) : QList<quint32>();
    if (index.size() == 1 && index[0] != 0) {
      g = {Glyph::Placed, index[0], metrics.horizontalAdvance(one)};
    }
  }
  return g.state == Glyph::Placed ? &g : nullptr;
}

bool PlaceGlyphs(const ControlFont& f, const QString& text, PlacedGlyphs& out) {
  out.glyphs.clear();
  out.positions.clear();
  double x = 0;
  for (QChar c : text) {
    const ControlFont::Glyph* g = f.GlyphOf(c.unicode());
    if (!g) return false;
    out.glyphs.push_back(g->index);
    out.positions.push_back(QPointF(x, 0));
    x += g->advance;
  }
  out.width = x;
  return true;
}

void DrawPlacedGlyphs(QPainter& p, const ControlFont& f, const PlacedGlyphs& placed, double x, double y) {
  if (placed.glyphs.empty()) return;
  QGlyphRun run;
  run.setRawFont(*f.raw);
  run.setGlyphIndexes(placed.glyphs);  // shared, not copied
  run.setPositions(placed.positions);
  p.drawGlyphRun(QPointF(x, y), run);
}

double TextWidth(const ControlFont& f, const QString& text) {
  if (auto it = f.widths.find(text); it != f.widths.end()) return it->second;
  if (f.widths.size() >= 256) f.widths.clear();
  const double w = f.metrics.horizontalAdvance(text);
  f.widths.emplace(text, w);
  return w;
}

// --- Control ---------------------------------------------------------------------------

namespace {
// The set whose controls are being made (the controls of one form are made by its set).
ControlSet* building = nullptr;
}  // namespace

Control::Control(const ControlDesign& d, Control* parent)
    : name_(d.name), kind_(d.kind), parent_(parent), tag_(d.tag), visible_(d.visible), enabled_(d.enabled),
      left_(d.left), top_(d.top), width_(d.width), height_(d.height), fontHeight_(d.fontHeight),
      fontColor_(d.fontColor), color_(d.color), bold_(d.bold), face_(d.face), caption_(d.caption), hint_(d.hint),
      set_(building) {
  if (parent_) parent_->children_.push_back(this);
}

Control::~Control() = default;

bool Control::Dormant() const { return !widget_ && set_ && set_->Late(); }

QWidget* Control::Widget() const {
  if (!widget_ && set_ && set_->Late()) set_->Materialize(*const_cast<Control*>(this));
  return widget_;
}

void Control::Materialize(QWidget* host) {
  if (widthPending_) MeasurePendingWidth();
  widget_ = MakeWidget(host);
  widget_->setObjectName(QString::fromStdString(name_));
  widget_->setGeometry(left_, top_, width_, height_);
  widget_->setFont(Font());
  widget_->setEnabled(enabled_);
  if (!hint_.empty()) widget_->setToolTip(QString::fromStdString(hint_));
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (visible && set_ && set_->Late()) set_->CameOnScreen(*this);
  if (widget_) widget_->setVisible(visible);
}

bool Control::Showing() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (widget_) widget_->setEnabled(enabled);
}

void Control::SetBounds(int left, int top, int width, int height) {
  widthPending_ = false;  // a width given outright stands instead of the one to measure
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (widget_) widget_->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

void Control::Move(int left, int top) {
  if (widthPending_) {  // only a control without its widget waits for a width
    left_ = left;
    top_ = top;
    return;
  }
  SetBounds(left, top, width_, height_);
}

void Control::SetFontHeight(int px) {
  if (px == fontHeight_) return;
  fontHeight_ = px;
  FontChanged();
}

void Control::SetFontColor(Color c) {
  if (c == fontColor_) return;
  fontColor_ = c;
  ColoursChanged();
}

void Control::SetColor(Color c) {
  if (c == color_) return;
  color_ = c;
  ColoursChanged();
}

void Control::SetCaption(std::string_view utf8) {
  if (utf8 == caption_) return;
  caption_.assign(utf8);
  CaptionChanged();
  Repaint();
}

void Control::SetCaptionBytes(std::string_view cp932) { SetCaption(plat::cp932::ToUtf8(cp932)); }

void Control::SetHint(std::string_view utf8) {
  hint_.assign(utf8);
  if (widget_) widget_->setToolTip(QString::fromStdString(hint_));
}

void Control::Click() {
  if (enabled_ && OnClick) OnClick(*this);
}
void Control::DblClick() {
  if (enabled_ && OnDblClick) OnDblClick(*this);
}
void Control::MouseDown(MouseButton b) {
  if (enabled_ && OnMouseDown) OnMouseDown(*this, b);
}
void Control::MouseUp(MouseButton b) {
  if (enabled_ && OnMouseUp) OnMouseUp(*this, b);
}

void Control::Paint(QPainter&) {}

std::shared_ptr<const ControlFont> Control::FontObject() const {
  if (!font_) font_ = std::make_shared<const ControlFont>(MakeFont(face_, fontHeight_, bold_));
  return font_;
}

const QFont& Control::Font() const { return FontObject()->font; }
const QFontMetricsF& Control::Metrics() const { return FontObject()->metrics; }

void Control::FontChanged() {
  font_.reset();
  if (widget_) widget_->setFont(Font());
  Repaint();
}

void Control::Repaint() {
  if (widget_ && visible_) widget_->update();
}

// --- Building a form -------------------------------------------------------------------

ControlSet::~ControlSet() = default;

void ControlSet::Build(const FormDesign& design, QWidget* form, Widgets widgets) {
  form_ = form;
  late_ = widgets == Widgets::Late;
  std::unordered_map<std::string_view, Control*> byName;
  struct Building {
    explicit Building(ControlSet* set) { building = set; }
    ~Building() { building = nullptr; }
  } scope(this);
  for (const ControlDesign& row : design.controls) {
    Control* parent = nullptr;
    Color parentColor = design.color;
    if (*row.parent) {
      auto it = byName.find(row.parent);
      if (it == byName.end()) throw std::logic_error(std::string("control before its parent: ") + row.name);
      parent = it->second;
      parentColor = parent->BackColor();
    }
    ControlDesign d = row;
    if (d.color == clr::Parent) d.color = parentColor;
    std::unique_ptr<Control> c;
    switch (d.kind) {
      case Kind::Panel: c = std::make_unique<Panel>(d, parent); break;
      case Kind::Label: c = std::make_unique<Label>(d, parent); break;
      case Kind::Image: c = std::make_unique<Image>(d, parent); break;
      case Kind::CheckBox: c = std::make_unique<CheckBox>(d, parent); break;
      case Kind::Edit: c = std::make_unique<Edit>(d, parent); break;
      case Kind::Memo: c = std::make_unique<Memo>(d, parent); break;
      case Kind::Button: c = std::make_unique<Button>(d, parent); break;
      case Kind::SpeedButton: c = std::make_unique<SpeedButton>(d, parent); break;
      case Kind::GroupBox: c = std::make_unique<GroupBox>(d, parent); break;
      case Kind::RadioButton: c = std::make_unique<RadioButton>(d, parent); break;
    }
    if (!byName.emplace(c->Name(), c.get()).second)
      throw std::logic_error(std::string("two controls named ") + row.name);
    if (!parent) roots_.push_back(c.get());
    controls_.push_back(std::move(c));
  }
  if (!late_) MaterializeAll();
}

void ControlSet::Materialize(Control& c) {
  if (c.widget_) return;
  if (c.parent_) Materialize(*c.parent_);
  c.Materialize(c.parent_ ? c.parent_->widget_ : form_);
  Stack(c);
  c.widget_->setVisible(c.visible_);
}

// A widget made after some of its siblings goes below the first of them that follows it in
// design order, so the stacking is the design order whatever order the widgets came in.
void ControlSet::Stack(Control& c) {
  const std::vector<Control*>& siblings = c.parent_ ? c.parent_->children_ : roots_;
  auto it = std::find(siblings.begin(), siblings.end(), &c);
  for (++it; it != siblings.end(); ++it) {
    if ((*it)->widget_) {
      c.widget_->stackUnder((*it)->widget_);
      return;
    }
  }
}

void ControlSet::MaterializeTree(Control& root) {
  Materialize(root);
  for (Control* child : root.children_) MaterializeTree(*child);
}

void ControlSet::ShowLive() {
  if (!late_ || live_) return;
  live_ = true;
  for (const auto& c : controls_)
    if (c->Showing()) Materialize(*c);
}

void ControlSet::CameOnScreen(Control& c) {
  if (live_ && c.Showing()) MaterializeTree(c);
}

bool ControlSet::MaterializeNext(const std::vector<Control*>& order) {
  for (Control* c : order)
    if (!c->widget_ || std::any_of(c->children_.begin(), c->children_.end(), [](Control* k) { return !k->widget_; })) {
      MaterializeTree(*c);
      return true;
    }
  if (nextRoot_ == roots_.size()) return false;
  MaterializeTree(*roots_[nextRoot_++]);
  return nextRoot_ < roots_.size();
}

void ControlSet::MaterializeAll() {
  for (Control* root : roots_) MaterializeTree(*root);
}

Control* ControlSet::Find(std::string_view name) const {
  for (const auto& c : controls_)
    if (c->Name() == name) return c.get();
  return nullptr;
}

}  // namespace ui
