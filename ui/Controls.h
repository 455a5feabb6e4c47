#pragma once
// The control layer: thin classes over Qt widgets that behave the way the game's screens
// are described — panels with bevels, labels that size themselves, images with a canvas
// that remembers what was written on it, and text fields limited in CP932 bytes.
#include <QImage>
#include <QList>
#include <QPointF>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Color.h"
#include "ui/Design.h"

class QAbstractButton;
class QLineEdit;
class QWidget;
class QPainter;
class QFont;
class QFontMetricsF;
class QStaticText;

namespace ui {

class ControlSet;

enum class MouseButton { Left, Right, Middle };

QFont MakeFont(Face face, int pixelHeight, bool bold = false);
// A font with its metrics, made once and shared until the face, height or boldness changes.
struct ControlFont;
// The advance of a text in that font, measured once.
double TextWidth(const ControlFont& font, const QString& text);
// A line of text as glyphs placed one after the other, when every character is one the
// font lays out alone (ASCII and half-width kana: no shaping, no kerning): no text layout
// is needed to measure or draw it. `width` is its advance, as TextWidth measures it.
struct PlacedGlyphs {
  QList<quint32> glyphs;
  QList<QPointF> positions;  // on the baseline, from the left end
  double width = 0;
};
bool PlaceGlyphs(const ControlFont& font, const QString& text, PlacedGlyphs& out);
// Draws placed glyphs with their left end at `x` on the baseline `y`.
void DrawPlacedGlyphs(QPainter& painter, const ControlFont& font, const PlacedGlyphs& placed, double x, double y);
// Pixel height of a font given in points on a 96-dpi screen (8 pt -> 11 px, 9 pt -> 12 px).
int PointsToPixels(int points);

class Control {
 public:
  Control(const ControlDesign& design, Control* parent);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  Kind GetKind() const { return kind_; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // The control's own visibility flag, not whether it can be seen.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible together with every parent.
  bool Showing() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const {
    if (widthPending_) MeasureNow();
    return width_;
  }
  int Height() const { return height_; }
  // The width as it stands, without measuring a label whose screen has not been built yet.
  int WidthIfMeasured() const { return width_; }
  // A move keeps the size, a width still to be measured included.
  void Move(int left, int top);
  void SetLeft(int v) { Move(v, top_); }
  void SetTop(int v) { Move(left_, v); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, Width(), v); }
  virtual void SetBounds(int left, int top, int width, int height);

  int FontHeight() const { return fontHeight_; }
  void SetFontHeight(int px);
  Color FontColor() const { return fontColor_; }
  void SetFontColor(Color c);
  Color BackColor() const { return color_; }
  void SetColor(Color c);
  bool Bold() const { return bold_; }
  Face GetFace() const { return face_; }

  // Caption in UTF-8; CP932 bytes are decoded where they are shown.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view utf8);
  void SetCaptionBytes(std::string_view cp932);

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view utf8);

  // Events. The widgets raise them for a player's mouse; the driver raises them directly.
  std::function<void(Control&)> OnClick, OnDblClick;
  std::function<void(Control&, MouseButton)> OnMouseDown, OnMouseUp;
  void Click();
  void DblClick();
  void MouseDown(MouseButton button);
  void MouseUp(MouseButton button);

  // The control's widget, made now if its form builds widgets late and it has none yet.
  QWidget* Widget() const;
  // Whether the widget exists (a form that builds late has controls without one).
  bool HasWidget() const { return widget_ != nullptr; }
  // Paints the control's own look (used by the drawn kinds).
  virtual void Paint(QPainter& painter);

  // The control's font. A change of colour keeps it; only a change of face, height or
  // boldness makes a new one (making fonts and measuring text dominate an idle title).
  std::shared_ptr<const ControlFont> FontObject() const;
  const QFont& Font() const;
  const QFontMetricsF& Metrics() const;

 protected:
  friend class ControlSet;
  // Makes the control's widget on `host` and gives it the control's whole state.
  void Materialize(QWidget* host);
  // The widget of the kind, with the state only the kind knows; the common state follows.
  virtual QWidget* MakeWidget(QWidget* host) = 0;
  // Whether a change that needs the widget's fonts may wait until the widget is made.
  bool Dormant() const;
  // A width left to measure (a label of a screen not built yet) is measured now.
  virtual void MeasurePendingWidth() {}
  void MeasureNow() const { const_cast<Control*>(this)->MeasurePendingWidth(); }
  virtual void CaptionChanged() {}
  virtual void FontChanged();
  // Font or background colour changed: the font itself stays.
  virtual void ColoursChanged() { Repaint(); }
  void Repaint();

  std::string name_;
  Kind kind_;
  Control* parent_;
  std::vector<Control*> children_;
  QWidget* widget_ = nullptr;
  int tag_ = 0;
  bool visible_ = true, enabled_ = true;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int fontHeight_ = 12;
  Color fontColor_ = clr::WindowText, color_ = clr::BtnFace;
  bool bold_ = false;
  Face face_ = Face::Gothic;
  std::string caption_, hint_;
  bool widthPending_ = false;

