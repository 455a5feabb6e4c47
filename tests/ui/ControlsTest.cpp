#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStaticText>
#include <QWidget>
#include <gtest/gtest.h>
#include <set>
#include <string>

#include "platform/Cp932.h"
#include "ui/Controls.h"
#include "ui/MainControls.h"

namespace {

using ui::Align;
using ui::ControlDesign;
using ui::Kind;

// A small form built from rows, as the screens are.
struct Form {
  QWidget window;
  ui::ControlSet set;
  explicit Form(std::initializer_list<ControlDesign> rows) : design(rows) {
    set.Build({"TTest", "", 480, 300, ui::clr::Black, 12, ui::Face::Gothic, design}, &window);
  }
  std::vector<ControlDesign> design;
};

TEST(ControlsTest, EveryDesignRowIsBoundToItsTypedMember) {
  QWidget window;
  ui::ControlSet set;
  set.Build(ui::MainFormDesign(), &window);
  ui::MainControls c;
  ASSERT_NO_THROW(c.Bind(set));
  EXPECT_EQ(c.F1L9->Name(), "F1L9");
  EXPECT_EQ(c.P_SFTR->Tag(), 10000);
  // The members are exactly the rows, in the same order.
  const auto names = ui::MainControls::Names();
  ASSERT_EQ(names.size(), set.All().size());
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i], set.All()[i]->Name());
  // Every parent exists and comes first, names are unique.
  std::set<std::string> seen;
  for (const auto& ctl : set.All()) {
    if (ctl->Parent()) {
      EXPECT_TRUE(seen.count(ctl->Parent()->Name())) << ctl->Name();
    }
    EXPECT_TRUE(seen.insert(ctl->Name()).second) << ctl->Name();
  }
  QWidget dialog;
  ui::ControlSet dialogSet;
  dialogSet.Build(ui::NameDialogDesign(), &dialog);
  ui::NameDialogControls d;
  EXPECT_NO_THROW(d.Bind(dialogSet));
}

TEST(ControlsTest, BuildingRefusesAChildBeforeItsParentAndTwinNames) {
  QWidget window;
  const ControlDesign orphan[] = {{.kind = Kind::Label, .name = "L1", .parent = "Nowhere"}};
  ui::ControlSet a;
  EXPECT_THROW(a.Build({"T", "", 10, 10, 0, 12, ui::Face::Gothic, orphan}, &window), std::logic_error);
  const ControlDesign twins[] = {{.kind = Kind::Label, .name = "L1"}, {.kind = Kind::Panel, .name = "L1"}};
  ui::ControlSet b;
  EXPECT_THROW(b.Build({"T", "", 10, 10, 0, 12, ui::Face::Gothic, twins}, &window), std::logic_error);
}

TEST(ControlsTest, AutoSizedLabelsFitTheirTextInHalfWidthCells) {
  Form f({{.kind = Kind::Label, .name = "W", .left = 198, .top = 68, .caption = "     abcdef", .fontHeight = 16},
          {.kind = Kind::Label, .name = "K", .caption = "ｱｲｳ\n認定", .fontHeight = 12},
          {.kind = Kind::Label, .name = "E", .caption = ""},
          {.kind = Kind::Label, .name = "F", .width = 50, .height = 9, .caption = "long text", .autoSize = false}});
  auto* w = f.set.Bind<ui::Label>("W");
  EXPECT_EQ(w->Width(), 88);  // eleven cells of 8 pixels
  EXPECT_EQ(w->Height(), 16);
  auto* k = f.set.Bind<ui::Label>("K");
  EXPECT_EQ(k->Width(), 24);  // three half-width kana = two full-width characters
  EXPECT_EQ(k->Height(), 24);
  EXPECT_EQ(f.set.Bind<ui::Label>("E")->Width(), 6);  // an empty caption measures one blank
  auto* fixed = f.set.Bind<ui::Label>("F");
  fixed->SetCaption("a much longer text than before");
  EXPECT_EQ(fixed->Width(), 50);
  w->SetFontHeight(32);  // scaled fonts resize the label
  EXPECT_EQ(w->Width(), 176);
  EXPECT_EQ(w->Left(), 198);
}

