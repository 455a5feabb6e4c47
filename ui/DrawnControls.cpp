// The controls that only show: labels, panels, group boxes, images and their canvases.
#include <QFontMetricsF>
#include <QPainter>
#include <QStaticText>
#include <QWidget>
#include <algorithm>

#include "platform/Cp932.h"
#include "ui/ControlWidgets.h"
#include "ui/Controls.h"

namespace ui {
namespace {

using detail::DisplayText;
using detail::DrawnWidget;
using detail::ToQColor;

void DrawBevel(QPainter& p, QRect& r, Bevel bevel, int width) {
  if (bevel == Bevel::None) return;
  const QColor light = ToQColor(clr::White), dark = ToQColor(clr::BtnShadow);
  const QColor& topLeft = bevel == Bevel::Raised ? light : dark;
  const QColor& bottomRight = bevel == Bevel::Raised ? dark : light;
  // Each edge is a one-pixel line, end points included; filled, not stroked, as it costs less.
  for (int i = 0; i < width && r.width() > 1 && r.height() > 1; ++i) {
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    r.adjust(1, 1, -1, -1);
  }
}

}  // namespace

// --- Label -----------------------------------------------------------------------------

// A line is drawn from its placed glyphs where it has them, else as laid-out text.
struct Label::Line {
  QStaticText text;  // only for a line not placed
  double width;
  bool placed, empty;
  PlacedGlyphs glyphs;
};

Label::Label(const ControlDesign& d, Control* parent)
    : Control(d, parent), transparent_(d.transparent), autoSize_(d.autoSize), wordWrap_(d.wordWrap), align_(d.align) {
  AdjustBounds();
}

Label::~Label() = default;

QWidget* Label::MakeWidget(QWidget* host) {
  auto* widget = new DrawnWidget(*this, host);
  // An opaque label covers its whole rectangle: nothing below it needs painting.
  widget->setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
  return widget;
}

void Label::SetTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  if (widget_) widget_->setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
  Repaint();
}

void Label::SetAutoSize(bool autoSize) {
  // A label that stops fitting its text keeps the width it has: measured, if it was waiting.
  if (!autoSize && widthPending_) MeasurePendingWidth();
  autoSize_ = autoSize;
  AdjustBounds();
}

void Label::CaptionChanged() {
  linesReady_ = false;
  AdjustBounds();
}

void Label::FontChanged() {
  linesReady_ = false;
  Control::FontChanged();
  AdjustBounds();
}

const std::vector<Label::Line>& Label::Lines() {
  if (linesReady_) return lines_;
  lines_.clear();
  const std::shared_ptr<const ControlFont> font = FontObject();
  // Laid out on its first paint: captions of hidden screens change without it.
  for (const QString& line : DisplayText(caption_).split(QLatin1Char('\n'))) {
    PlacedGlyphs glyphs;
    const bool placed = PlaceGlyphs(*font, line, glyphs);
    QStaticText text;
    if (!placed) {
      text.setText(line);
      text.setTextFormat(Qt::PlainText);
    }
    const double width = placed ? glyphs.width : TextWidth(*font, line);
    lines_.push_back({std::move(text), width, placed, line.isEmpty(), std::move(glyphs)});
  }
  linesReady_ = true;
  return lines_;
}

// An auto-sized label fits its text: the widest line by the lines' height. An empty
// caption measures as one blank, so the label keeps a clickable size.
int Label::MeasuredWidth() {
  const std::vector<Line>& lines = Lines();
  double widest = 0;
  if (lines.size() == 1 && lines[0].empty) widest = TextWidth(*FontObject(), QStringLiteral(" "));
  for (const Line& line : lines) widest = std::max(widest, line.width);
  return static_cast<int>(std::ceil(widest - 0.01));
}

// The height needs no font: a line per line feed. A label without its widget yet leaves its
// width to be measured when it is asked for or the widget is made, so that a screen never
// shown loads none of its fonts.
void Label::AdjustBounds() {
  if (!autoSize_) return;
  const int h = static_cast<int>(std::count(caption_.begin(), caption_.end(), '\n') + 1) * std::abs(fontHeight_);
  if (!wordWrap_ && Dormant()) {
    height_ = h;
    widthPending_ = true;
    return;
  }
  SetBounds(left_, top_, wordWrap_ ? width_ : MeasuredWidth(), h);
}