 private:
  mutable std::shared_ptr<const ControlFont> font_;
  ControlSet* set_ = nullptr;
};

class Label : public Control {
 public:
  Label(const ControlDesign& design, Control* parent);
  ~Label() override;
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  Align Alignment() const { return align_; }
  void Paint(QPainter& painter) override;

 protected:
  QWidget* MakeWidget(QWidget* host) override;
  void MeasurePendingWidth() override;
  void CaptionChanged() override;
  void FontChanged() override;

 private:
  // The caption's lines laid out once for the current caption and font, with their widths:
  // repaints of an unchanged caption (a colour change, a blink) draw them as they are.
  struct Line;
  const std::vector<Line>& Lines();
  int MeasuredWidth();
  void AdjustBounds();
  bool transparent_, autoSize_, wordWrap_;
  Align align_;
  std::vector<Line> lines_;
  bool linesReady_ = false;
};

class Panel : public Control {
 public:
  Panel(const ControlDesign& design, Control* parent);
  Bevel BevelInner() const { return inner_; }
  Bevel BevelOuter() const { return outer_; }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelInner(Bevel b);
  void SetBevelOuter(Bevel b);
  void SetBevelWidth(int w);
  void Paint(QPainter& painter) override;

 protected:
  QWidget* MakeWidget(QWidget* host) override;

 private:
  Bevel inner_, outer_;
  int bevelWidth_;
  Align align_;
};

class GroupBox : public Control {
 public:
  GroupBox(const ControlDesign& design, Control* parent);
  void Paint(QPainter& painter) override;

 protected:
  QWidget* MakeWidget(QWidget* host) override;
};

// A text written on a canvas since its last full fill.
struct CanvasText {
  int x, y;
  Color color;
  std::string text;  // UTF-8
};

class Image;

class Canvas {
 public:
  explicit Canvas(Image& owner);
  ~Canvas();
  // Fills the whole picture and forgets the texts written on it.
  void Fill(Color c);
  void SetBrushColor(Color c) { brush_ = c; }
  Color BrushColor() const { return brush_; }
  void SetFontSize(int points) { fontPx_ = PointsToPixels(points); }
  void SetFontHeight(int px) { fontPx_ = px; }
  int FontHeight() const { return fontPx_; }
  void SetFontColor(Color c) { fontColor_ = c; }
  Color FontColor() const { return fontColor_; }
  void SetFace(Face f) { face_ = f; }
  // Text at a pixel position of the picture, on the brush colour.
  void TextOut(int x, int y, std::string_view cp932);
  void TextOutUtf8(int x, int y, std::string_view utf8);
  const std::vector<CanvasText>& Texts() const { return texts_; }

  // Drawing waits until the picture is looked at (painted or read): pages that are
  // redrawn while hidden cost no text layout.
  void Flush();
  // The picture was replaced: what had not been drawn yet is dropped.
  void Discard() { pending_.clear(); }
  // Room for `n` more texts, for a page drawn cell by cell.
  void Reserve(size_t n) {
    pending_.reserve(pending_.size() + n);
    texts_.reserve(texts_.size() + n);
  }

 private:
  struct Pending {
    bool fill;
    Color colour, brush;
    Face face;
    int fontPx, x, y;
    std::string text;  // UTF-8, made a QString when drawn
  };
  Image& owner_;
  Color brush_ = clr::White, fontColor_ = clr::WindowText;
  int fontPx_ = 12;
  Face face_ = Face::Gothic;
  std::vector<CanvasText> texts_;
  std::vector<Pending> pending_;
  std::unique_ptr<QFont> font_;
  std::unique_ptr<QFontMetricsF> metrics_;
  std::pair<Face, int> fontKey_{Face::Gothic, 0};
};

class Image : public Control {
 public:
  Image(const ControlDesign& design, Control* parent);
  // The picture, drawn stretched over the control when Stretch is on.
  QImage& Picture();
  void SetPicture(const QImage& picture);
  // A picture made only when it is first needed (painted or read): pictures of screens a
  // player may never open cost nothing before the first frame.
  void SetPictureSource(std::function<QImage()> make);
  bool Transparent() const { return transparent_; }
  ::ui::Canvas& Canvas() { return canvas_; }
  void PictureChanged() { Repaint(); }
  void Paint(QPainter& painter) override;

 protected:
  QWidget* MakeWidget(QWidget* host) override;

 private:
  friend class ::ui::Canvas;
  QImage picture_;
  std::function<QImage()> source_;
  bool stretch_, transparent_;
  ::ui::Canvas canvas_;
};

class CheckBox : public Control {
 public:
  CheckBox(const ControlDesign& design, Control* parent);
  bool Checked() const { return checked_; }
  // A change of state raises OnClick, as a click does.
  virtual void SetChecked(bool checked);

 protected:
  QWidget* MakeWidget(QWidget* host) override;
  // The button of the kind (a radio button brings its own).
  virtual QAbstractButton* MakeButton(QWidget* host);
  // A player's click has left the button `checked`.
  virtual void Clicked(bool checked);
  // The state alone: no event.
  void SetState(bool checked);
  void CaptionChanged() override;
  void ColoursChanged() override;