TEST(ControlsTest, TextFieldsHoldAtMostTheirBytesNeverHalfACharacter) {
  Form f({{.kind = Kind::Edit, .name = "N", .width = 80, .height = 17, .maxBytes = 10}});
  auto* n = f.set.Bind<ui::TextField>("N");
  n->TypeText("ＴＡＲＯ太郎");  // 12 bytes: the sixth character does not fit
  EXPECT_EQ(n->TextUtf8(), "ＴＡＲＯ太");
  EXPECT_EQ(n->Text().size(), 10u);
  n->SetText("");
  n->TypeText("abcdefghi山");  // 9 bytes, then a double-byte character that would make 11
  EXPECT_EQ(n->TextUtf8(), "abcdefghi");
  EXPECT_TRUE(n->TypeChar('j'));
  EXPECT_FALSE(n->TypeChar('k'));
  n->SetText("");
  n->TypeText("é😀ok");  // characters CP932 cannot hold are refused
  EXPECT_EQ(n->TextUtf8(), "ok");
  n->SetTextUtf8("ab山");
  EXPECT_TRUE(n->TypeChar(8));  // Backspace removes the whole last character
  EXPECT_EQ(n->TextUtf8(), "ab");
  // Byte by byte, as key events bring a double-byte character: whole or not at all.
  n->SetText("");
  const std::string tooLong = *plat::cp932::FromUtf8("abcdefghi郎");
  for (char b : tooLong) n->TypeChar(static_cast<uint8_t>(b));
  EXPECT_EQ(n->TextUtf8(), "abcdefghi");
  n->SetText("");
  const std::string name = *plat::cp932::FromUtf8("太郎");
  for (char b : name) n->TypeChar(static_cast<uint8_t>(b));
  EXPECT_EQ(n->TextUtf8(), "太郎");
  EXPECT_FALSE(n->Accepts(QStringLiteral("12345678901")));
  EXPECT_TRUE(n->Accepts(QStringLiteral("ｱｲｳｴｵｶｷｸｹｺ")));
}

TEST(ControlsTest, CheckBoxesRaiseClickWhenTheirStateChanges) {
  Form f({{.kind = Kind::CheckBox, .name = "B", .width = 100, .height = 17}});
  auto* b = f.set.Bind<ui::CheckBox>("B");
  int clicks = 0;
  b->OnClick = [&](ui::Control&) { ++clicks; };
  b->SetChecked(true);
  b->SetChecked(true);
  b->SetChecked(false);
  EXPECT_EQ(clicks, 2);
  b->SetEnabled(false);
  b->Click();
  EXPECT_EQ(clicks, 2);  // a disabled control takes no click
}

TEST(ControlsTest, RadioButtonsOfOneParentHoldOneChoice) {
  Form f({{.kind = Kind::Panel, .name = "P", .width = 200, .height = 40},
          {.kind = Kind::RadioButton, .name = "A", .parent = "P", .width = 50, .height = 17},
          {.kind = Kind::RadioButton, .name = "B", .parent = "P", .left = 60, .width = 50, .height = 17},
          {.kind = Kind::RadioButton, .name = "Other", .top = 50, .width = 50, .height = 17}});
  auto* a = f.set.Bind<ui::RadioButton>("A");
  auto* b = f.set.Bind<ui::RadioButton>("B");
  auto* other = f.set.Bind<ui::RadioButton>("Other");
  int clicks = 0;
  a->OnClick = b->OnClick = [&](ui::Control&) { ++clicks; };
  a->SetChecked(true);
  other->SetChecked(true);  // another parent, another group
  EXPECT_TRUE(a->Checked());
  // The player's clicks: on the other choice, then again on it.
  auto click = [](ui::RadioButton* r) { static_cast<QAbstractButton*>(r->Widget())->click(); };
  click(b);
  EXPECT_FALSE(a->Checked());
  EXPECT_FALSE(static_cast<QAbstractButton*>(a->Widget())->isChecked());
  click(b);
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(static_cast<QAbstractButton*>(b->Widget())->isChecked());
  EXPECT_EQ(clicks, 2);  // the one turned on raises it; the one cleared does not
  EXPECT_TRUE(other->Checked());
}