void Label::MeasurePendingWidth() {
  widthPending_ = false;
  width_ = MeasuredWidth();
}

void Label::Paint(QPainter& p) {
  const QRect r(0, 0, widget_->width(), widget_->height());
  if (!transparent_) p.fillRect(r, ToQColor(color_));
  p.setPen(enabled_ ? ToQColor(fontColor_) : ToQColor(clr::Gray));
  p.setFont(Font());
  const QFontMetricsF& fm = Metrics();
  const int lineHeight = std::abs(fontHeight_);
  int y = 0;
  for (const Line& line : Lines()) {
    double x = 0;
    if (align_ == Align::Center) x = (r.width() - line.width) / 2;
    if (align_ == Align::Right) x = r.width() - line.width;
    // The text's top lies one ascent above the baseline that centres it in its line.
    const double baseline = y + (lineHeight + fm.ascent() - fm.descent()) / 2.0;
    if (line.placed)
      DrawPlacedGlyphs(p, *FontObject(), line.glyphs, x, baseline);
    else
      p.drawStaticText(QPointF(x, baseline - fm.ascent()), line.text);
    y += lineHeight;
  }
}

// --- Panel and group box ---------------------------------------------------------------

Panel::Panel(const ControlDesign& d, Control* parent)
    : Control(d, parent), inner_(d.bevelInner), outer_(d.bevelOuter), bevelWidth_(d.bevelWidth), align_(d.align) {}

QWidget* Panel::MakeWidget(QWidget* host) {
  auto* widget = new DrawnWidget(*this, host);
  widget->setAttribute(Qt::WA_OpaquePaintEvent);  // a panel paints all of itself
  return widget;
}

void Panel::SetBevelInner(Bevel b) {
  inner_ = b;
  Repaint();
}
void Panel::SetBevelOuter(Bevel b) {
  outer_ = b;
  Repaint();
}
void Panel::SetBevelWidth(int w) {
  if (w == bevelWidth_) return;
  bevelWidth_ = w;
  Repaint();
}

void Panel::Paint(QPainter& p) {
  QRect r(0, 0, widget_->width(), widget_->height());
  p.fillRect(r, ToQColor(color_));
  DrawBevel(p, r, outer_, bevelWidth_);
  DrawBevel(p, r, inner_, bevelWidth_);
  if (caption_.empty()) return;
  p.setPen(ToQColor(fontColor_));
  const QString text = DisplayText(caption_);
  // A caption of placed glyphs that fits goes where the toolkit's one line would: centred
  // on the line's height, aligned on its whole width.
  const std::shared_ptr<const ControlFont> font = FontObject();
  PlacedGlyphs placed;
  if (PlaceGlyphs(*font, text, placed)) {
    const QFontMetricsF& fm = Metrics();
    const double width = placed.width;
    const double height = fm.ascent() + fm.descent();
    const double x = align_ == Align::Left ? 0 : align_ == Align::Right ? r.width() - width : (r.width() - width) / 2;
    const double y = (r.height() - height) / 2;
    if (QRectF(r).contains(QRectF(r.x() + x, r.y() + y, width, height))) {
      DrawPlacedGlyphs(p, *font, placed, r.x() + x, r.y() + y + fm.ascent());
      return;
    }
  }
  p.setFont(Font());
  const int flags = Qt::AlignVCenter | Qt::TextSingleLine |
                    (align_ == Align::Left    ? Qt::AlignLeft
                     : align_ == Align::Right ? Qt::AlignRight
                                              : Qt::AlignHCenter);
  p.drawText(r, flags, text);
}

GroupBox::GroupBox(const ControlDesign& d, Control* parent) : Control(d, parent) {}

QWidget* GroupBox::MakeWidget(QWidget* host) { return new DrawnWidget(*this, host); }

