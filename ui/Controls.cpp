#include "ui/Controls.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QValidator>
#include <QWidget>
#include <cmath>
#include <unordered_map>

#include "platform/Cp932.h"

namespace ui {
namespace {

QColor ToQColor(Color c) { return QColor::fromRgb((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

MouseButton FromQt(Qt::MouseButton b) {
  switch (b) {
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::Left;
  }
}

// Captions treat "&&" as one ampersand and a single '&' as an accelerator mark.
QString DisplayText(const std::string& utf8) {
  const QString raw = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  if (!raw.contains(QLatin1Char('&'))) return raw;
  QString out;
  out.reserve(raw.size());
  for (qsizetype i = 0; i < raw.size(); ++i) {
    if (raw[i] == QLatin1Char('&')) {
      if (i + 1 < raw.size() && raw[i + 1] == QLatin1Char('&')) {
        out += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    out += raw[i];
  }
  return out;
}

// The drawn kinds paint through their control and hand the mouse to it.
class DrawnWidget : public QWidget {
 public:
  DrawnWidget(Control& control, QWidget* host) : QWidget(host), control_(control) {
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    control_.Paint(painter);
  }
  void mousePressEvent(QMouseEvent* e) override { control_.MouseDown(FromQt(e->button())); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) control_.Click();
    control_.MouseUp(FromQt(e->button()));
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    control_.DblClick();
    control_.MouseDown(FromQt(e->button()));
  }

 private:
  Control& control_;
};

void DrawBevel(QPainter& p, QRect& r, Bevel bevel, int width) {
  if (bevel == Bevel::None) return;
  const QColor light = ToQColor(clr::White), dark = ToQColor(0xA0A0A0);
  const QColor& topLeft = bevel == Bevel::Raised ? light : dark;
  const QColor& bottomRight = bevel == Bevel::Raised ? dark : light;
  for (int i = 0; i < width && r.width() > 1 && r.height() > 1; ++i) {
    p.setPen(topLeft);
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(bottomRight);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    r.adjust(1, 1, -1, -1);
  }
}

}  // namespace

QFont MakeFont(Face face, int pixelHeight, bool bold) {
  QFont font(face == Face::Gothic ? QStringLiteral("ＭＳ ゴシック") : QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(std::max(1, std::abs(pixelHeight)));
  font.setBold(bold);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

int PointsToPixels(int points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

// --- Control ---------------------------------------------------------------------------

Control::Control(const ControlDesign& d, Control* parent)
    : name_(d.name), kind_(d.kind), parent_(parent), tag_(d.tag), visible_(d.visible),
      enabled_(d.enabled), left_(d.left), top_(d.top), width_(d.width), height_(d.height),
      fontHeight_(d.fontHeight), fontColor_(d.fontColor), color_(d.color), bold_(d.bold),
      face_(d.face), caption_(d.caption), hint_(d.hint) {
  if (parent_) parent_->children_.push_back(this);
}

Control::~Control() = default;

void Control::SetWidget(QWidget* widget) {
  widget_ = widget;
  widget_->setObjectName(QString::fromStdString(name_));
  widget_->setGeometry(left_, top_, width_, height_);
  widget_->setFont(MakeFont(face_, fontHeight_, bold_));
  widget_->setEnabled(enabled_);
  if (!hint_.empty()) widget_->setToolTip(QString::fromStdString(hint_));
  widget_->setVisible(visible_);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
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
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (widget_) widget_->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

void Control::SetFontHeight(int px) {
  if (px == fontHeight_) return;
  fontHeight_ = px;
  FontChanged();
}

void Control::SetFontColor(Color c) {
  if (c == fontColor_) return;
  fontColor_ = c;
  FontChanged();
}

void Control::SetColor(Color c) {
  if (c == color_) return;
  color_ = c;
  FontChanged();
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

void Control::FontChanged() {
  if (widget_) widget_->setFont(MakeFont(face_, fontHeight_, bold_));
  Repaint();
}

void Control::Repaint() {
  if (widget_ && visible_) widget_->update();
}

// --- Label -----------------------------------------------------------------------------

Label::Label(const ControlDesign& d, Control* parent, QWidget* host)
    : Control(d, parent), transparent_(d.transparent), autoSize_(d.autoSize),
      wordWrap_(d.wordWrap), align_(d.align) {
  SetWidget(new DrawnWidget(*this, host));
  widget_->setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
  AdjustBounds();
}

void Label::SetTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  // An opaque label covers its whole rectangle: nothing below it needs painting.
  widget_->setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
  Repaint();
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustBounds();
}

void Label::FontChanged() {
  Control::FontChanged();
  AdjustBounds();
}

// An auto-sized label fits its text: the widest line by the lines' height. An empty
// caption measures as one blank, so the label keeps a clickable size.
void Label::AdjustBounds() {
  if (!autoSize_) return;
  QString text = DisplayText(caption_);
  if (text.isEmpty()) text = QStringLiteral(" ");
  const QStringList lines = text.split(QLatin1Char('\n'));
  const QFontMetricsF fm(MakeFont(face_, fontHeight_, bold_));
  double widest = 0;
  for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));
  const int w = wordWrap_ ? width_ : static_cast<int>(std::ceil(widest - 0.01));
  const int h = static_cast<int>(lines.size()) * std::abs(fontHeight_);
  SetBounds(left_, top_, w, h);
}

void Label::Paint(QPainter& p) {
  const QRect r(0, 0, widget_->width(), widget_->height());
  if (!transparent_) p.fillRect(r, ToQColor(color_));
  p.setPen(enabled_ ? ToQColor(fontColor_) : ToQColor(clr::Gray));
  const QFont font = MakeFont(face_, fontHeight_, bold_);
  p.setFont(font);
  const QFontMetricsF fm(font);
  const int lineHeight = std::abs(fontHeight_);
  const QStringList lines = DisplayText(caption_).split(QLatin1Char('\n'));
  int y = 0;
  for (const QString& line : lines) {
    double x = 0;
    const double w = fm.horizontalAdvance(line);
    if (align_ == Align::Center) x = (r.width() - w) / 2;
    if (align_ == Align::Right) x = r.width() - w;
    p.drawText(QPointF(x, y + (lineHeight + fm.ascent() - fm.descent()) / 2.0), line);
    y += lineHeight;
  }
}

// --- Panel and group box ---------------------------------------------------------------

Panel::Panel(const ControlDesign& d, Control* parent, QWidget* host)
    : Control(d, parent), inner_(d.bevelInner), outer_(d.bevelOuter), bevelWidth_(d.bevelWidth),
      align_(d.align) {
  SetWidget(new DrawnWidget(*this, host));
  widget_->setAttribute(Qt::WA_OpaquePaintEvent);  // a panel paints all of itself
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
  p.setFont(MakeFont(face_, fontHeight_, bold_));
  const int flags = Qt::AlignVCenter | Qt::TextSingleLine |
                    (align_ == Align::Left    ? Qt::AlignLeft
                     : align_ == Align::Right ? Qt::AlignRight
                                              : Qt::AlignHCenter);
  p.drawText(r, flags, DisplayText(caption_));
}

GroupBox::GroupBox(const ControlDesign& d, Control* parent, QWidget* host) : Control(d, parent) {
  SetWidget(new DrawnWidget(*this, host));
}

void GroupBox::Paint(QPainter& p) {
  const QRect r(0, 0, widget_->width(), widget_->height());
  p.fillRect(r, ToQColor(color_));
  const QFont font = MakeFont(face_, fontHeight_, bold_);
  const QFontMetricsF fm(font);
  const int half = std::abs(fontHeight_) / 2;
  const QRect frame = r.adjusted(0, half, -1, -1);
  p.setPen(ToQColor(0xA0A0A0));
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

Image::Image(const ControlDesign& d, Control* parent, QWidget* host)
    : Control(d, parent), stretch_(d.stretch), transparent_(d.transparent), canvas_(*this) {
  picture_ = QImage(std::max(d.width, 1), std::max(d.height, 1), QImage::Format_ARGB32_Premultiplied);
  picture_.fill(Qt::transparent);
  SetWidget(new DrawnWidget(*this, host));
}

void Image::SetPicture(const QImage& picture) {
  picture_ = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  Repaint();
}

void Image::Paint(QPainter& p) {
  const QRect r(0, 0, widget_->width(), widget_->height());
  if (stretch_)
    p.drawImage(r, picture_);
  else
    p.drawImage(QPoint(0, 0), picture_);
}

Canvas::Canvas(Image& owner) : owner_(owner) {}
Canvas::~Canvas() = default;

void Canvas::Fill(Color c) {
  owner_.Picture().fill(ToQColor(c));
  texts_.clear();
  owner_.PictureChanged();
}

void Canvas::TextOut(int x, int y, std::string_view cp932) {
  TextOutUtf8(x, y, plat::cp932::ToUtf8(cp932));
}

void Canvas::TextOutUtf8(int x, int y, std::string_view utf8) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  QImage& picture = owner_.Picture();
  // The pages draw hundreds of cells at a time: the font is made once per size and face.
  if (!font_ || fontKey_ != std::make_pair(face_, fontPx_)) {
    font_ = std::make_unique<QFont>(MakeFont(face_, fontPx_));
    metrics_ = std::make_unique<QFontMetricsF>(*font_);
    fontKey_ = {face_, fontPx_};
  }
  {
    QPainter p(&picture);
    const QRectF cell(x, y, metrics_->horizontalAdvance(text), fontPx_);
    p.fillRect(cell, ToQColor(brush_));
    p.setFont(*font_);
    p.setPen(ToQColor(fontColor_));
    p.drawText(QPointF(x, y + (fontPx_ + metrics_->ascent() - metrics_->descent()) / 2.0), text);
  }
  texts_.push_back({x, y, fontColor_, std::string(utf8)});
  owner_.PictureChanged();
}

// --- Check box -------------------------------------------------------------------------

CheckBox::CheckBox(const ControlDesign& d, Control* parent, QWidget* host) : Control(d, parent) {
  auto* box = new QCheckBox(host);
  box->setFocusPolicy(Qt::NoFocus);
  QObject::connect(box, &QCheckBox::clicked, box, [this](bool checked) {
    checked_ = checked;
    Click();
  });
  SetWidget(box);
  CaptionChanged();
  FontChanged();
}

void CheckBox::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  auto* box = static_cast<QCheckBox*>(widget_);
  const QSignalBlocker block(box);
  box->setChecked(checked);
  Click();
}

void CheckBox::CaptionChanged() {
  static_cast<QCheckBox*>(widget_)->setText(DisplayText(caption_));
}

void CheckBox::FontChanged() {
  Control::FontChanged();
  QPalette pal = widget_->palette();
  pal.setColor(QPalette::Window, ToQColor(color_));
  pal.setColor(QPalette::WindowText, ToQColor(fontColor_));
  widget_->setPalette(pal);
  widget_->setAutoFillBackground(true);
}

// --- Text fields -----------------------------------------------------------------------

namespace {

// Refuses any change that would leave CP932 or the byte limit.
class ByteLimitValidator : public QValidator {
 public:
  ByteLimitValidator(const TextField& field, QObject* parent) : QValidator(parent), field_(field) {}
  State validate(QString& input, int&) const override {
    return field_.Accepts(input) ? Acceptable : Invalid;
  }

 private:
  const TextField& field_;
};

uint16_t VkOfQtKey(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Backspace: return 8;
    default: return key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde ? static_cast<uint16_t>(std::toupper(key)) : 0;
  }
}

class FieldWidget : public QLineEdit {
 public:
  FieldWidget(TextField& field, QWidget* host) : QLineEdit(host), field_(field) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    uint16_t vk = VkOfQtKey(e->key());
    if (vk && field_.OnKeyDown) {
      field_.OnKeyDown(field_, vk);
      if (vk == 0) return;
    }
    QLineEdit::keyPressEvent(e);
  }
  void mousePressEvent(QMouseEvent* e) override {
    QLineEdit::mousePressEvent(e);
    field_.MouseDown(FromQt(e->button()));
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QLineEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton) field_.Click();
    field_.MouseUp(FromQt(e->button()));
  }

 private:
  TextField& field_;
};

}  // namespace

TextField::TextField(const ControlDesign& d, Control* parent)
    : Control(d, parent), maxBytes_(d.maxBytes), readOnly_(d.readOnly) {
  if (auto bytes = plat::cp932::FromUtf8(d.caption)) text_ = *bytes;
  caption_.clear();
}

std::string TextField::TextUtf8() const { return plat::cp932::ToUtf8(text_); }

bool TextField::Accepts(const QString& text) const {
  const auto bytes = plat::cp932::FromQString(text);
  return bytes && (maxBytes_ <= 0 || bytes->size() <= static_cast<size_t>(maxBytes_));
}

void TextField::SetText(std::string_view cp932) {
  pendingLead_ = 0;
  text_.assign(cp932);
  ShowText();
}

bool TextField::SetTextUtf8(std::string_view utf8) {
  auto bytes = plat::cp932::FromUtf8(utf8);
  if (!bytes) return false;
  SetText(*bytes);
  return true;
}

void TextField::SetMaxBytes(int n) { maxBytes_ = n; }

bool TextField::TypeChar(uint8_t ch) {
  if (readOnly_ || !enabled_) return false;
  if (ch == 8) {
    pendingLead_ = 0;
    if (text_.empty()) return false;
    // Remove the last whole character.
    size_t cut = 0;
    for (size_t i = 0; i < text_.size();) {
      cut = i;
      i += plat::cp932::IsLeadByte(static_cast<unsigned char>(text_[i])) ? 2 : 1;
    }
    text_.resize(cut);
    ShowText();
    return true;
  }
  // A double-byte character arrives as two bytes: it goes in whole or not at all.
  std::string character;
  if (pendingLead_) {
    character = {static_cast<char>(pendingLead_), static_cast<char>(ch)};
    pendingLead_ = 0;
  } else if (plat::cp932::IsLeadByte(ch)) {
    pendingLead_ = ch;
    return true;
  } else {
    character = std::string(1, static_cast<char>(ch));
  }
  if (static_cast<unsigned char>(character[0]) < 0x20 || character[0] == 0x7F) return false;
  if (maxBytes_ > 0 && text_.size() + character.size() > static_cast<size_t>(maxBytes_)) return false;
  if (plat::cp932::ToUtf8(character).find("\xEF\xBF\xBD") != std::string::npos) return false;  // not CP932
  text_ += character;
  ShowText();
  return true;
}

void TextField::TypeText(std::string_view utf8) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString one = text.mid(i, n);
    i += n;
    const auto bytes = plat::cp932::FromQString(one);
    if (!bytes || bytes->empty() || static_cast<unsigned char>((*bytes)[0]) < 0x20) continue;
    if (maxBytes_ > 0 && text_.size() + bytes->size() > static_cast<size_t>(maxBytes_)) continue;
    text_ += *bytes;
  }
  ShowText();
}

void TextField::TakeFromWidget(const QString& text) {
  if (syncing_) return;
  if (auto bytes = plat::cp932::FromQString(text)) text_ = *bytes;
}

Edit::Edit(const ControlDesign& d, Control* parent, QWidget* host) : TextField(d, parent) {
  auto* edit = new FieldWidget(*this, host);
  edit->setValidator(new ByteLimitValidator(*this, edit));
  edit->setReadOnly(readOnly_);
  QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& t) { TakeFromWidget(t); });
  SetWidget(edit);
  FontChanged();
  ShowText();
}