TEST(ControlsTest, CanvasRemembersItsTextsUntilTheNextFill) {
  Form f({{.kind = Kind::Image, .name = "I", .width = 100, .height = 40}});
  ui::Canvas& c = f.set.Bind<ui::Image>("I")->Canvas();
  c.SetFontColor(ui::clr::Yellow);
  c.TextOut(84, 26, *plat::cp932::FromUtf8("第８級"));
  ASSERT_EQ(c.Texts().size(), 1u);
  EXPECT_EQ(c.Texts()[0].text, "第８級");
  EXPECT_EQ(c.Texts()[0].color, ui::clr::Yellow);
  EXPECT_EQ(c.Texts()[0].x, 84);
  c.Fill(ui::clr::Black);
  EXPECT_TRUE(c.Texts().empty());
  EXPECT_EQ(ui::PointsToPixels(8), 11);
  EXPECT_EQ(ui::PointsToPixels(9), 12);
}

// The title changes colours twenty times a second: a new font each time would lay out
// every caption again.
TEST(ControlsTest, ColourChangesKeepTheFontAndOnlyAHeightChangeMakesANewOne) {
  Form f({{.kind = Kind::Label, .name = "L", .caption = "LICENCE"},
          {.kind = Kind::CheckBox, .name = "C", .width = 80, .height = 16, .caption = "x"},
          {.kind = Kind::Edit, .name = "E", .width = 80, .height = 16},
          {.kind = Kind::Button, .name = "B", .width = 80, .height = 20, .caption = "OK"}});
  for (const char* name : {"L", "C", "E", "B"}) {
    ui::Control* c = f.set.Find(name);
    const auto before = c->FontObject();
    const QFont widgetFont = c->Widget()->font();
    c->SetFontColor(ui::clr::Aqua);
    c->SetColor(ui::clr::Blue);
    EXPECT_EQ(c->FontObject(), before) << name;
    EXPECT_EQ(c->Widget()->font(), widgetFont) << name;
    c->SetFontHeight(24);
    EXPECT_NE(c->FontObject(), before) << name;
    EXPECT_EQ(c->Widget()->font().pixelSize(), 24) << name;
  }
  // The colours still reach the widgets that draw themselves.
  const QPalette pal = f.set.Find("C")->Widget()->palette();
  EXPECT_EQ(pal.color(QPalette::WindowText), QColor(0, 0xFF, 0xFF));
  EXPECT_EQ(pal.color(QPalette::Window), QColor(0, 0, 0xFF));
  EXPECT_EQ(f.set.Find("E")->Widget()->palette().color(QPalette::Base), QColor(0, 0, 0xFF));
  // A label measured anew at its new height.
  EXPECT_EQ(f.set.Find("L")->Width(), 84);
}