 private:
  bool checked_ = false;
};

// One choice of several: the radio buttons of one parent form a group in which at most one
// is checked. Checking one clears the others (they raise no event); a click on the checked
// one leaves it checked.
class RadioButton : public CheckBox {
 public:
  RadioButton(const ControlDesign& design, Control* parent);
  void SetChecked(bool checked) override;

 protected:
  QAbstractButton* MakeButton(QWidget* host) override;
  void Clicked(bool checked) override;

 private:
  void ClearOthers();
};

// Edit fields and memos: text held as CP932 bytes, limited to MaxBytes (0 = no limit),
// never cutting a double-byte character, refusing characters CP932 cannot hold.
class TextField : public Control {
 public:
  TextField(const ControlDesign& design, Control* parent);
  const std::string& Text() const { return text_; }  // CP932 bytes
  std::string TextUtf8() const;
  void SetText(std::string_view cp932);
  bool SetTextUtf8(std::string_view utf8);
  int MaxBytes() const { return maxBytes_; }
  void SetMaxBytes(int n);
  bool ReadOnly() const { return readOnly_; }
  // Types one character at the end, as a keystroke does (Backspace removes the last
  // character); returns false when the field refuses it.
  bool TypeChar(uint8_t ch);
  // Types a whole UTF-8 text as a player would, character by character within the limit.
  void TypeText(std::string_view utf8);
  // Whether `utf8` may replace the whole text.
  bool Accepts(const QString& text) const;
  std::function<void(TextField&, uint16_t& vk)> OnKeyDown;

 protected:
  virtual void ShowText() = 0;
  // Both kinds show their text in the field's colours.
  void ColoursChanged() override;
  // The one-line widget of both kinds: the byte limit checked as the player types.
  QLineEdit* MakeLine(QWidget* host);
  void TakeFromWidget(const QString& text);
  std::string text_;
  int maxBytes_;
  bool readOnly_;
  bool syncing_ = false;
  uint8_t pendingLead_ = 0;  // first byte of a double-byte character typed byte by byte
};

class Edit : public TextField {
 public:
  Edit(const ControlDesign& design, Control* parent);

 protected:
  QWidget* MakeWidget(QWidget* host) override;
  void ShowText() override;
};

class Memo : public TextField {
 public:
  Memo(const ControlDesign& design, Control* parent);
  // Lines of the memo joined by line feeds (UTF-8).
  void SetLinesUtf8(std::string_view utf8) { SetTextUtf8(utf8); }

 protected:
  QWidget* MakeWidget(QWidget* host) override;
  void ShowText() override;

 private:
  bool lines_;  // a memo taller than two lines shows them all, read only
};

class Button : public Control {
 public:
  Button(const ControlDesign& design, Control* parent);

 protected:
  QWidget* MakeWidget(QWidget* host) override;
  void CaptionChanged() override;
  void ColoursChanged() override;
};

class SpeedButton : public Control {
 public:
  SpeedButton(const ControlDesign& design, Control* parent);
  void SetGlyph(const QImage& glyph);

 protected:
  QWidget* MakeWidget(QWidget* host) override;

 private:
  QImage glyph_;
};

// Every control of one form, in creation order, owned here.
//
// A form built `Late` makes its controls without widgets: they keep their whole state, and
// a label not on screen measures its caption only when its width is asked for. `ShowLive`
// then makes the widgets of the controls on screen; from then on a control gets its widget
// when it comes on screen, when its widget is asked for, or when `MaterializeNext` reaches
// it in idle time. Widgets made late stack as if made in design order.
class ControlSet {
 public:
  enum class Widgets { Now, Late };
  ControlSet() = default;
  ControlSet(const ControlSet&) = delete;
  ControlSet& operator=(const ControlSet&) = delete;
  ~ControlSet();

  void Build(const FormDesign& design, QWidget* form, Widgets widgets = Widgets::Now);
  bool Late() const { return late_; }
  // Makes the widgets of every control on screen (the form about to be shown).
  void ShowLive();
  // Makes the widgets of the next top-level control's tree (in `order` first, then in
  // design order); false when every widget is made.
  bool MaterializeNext(const std::vector<Control*>& order = {});
  void MaterializeAll();
  // The control's widget with those of its parents.
  void Materialize(Control& control);
  // The control came on screen (its own flag or a parent's): its tree gets its widgets.
  void CameOnScreen(Control& control);
  Control* Find(std::string_view name) const;
  const std::vector<std::unique_ptr<Control>>& All() const { return controls_; }
  template <class T>
  T* Bind(std::string_view name) const {
    return dynamic_cast<T*>(Find(name));
  }

 private:
  void MaterializeTree(Control& root);
  void Stack(Control& control);
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> roots_;  // the controls placed on the form itself, in design order
  QWidget* form_ = nullptr;
  bool late_ = false;
  bool live_ = false;  // the form is on screen: controls coming on screen need widgets
  size_t nextRoot_ = 0;
};

}  // namespace ui