void Edit::ShowText() {
  syncing_ = true;
  static_cast<QLineEdit*>(widget_)->setText(plat::cp932::ToQString(text_));
  syncing_ = false;
}

void Edit::FontChanged() {
  Control::FontChanged();
  QPalette pal = widget_->palette();
  pal.setColor(QPalette::Base, ToQColor(color_));
  pal.setColor(QPalette::Text, ToQColor(fontColor_));
  widget_->setPalette(pal);
}

Memo::Memo(const ControlDesign& d, Control* parent, QWidget* host) : TextField(d, parent) {
  // Memos of one line are edit lines; taller ones show their lines and are read here only.
  if (d.height > 2 * d.fontHeight) {
    auto* lines = new QPlainTextEdit(host);
    lines->setReadOnly(true);
    lines->setFrameShape(QFrame::NoFrame);
    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lines->setFocusPolicy(Qt::NoFocus);
    SetWidget(lines);
    FontChanged();
    ShowText();
    return;
  }
  auto* edit = new FieldWidget(*this, host);
  edit->setValidator(new ByteLimitValidator(*this, edit));
  edit->setReadOnly(readOnly_);
  edit->setFrame(false);
  QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& t) { TakeFromWidget(t); });
  SetWidget(edit);
  FontChanged();
  ShowText();
}