// Edits and memos of both shapes show their colours from the start and after a change, and
// the line fields take what is typed within their byte limit.
TEST(ControlsTest, EveryFieldKindShowsItsColoursAndTheLineFieldsTakeTypedText) {
  Form f({{.kind = Kind::Edit,
           .name = "E",
           .width = 80,
           .height = 16,
           .color = ui::clr::White,
           .fontColor = ui::clr::Black,
           .maxBytes = 4},
          {.kind = Kind::Memo,
           .name = "M",
           .width = 80,
           .height = 16,
           .color = ui::clr::Yellow,
           .fontColor = ui::clr::Red,
           .maxBytes = 4},
          {.kind = Kind::Memo,
           .name = "T",
           .width = 80,
           .height = 60,
           .caption = "a\nb",
           .color = ui::clr::Lime,
           .fontColor = ui::clr::Blue}});
  auto colours = [&](const char* name) {
    const QPalette pal = f.set.Find(name)->Widget()->palette();
    return std::pair(pal.color(QPalette::Base), pal.color(QPalette::Text));
  };
  EXPECT_EQ(colours("E"), std::pair(QColor(Qt::white), QColor(Qt::black)));
  EXPECT_EQ(colours("M"), std::pair(QColor(Qt::yellow), QColor(Qt::red)));
  EXPECT_EQ(colours("T"), std::pair(QColor(0, 0xFF, 0), QColor(Qt::blue)));
  for (const char* name : {"E", "M", "T"}) {
    f.set.Find(name)->SetColor(ui::clr::Navy);
    f.set.Find(name)->SetFontColor(ui::clr::Aqua);
    EXPECT_EQ(colours(name), std::pair(QColor(0, 0, 0x80), QColor(0, 0xFF, 0xFF))) << name;
  }
  // A tall memo shows its lines for reading only; the line fields are typed into.
  auto* lines = qobject_cast<QPlainTextEdit*>(f.set.Find("T")->Widget());
  ASSERT_NE(lines, nullptr);
  EXPECT_TRUE(lines->isReadOnly());
  EXPECT_EQ(lines->toPlainText(), QStringLiteral("a\nb"));
  for (const char* name : {"E", "M"}) {
    auto* line = qobject_cast<QLineEdit*>(f.set.Find(name)->Widget());
    ASSERT_NE(line, nullptr) << name;
    EXPECT_EQ(line->hasFrame(), std::string(name) == "E");
    for (QChar ch : QStringLiteral("ab太郎")) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(line, &press);
    }
    EXPECT_EQ(f.set.Bind<ui::TextField>(name)->TextUtf8(), "ab太") << name;
  }
}

// Captions are plain text whatever they look like, on the baseline that centres them.
TEST(ControlsTest, LabelsDrawTheirCaptionsAsPlainTextCentredInTheirLine) {
  Form f({{.kind = Kind::Label,
           .name = "L",
           .caption = "<20210714p>",
           .color = ui::clr::Black,
           .fontColor = ui::clr::White,
           .fontHeight = 16}});
  auto* label = f.set.Bind<ui::Label>("L");
  QImage drawn(label->Width(), label->Height(), QImage::Format_ARGB32_Premultiplied);
  label->Widget()->render(&drawn);
  QImage expected(drawn.size(), drawn.format());
  expected.fill(Qt::black);
  {
    QPainter p(&expected);
    const QFont font = ui::MakeFont(ui::Face::Gothic, 16);
    const QFontMetricsF fm(font);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QPointF(0, (16 + fm.ascent() - fm.descent()) / 2.0), QStringLiteral("<20210714p>"));
  }
  EXPECT_EQ(drawn, expected);
  label->SetCaption("x");
  label->Widget()->render(&drawn);  // a changed caption is drawn anew
  EXPECT_NE(drawn, expected);
}

// Texts drawn while a picture is hidden reach it when it is next looked at, in order.
TEST(ControlsTest, CanvasDrawingReachesThePictureWhenItIsLookedAt) {
  Form f({{.kind = Kind::Image, .name = "I", .width = 40, .height = 20}});
  ui::Image* image = f.set.Bind<ui::Image>("I");
  ui::Canvas& c = image->Canvas();
  c.Fill(ui::clr::Black);
  c.SetBrushColor(ui::clr::Blue);
  c.SetFontColor(ui::clr::Yellow);
  c.TextOutUtf8(0, 0, "W");
  EXPECT_EQ(image->Picture().pixelColor(1, 11), QColor(0, 0, 0xFF));  // the cell's brush
  EXPECT_EQ(image->Picture().pixelColor(30, 10), QColor(0, 0, 0));
  c.TextOutUtf8(20, 0, "W");
  c.Fill(ui::clr::Red);  // a full fill covers what was not drawn yet
  EXPECT_EQ(image->Picture().pixelColor(21, 11), QColor(0xFF, 0, 0));
  c.TextOutUtf8(0, 0, "W");
  QImage green(40, 20, QImage::Format_ARGB32_Premultiplied);
  green.fill(Qt::green);
  image->SetPicture(green);  // a new picture replaces the texts not yet drawn
  EXPECT_EQ(image->Picture().pixelColor(1, 11), QColor(0, 0xFF, 0));
  EXPECT_EQ(c.Texts().size(), 1u);
}