void GroupBox::Paint(QPainter& p) {
  const QRect r(0, 0, widget_->width(), widget_->height());
  p.fillRect(r, ToQColor(color_));
  const QFont& font = Font();
  const QFontMetricsF& fm = Metrics();
  const int half = std::abs(fontHeight_) / 2;
  const QRect frame = r.adjusted(0, half, -1, -1);
  p.setPen(ToQColor(clr::BtnShadow));
  p.drawRect(frame);
  p.setPen(ToQColor(clr::White));
  p.drawRect(frame.adjusted(1, 1, 1, 1));
  const QString text = DisplayText(caption_);
  if (text.isEmpty()) return;
  const QRectF textRect(8, 0, fm.horizontalAdvance(text) + 4, std::abs(fontHeight_));
  p.fillRect(textRect, ToQColor(color_));
  p.setFont(font);
  p.setPen(ToQColor(fontColor_));
  p.drawText(textRect, Qt::AlignCenter, text);
}

// --- Image and canvas ------------------------------------------------------------------

// The blank picture of the design size, clear all over, is made when first needed: the
// screens' large pictures cost no memory before they are drawn on or shown.
Image::Image(const ControlDesign& d, Control* parent)
    : Control(d, parent), stretch_(d.stretch), transparent_(d.transparent), canvas_(*this) {
  source_ = [w = std::max(d.width, 1), h = std::max(d.height, 1)] {
    QImage blank(w, h, QImage::Format_ARGB32_Premultiplied);
    blank.fill(Qt::transparent);
    return blank;
  };
}

QWidget* Image::MakeWidget(QWidget* host) { return new DrawnWidget(*this, host); }

void Image::SetPicture(const QImage& picture) {
  canvas_.Discard();
  source_ = nullptr;
  picture_ = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  Repaint();
}

void Image::SetPictureSource(std::function<QImage()> make) {
  canvas_.Discard();
  source_ = std::move(make);
  Repaint();
}

QImage& Image::Picture() {
  if (source_) {
    const std::function<QImage()> make = std::move(source_);
    source_ = nullptr;
    picture_ = make().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  canvas_.Flush();
  return picture_;
}

void Image::Paint(QPainter& p) {
  const QRect r(0, 0, widget_->width(), widget_->height());
  if (stretch_)
    p.drawImage(r, Picture());
  else
    p.drawImage(QPoint(0, 0), Picture());
}

Canvas::Canvas(Image& owner) : owner_(owner) {}
Canvas::~Canvas() = default;

void Canvas::Fill(Color c) {
  // A full fill covers whatever had not been drawn yet.
  pending_.clear();
  pending_.push_back({true, c, c, face_, fontPx_, 0, 0, {}});
  texts_.clear();
  owner_.PictureChanged();
}

void Canvas::TextOut(int x, int y, std::string_view cp932) { TextOutUtf8(x, y, plat::cp932::ToUtf8(cp932)); }

void Canvas::TextOutUtf8(int x, int y, std::string_view utf8) {
  pending_.push_back({false, fontColor_, brush_, face_, fontPx_, x, y, std::string(utf8)});
  texts_.push_back({x, y, fontColor_, std::string(utf8)});
  owner_.PictureChanged();
}

void Canvas::Flush() {
  if (pending_.empty()) return;
  QImage& picture = owner_.picture_;
  std::unique_ptr<QPainter> p;
  for (const Pending& op : pending_) {
    if (op.fill) {
      p.reset();
      picture.fill(ToQColor(op.colour));
      continue;
    }
    // The pages draw hundreds of cells at a time: the font is made once per size and face.
    if (!font_ || fontKey_ != std::make_pair(op.face, op.fontPx)) {
      font_ = std::make_unique<QFont>(MakeFont(op.face, op.fontPx));
      metrics_ = std::make_unique<QFontMetricsF>(*font_);
      fontKey_ = {op.face, op.fontPx};
      if (p) p->setFont(*font_);
    }
    if (!p) {
      p = std::make_unique<QPainter>(&picture);
      p->setFont(*font_);
    }
    const QString text = QString::fromUtf8(op.text.data(), static_cast<qsizetype>(op.text.size()));
    const QRectF cell(op.x, op.y, metrics_->horizontalAdvance(text), op.fontPx);
    p->fillRect(cell, ToQColor(op.brush));
    p->setPen(ToQColor(op.colour));
    p->drawText(QPointF(op.x, op.y + (op.fontPx + metrics_->ascent() - metrics_->descent()) / 2.0), text);
  }
  pending_.clear();
}

}  // namespace ui