void Memo::ShowText() {
  syncing_ = true;
  if (auto* lines = qobject_cast<QPlainTextEdit*>(widget_))
    lines->setPlainText(plat::cp932::ToQString(text_));
  else
    static_cast<QLineEdit*>(widget_)->setText(plat::cp932::ToQString(text_));
  syncing_ = false;
}

void Memo::FontChanged() {
  Control::FontChanged();
  QPalette pal = widget_->palette();
  pal.setColor(QPalette::Base, ToQColor(color_));
  pal.setColor(QPalette::Text, ToQColor(fontColor_));
  widget_->setPalette(pal);
}

// --- Buttons ---------------------------------------------------------------------------

Button::Button(const ControlDesign& d, Control* parent, QWidget* host) : Control(d, parent) {
  auto* button = new QPushButton(host);
  button->setAutoDefault(true);  // a focused button answers Enter, as on the desktop it was made for
  QObject::connect(button, &QPushButton::clicked, button, [this] { Click(); });
  SetWidget(button);
  CaptionChanged();
  FontChanged();
}

void Button::CaptionChanged() { static_cast<QPushButton*>(widget_)->setText(DisplayText(caption_)); }

void Button::FontChanged() {
  Control::FontChanged();
  QPalette pal = widget_->palette();
  pal.setColor(QPalette::ButtonText, ToQColor(fontColor_));
  widget_->setPalette(pal);
}