TEST(ControlsTest, VisibilityIsTheControlsOwnFlag) {
  Form f({{.kind = Kind::Panel, .name = "P", .width = 100, .height = 100, .visible = false},
          {.kind = Kind::Label, .name = "L", .parent = "P", .caption = "x"}});
  auto* l = f.set.Bind<ui::Label>("L");
  EXPECT_TRUE(l->Visible());
  EXPECT_FALSE(l->Showing());
  f.set.Find("P")->Show();
  EXPECT_TRUE(l->Showing());
}

}  // namespace

// A form built with late widgets: none before it is shown, then those on screen; a hidden
// screen gets its widgets when it comes on, stacked in design order among those made
// before; a label measures its caption only when its width is asked for or its widget is
// made, and then comes to the same size as one built whole.
TEST(ControlsTest, LateWidgetsComeWithTheScreenAndStackInDesignOrder) {
  const std::vector<ControlDesign> rows = {
      {.kind = Kind::Panel, .name = "Back", .width = 200, .height = 100},
      {.kind = Kind::Label, .name = "Title", .parent = "Back", .caption = "タイトル", .fontHeight = 20},
      {.kind = Kind::Panel, .name = "Screen", .width = 200, .height = 100, .visible = false},
      {.kind = Kind::Label, .name = "Text", .parent = "Screen", .caption = "かな\nABC", .fontHeight = 18},
      {.kind = Kind::Edit, .name = "Field", .parent = "Screen", .width = 60, .height = 16, .caption = "ab"},
      {.kind = Kind::Panel, .name = "Cover", .width = 50, .height = 50},
  };
  const ui::FormDesign design{"TTest", "", 480, 300, ui::clr::Black, 12, ui::Face::Gothic, rows};
  QWidget wholeWindow, lateWindow;
  ui::ControlSet whole, late;
  whole.Build(design, &wholeWindow);
  late.Build(design, &lateWindow, ui::ControlSet::Widgets::Late);
  for (const auto& c : late.All()) EXPECT_FALSE(c->HasWidget()) << c->Name();

  late.Find("Text")->SetCaption("かな\nABCD");
  whole.Find("Text")->SetCaption("かな\nABCD");
  late.Find("Text")->SetLeft(7);  // a move measures nothing
  whole.Find("Text")->SetLeft(7);
  EXPECT_EQ(late.Find("Text")->Height(), 36);
  EXPECT_NE(late.Find("Text")->WidthIfMeasured(), whole.Find("Text")->Width());

  late.ShowLive();
  for (const char* name : {"Back", "Title", "Cover"}) EXPECT_TRUE(late.Find(name)->HasWidget()) << name;
  for (const char* name : {"Screen", "Text", "Field"}) EXPECT_FALSE(late.Find(name)->HasWidget()) << name;

  late.Find("Screen")->Show();
  whole.Find("Screen")->Show();
  for (const auto& c : late.All()) {
    ASSERT_TRUE(c->HasWidget()) << c->Name();
    const ui::Control& w = *whole.Find(c->Name());
    EXPECT_EQ(c->Widget()->geometry(), w.Widget()->geometry()) << c->Name();
    EXPECT_EQ(c->Widget()->isVisibleTo(&lateWindow), w.Widget()->isVisibleTo(&wholeWindow)) << c->Name();
  }
  EXPECT_EQ(late.Find("Text")->Widget()->geometry().topLeft(), QPoint(7, 0));
  EXPECT_EQ(qobject_cast<QLineEdit*>(late.Find("Field")->Widget())->text(), QStringLiteral("ab"));
  // The screen made last lies under the cover, which follows it in the design.
  const QObjectList stack = lateWindow.children();
  EXPECT_LT(stack.indexOf(late.Find("Screen")->Widget()), stack.indexOf(late.Find("Cover")->Widget()));

  // Every widget left is made by the steps of idle time, and then none is left.
  ui::ControlSet idle;
  QWidget idleWindow;
  idle.Build(design, &idleWindow, ui::ControlSet::Widgets::Late);
  idle.ShowLive();
  int steps = 0;
  while (idle.MaterializeNext({idle.Find("Screen")}) && steps < 10) ++steps;
  for (const auto& c : idle.All()) EXPECT_TRUE(c->HasWidget()) << c->Name();
}

