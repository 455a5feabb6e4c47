// The controls a player works: check boxes, radio buttons, edit and memo fields, buttons.
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QValidator>
#include <QWidget>

#include "platform/Cp932.h"
#include "ui/ControlWidgets.h"
#include "ui/Controls.h"

namespace ui {

using detail::DisplayText;
using detail::FromQt;
using detail::ToQColor;

// --- Check box -------------------------------------------------------------------------

CheckBox::CheckBox(const ControlDesign& d, Control* parent) : Control(d, parent) {}

QAbstractButton* CheckBox::MakeButton(QWidget* host) { return new QCheckBox(host); }

QWidget* CheckBox::MakeWidget(QWidget* host) {
  QAbstractButton* button = MakeButton(host);
  button->setFocusPolicy(Qt::NoFocus);
  button->setChecked(checked_);
  QObject::connect(button, &QAbstractButton::clicked, button, [this](bool checked) { Clicked(checked); });
  widget_ = button;
  CaptionChanged();
  ColoursChanged();
  return button;
}

void CheckBox::Clicked(bool checked) {
  checked_ = checked;
  Click();
}

void CheckBox::SetState(bool checked) {
  checked_ = checked;
  if (!widget_) return;
  auto* button = static_cast<QAbstractButton*>(widget_);
  const QSignalBlocker block(button);
  button->setChecked(checked);
}

void CheckBox::SetChecked(bool checked) {
  if (checked_ == checked) return;
  SetState(checked);
  Click();
}

// --- Radio button ----------------------------------------------------------------------

RadioButton::RadioButton(const ControlDesign& d, Control* parent) : CheckBox(d, parent) {}

QAbstractButton* RadioButton::MakeButton(QWidget* host) {
  auto* button = new QRadioButton(host);
  // The group is kept here, so that the driver's changes clear the others as a click does.
  button->setAutoExclusive(false);
  return button;
}

void RadioButton::ClearOthers() {
  if (!parent_) return;
  for (Control* c : parent_->Children())
    if (c != this && c->GetKind() == Kind::RadioButton) static_cast<RadioButton*>(c)->SetState(false);
}

void RadioButton::SetChecked(bool checked) {
  if (checked) ClearOthers();
  CheckBox::SetChecked(checked);
}

void RadioButton::Clicked(bool checked) {
  if (!checked) {
    SetState(true);
    return;
  }
  ClearOthers();
  CheckBox::Clicked(true);
}

void CheckBox::CaptionChanged() {
  if (widget_) static_cast<QAbstractButton*>(widget_)->setText(DisplayText(caption_));
}

void CheckBox::ColoursChanged() {
  Control::ColoursChanged();
  if (!widget_) return;
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
  State validate(QString& input, int&) const override { return field_.Accepts(input) ? Acceptable : Invalid; }

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

void TextField::ColoursChanged() {
  Control::ColoursChanged();
  if (!widget_) return;
  QPalette pal = widget_->palette();
  pal.setColor(QPalette::Base, ToQColor(color_));
  pal.setColor(QPalette::Text, ToQColor(fontColor_));
  widget_->setPalette(pal);
}

QLineEdit* TextField::MakeLine(QWidget* host) {
  auto* edit = new FieldWidget(*this, host);
  edit->setValidator(new ByteLimitValidator(*this, edit));
  edit->setReadOnly(readOnly_);
  QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& t) { TakeFromWidget(t); });
  return edit;
}

Edit::Edit(const ControlDesign& d, Control* parent) : TextField(d, parent) {}

QWidget* Edit::MakeWidget(QWidget* host) {
  widget_ = MakeLine(host);
  ColoursChanged();
  ShowText();
  return widget_;
}

void Edit::ShowText() {
  if (!widget_) return;
  syncing_ = true;
  static_cast<QLineEdit*>(widget_)->setText(plat::cp932::ToQString(text_));
  syncing_ = false;
}

// Memos of one line are edit lines; taller ones show their lines and are read here only.
Memo::Memo(const ControlDesign& d, Control* parent) : TextField(d, parent), lines_(d.height > 2 * d.fontHeight) {}

QWidget* Memo::MakeWidget(QWidget* host) {
  if (lines_) {
    auto* lines = new QPlainTextEdit(host);
    lines->setReadOnly(true);
    lines->setFrameShape(QFrame::NoFrame);
    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lines->setFocusPolicy(Qt::NoFocus);
    widget_ = lines;
  } else {
    QLineEdit* edit = MakeLine(host);
    edit->setFrame(false);
    widget_ = edit;
  }
  ColoursChanged();
  ShowText();
  return widget_;
}

void Memo::ShowText() {
  if (!widget_) return;
  syncing_ = true;
  if (auto* lines = qobject_cast<QPlainTextEdit*>(widget_))
    lines->setPlainText(plat::cp932::ToQString(text_));
  else
    static_cast<QLineEdit*>(widget_)->setText(plat::cp932::ToQString(text_));
  syncing_ = false;
}

// --- Buttons ---------------------------------------------------------------------------

Button::Button(const ControlDesign& d, Control* parent) : Control(d, parent) {}

QWidget* Button::MakeWidget(QWidget* host) {
  auto* button = new QPushButton(host);
  button->setAutoDefault(true);  // a focused button answers Enter, as on the desktop it was made for
  QObject::connect(button, &QPushButton::clicked, button, [this] { Click(); });
  widget_ = button;
  CaptionChanged();
  ColoursChanged();
  return button;
}

void Button::CaptionChanged() {
  if (widget_) static_cast<QPushButton*>(widget_)->setText(DisplayText(caption_));
}

void Button::ColoursChanged() {
  Control::ColoursChanged();
  if (!widget_) return;
  QPalette pal = widget_->palette();
  pal.setColor(QPalette::ButtonText, ToQColor(fontColor_));
  widget_->setPalette(pal);
}

SpeedButton::SpeedButton(const ControlDesign& d, Control* parent) : Control(d, parent) {}

QWidget* SpeedButton::MakeWidget(QWidget* host) {
  auto* button = new QToolButton(host);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(false);
  QObject::connect(button, &QToolButton::clicked, button, [this] { Click(); });
  if (!caption_.empty()) button->setText(DisplayText(caption_));
  if (!glyph_.isNull()) {
    button->setIcon(QIcon(QPixmap::fromImage(glyph_)));
    button->setIconSize(glyph_.size());
  }
  return button;
}

void SpeedButton::SetGlyph(const QImage& glyph) {
  glyph_ = glyph;
  if (!widget_) return;
  auto* button = static_cast<QToolButton*>(widget_);
  button->setIcon(QIcon(QPixmap::fromImage(glyph)));
  button->setIconSize(glyph.size());
}

}  // namespace ui