SpeedButton::SpeedButton(const ControlDesign& d, Control* parent, QWidget* host) : Control(d, parent) {
  auto* button = new QToolButton(host);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(false);
  QObject::connect(button, &QToolButton::clicked, button, [this] { Click(); });
  SetWidget(button);
  if (!caption_.empty()) button->setText(DisplayText(caption_));
}

void SpeedButton::SetGlyph(const QImage& glyph) {
  auto* button = static_cast<QToolButton*>(widget_);
  button->setIcon(QIcon(QPixmap::fromImage(glyph)));
  button->setIconSize(glyph.size());
}

void SpeedButton::FontChanged() { Control::FontChanged(); }

// --- Building a form -------------------------------------------------------------------

ControlSet::~ControlSet() = default;

void ControlSet::Build(const FormDesign& design, QWidget* form) {
  std::unordered_map<std::string_view, Control*> byName;
  for (const ControlDesign& row : design.controls) {
    Control* parent = nullptr;
    QWidget* host = form;
    Color parentColor = design.color;
    if (*row.parent) {
      auto it = byName.find(row.parent);
      if (it == byName.end()) throw std::logic_error(std::string("control before its parent: ") + row.name);
      parent = it->second;
      host = parent->Widget();
      parentColor = parent->BackColor();
    }
    ControlDesign d = row;
    if (d.color == clr::Parent) d.color = parentColor;
    std::unique_ptr<Control> c;
    switch (d.kind) {
      case Kind::Panel: c = std::make_unique<Panel>(d, parent, host); break;
      case Kind::Label: c = std::make_unique<Label>(d, parent, host); break;
      case Kind::Image: c = std::make_unique<Image>(d, parent, host); break;
      case Kind::CheckBox: c = std::make_unique<CheckBox>(d, parent, host); break;
      case Kind::Edit: c = std::make_unique<Edit>(d, parent, host); break;
      case Kind::Memo: c = std::make_unique<Memo>(d, parent, host); break;
      case Kind::Button: c = std::make_unique<Button>(d, parent, host); break;
      case Kind::SpeedButton: c = std::make_unique<SpeedButton>(d, parent, host); break;
      case Kind::GroupBox: c = std::make_unique<GroupBox>(d, parent, host); break;
    }
    if (!byName.emplace(c->Name(), c.get()).second)
      throw std::logic_error(std::string("two controls named ") + row.name);
    controls_.push_back(std::move(c));
  }
}

Control* ControlSet::Find(std::string_view name) const {
  for (const auto& c : controls_)
    if (c->Name() == name) return c.get();
  return nullptr;
}

}  // namespace ui