// Lines of ASCII and half-width kana are drawn from glyphs placed one after the other: in
// both faces and at the sizes the window scales to, they measure and draw exactly as the
// laid-out text; anything else (kanji, kana of full width) is left to the text layout.
TEST(ControlsTest, PlacedGlyphsMeasureAndDrawAsLaidOutText) {
  QString all;
  for (char16_t c = 0x20; c < 0x7F; ++c) all += QChar(c);
  for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) all += QChar(c);
  for (ui::Face face : {ui::Face::Gothic, ui::Face::PGothic}) {
    for (int px : {11, 12, 15, 24, 37}) {
      SCOPED_TRACE(std::to_string(px));
      Form f({{.kind = Kind::Label, .name = "L", .fontHeight = px, .face = face}});
      const auto font = f.set.Find("L")->FontObject();
      ui::PlacedGlyphs placed;
      ASSERT_TRUE(ui::PlaceGlyphs(*font, all, placed));
      EXPECT_EQ(placed.width, ui::TextWidth(*font, all));
      QImage laid(static_cast<int>(placed.width) + 8, px * 2, QImage::Format_ARGB32_Premultiplied), drawn = laid;
      laid.fill(Qt::black);
      drawn.fill(Qt::black);
      const QFont qfont = ui::MakeFont(face, px);
      const double ascent = QFontMetricsF(qfont).ascent();
      {
        QPainter p(&laid);
        p.setFont(qfont);
        p.setPen(Qt::white);
        p.drawStaticText(QPointF(2.5, px - ascent), QStaticText(all));
      }
      {
        QPainter p(&drawn);
        p.setPen(Qt::white);
        ui::DrawPlacedGlyphs(p, *font, placed, 2.5, px);
      }
      EXPECT_EQ(drawn, laid);
      EXPECT_FALSE(ui::PlaceGlyphs(*font, QStringLiteral("abc漢"), placed));
      EXPECT_FALSE(ui::PlaceGlyphs(*font, QStringLiteral("かな"), placed));
    }
  }
}

// A panel's caption drawn from placed glyphs lands where the toolkit's one-line text does,
// for every alignment, blanks at either end, half-width kana and the sizes the window scales to.
TEST(ControlsTest, PanelCaptionsOfPlacedGlyphsMatchTheToolkitsLine) {
  for (Align align : {Align::Left, Align::Center, Align::Right}) {
    for (int px : {12, 17, 25}) {
      for (const char* caption : {"Q", "SHIFT", " 30s", "ｱｲｳ", "ab  "}) {
        SCOPED_TRACE(std::string(caption) + " " + std::to_string(px));
        Form f({{.kind = Kind::Panel,
                 .name = "P",
                 .width = 70,
                 .height = 31,
                 .caption = caption,
                 .color = ui::clr::Black,
                 .fontColor = ui::clr::White,
                 .fontHeight = px,
                 .align = align}});
        QWidget* w = f.set.Find("P")->Widget();
        QImage drawn(w->size(), QImage::Format_ARGB32_Premultiplied), expected = drawn;
        w->render(&drawn);
        expected.fill(Qt::black);
        {
          QPainter p(&expected);
          p.setFont(ui::MakeFont(ui::Face::Gothic, px));
          p.setPen(Qt::white);
          const int h = align == Align::Left    ? Qt::AlignLeft
                        : align == Align::Right ? Qt::AlignRight
                                                : Qt::AlignHCenter;
          p.drawText(QRect(QPoint(0, 0), w->size()), Qt::AlignVCenter | Qt::TextSingleLine | h,
                     QString::fromUtf8(caption));
        }
        EXPECT_EQ(drawn, expected);
      }
    }
  }
}
