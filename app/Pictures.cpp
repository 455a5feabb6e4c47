#include "app/Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>
#include <array>
#include <initializer_list>

namespace app::pictures {
namespace {

// The proportional IPA Gothic face: the one font package every machine of the game has.
const QString kDisplayFace = QStringLiteral("IPAPGothic");

QImage Blank(int w, int h, QColor fill = Qt::transparent) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  return image;
}

QFont Face(int pixels) {
  QFont font;
  font.setFamilies({kDisplayFace, QStringLiteral("IPAGothic")});
  font.setPixelSize(pixels);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

// Outline of `text` centred on `centre` (by its ink, not by its advance).
QPainterPath CentredText(const QString& text, const QFont& font, QPointF centre) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF ink = path.boundingRect();
  return path.translated(centre - ink.center());
}

// The face has a single weight; thick lettering is its outline filled and stroked.
void FillBold(QPainter& p, const QPainterPath& path, const QBrush& brush, qreal extra) {
  p.setPen(QPen(brush, extra, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(brush);
  p.drawPath(path);
}

// Pixel art: one string per row, one character per pixel; '.' leaves the pixel alone.
struct Ink {
  char key;
  QRgb colour;
};
void PaintPixels(QImage& image, int x0, int y0, std::initializer_list<const char*> rows,
                 std::initializer_list<Ink> inks) {
  int y = y0;
  for (const char* row : rows) {
    for (int x = x0; *row; ++row, ++x) {
      for (const Ink& ink : inks) {
        if (ink.key == *row && image.rect().contains(x, y)) image.setPixel(x, y, ink.colour);
      }
    }
    ++y;
  }
}

// ---- the keyboard of the start picture ---------------------------------------------

struct Cap {
  qreal width;  // in key units
  const char* caption;
  bool lit;
};

// Keyboard space: 15 units wide, 5 rows, one unit = kUnit pixels before perspective.
constexpr qreal kUnit = 40;

// A JIS board, row by row; the letters of the game's name are lit.
const std::array<std::initializer_list<Cap>, 5>& Rows() {
  // clang-format off
  static const std::array<std::initializer_list<Cap>, 5> rows = {{
      {{1, "半", false}, {1, "1", false}, {1, "2", false}, {1, "3", false},
       {1, "4", false}, {1, "5", false}, {1, "6", false}, {1, "7", false},
       {1, "8", false}, {1, "9", false}, {1, "0", false}, {1, "-", false},
       {1, "^", false}, {1, "¥", false}, {1, "BS", false}},
      {{1.5, "Tab", false}, {1, "Q", false}, {1, "W", false}, {1, "E", false},
       {1, "R", false}, {1, "T", false}, {1, "Y", false}, {1, "U", false},
       {1, "I", true}, {1, "O", true}, {1, "P", false}, {1, "@", false},
       {1, "[", false}, {1.5, nullptr, false}},
      {{1.75, "Caps", false}, {1, "A", true}, {1, "S", false}, {1, "D", true},
       {1, "F", false}, {1, "G", false}, {1, "H", false}, {1, "J", true},
       {1, "K", true}, {1, "L", false}, {1, ";", false}, {1, ":", false},
       {1, "]", false}, {1.25, nullptr, false}},
      {{2.25, "Shift", false}, {1, "Z", false}, {1, "X", false}, {1, "C", false},
       {1, "V", false}, {1, "B", false}, {1, "N", false}, {1, "M", false},
       {1, ",", false}, {1, ".", false}, {1, "/", false}, {1, "_", false},
       {1.75, "Shift", false}},
      {{1.5, "Ctrl", false}, {1, "", false}, {1.25, "Alt", false},
       {1.25, "無変換", false}, {5, "", false}, {1.25, "変換", false},
       {1.25, "かな", false}, {1.25, "Alt", false}, {1.25, "Ctrl", false}},
  }};
  // clang-format on
  return rows;
}

void PaintCap(QPainter& p, const QRectF& cell, const QString& caption, bool lit, const QPainterPath* shape = nullptr) {
  constexpr qreal kGap = 2.5;
  QPainterPath outer;
  if (shape) {
    outer = *shape;
  } else {
    outer.addRoundedRect(cell.adjusted(kGap, kGap, -kGap, -kGap), 6, 6);
  }
  const QRectF box = outer.boundingRect();

  if (lit) {  // a soft glow around the lit cap
    for (int i = 4; i >= 1; --i) {
      QPainterPath halo;
      halo.addRoundedRect(box.adjusted(-3.0 * i, -3.0 * i, 3.0 * i, 3.0 * i), 8 + 3 * i, 8 + 3 * i);
      p.fillPath(halo, QColor(255, 150, 60, 26));
    }
  }

  // Side of the cap, then its top face, set back from the near edge.
  p.fillPath(outer, lit ? QColor(0xb0, 0x42, 0x18) : QColor(0x14, 0x19, 0x33));
  QPainterPath face;
  if (shape) {
    face = *shape;
    QTransform inset;
    inset.translate(box.center().x(), box.center().y() - 2.5);
    inset.scale((box.width() - 9) / box.width(), (box.height() - 11) / box.height());
    inset.translate(-box.center().x(), -box.center().y());
    face = inset.map(face);
  } else {
    face.addRoundedRect(box.adjusted(4.5, 2.5, -4.5, -8), 5, 5);
  }
  const QRectF top = face.boundingRect();
  QLinearGradient shade(top.topLeft(), top.bottomLeft());
  if (lit) {
    shade.setColorAt(0, QColor(0xff, 0xd8, 0x7a));
    shade.setColorAt(1, QColor(0xff, 0x86, 0x34));
  } else {
    shade.setColorAt(0, QColor(0x44, 0x4f, 0x86));
    shade.setColorAt(1, QColor(0x2b, 0x33, 0x5f));
  }
  p.fillPath(face, shade);

  if (!caption.isEmpty()) {
    const bool wide = caption.size() > 1;
    const QFont font = Face(wide ? 11 : 17);
    QPainterPath text;
    text.addText(0, 0, font, caption);
    const QRectF ink = text.boundingRect();
    // Words sit at the left of wide keys, as printed on real boards; symbols are centred.
    const QPointF at =
        wide ? QPointF(top.left() + 5 - ink.left(), top.center().y() - ink.center().y()) : top.center() - ink.center();
    p.fillPath(text.translated(at), lit ? QColor(0x4a, 0x16, 0x00) : QColor(0xb4, 0xbe, 0xea));
  }
}

void PaintKeyboard(QPainter& p) {
  const QRectF flat(0, 0, 15 * kUnit, 5 * kUnit);
  QTransform view;
  const QPolygonF board{flat.topLeft(), flat.topRight(), flat.bottomRight(), flat.bottomLeft()};
  const QPolygonF seen{QPointF(104, 166), QPointF(376, 166), QPointF(536, 318), QPointF(-56, 318)};
  QTransform::quadToQuad(board, seen, view);

  p.save();
  p.setTransform(view);
  // The case of the keyboard, a little larger than the keys.
  QPainterPath body;
  body.addRoundedRect(flat.adjusted(-14, -14, 14, 14), 18, 18);
  QLinearGradient metal(flat.topLeft(), flat.bottomLeft());
  metal.setColorAt(0, QColor(0x26, 0x2c, 0x52));
  metal.setColorAt(1, QColor(0x0d, 0x10, 0x26));
  p.fillPath(body, metal);
  p.setPen(QPen(QColor(0x6a, 0x74, 0xc0, 150), 2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(body);

  int rowIndex = 0;
  for (const auto& row : Rows()) {
    qreal x = 0;
    const qreal y = rowIndex * kUnit;
    for (const Cap& cap : row) {
      const QRectF cell(x, y, cap.width * kUnit, kUnit);
      if (cap.caption) {
        PaintCap(p, cell, QString::fromUtf8(cap.caption), cap.lit);
      } else if (rowIndex == 1) {  // the two-row Enter key, drawn once from its top half
        QPainterPath upper, lower;
        upper.addRect(QRectF(x + 2.5, y + 2.5, 1.5 * kUnit - 5, kUnit));
        lower.addRect(QRectF(x + 0.25 * kUnit + 2.5, y + 2.5, 1.25 * kUnit - 5, 2 * kUnit - 5));
        const QPainterPath enter = upper.united(lower);
        PaintCap(p, cell, QStringLiteral("Enter"), false, &enter);
      }
      x += cap.width * kUnit;
    }
    ++rowIndex;
  }
  // Home-position bumps on F and J.
  for (qreal col : {4.75, 7.75}) {
    p.fillRect(QRectF(col * kUnit + 14, 2 * kUnit + 25, 12, 2.5), QColor(0xff, 0xe0, 0xb0, 200));
  }
  p.restore();
}

}  // namespace

QImage DrawStartPicture() {
  QImage image = Blank(480, 300);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  // Night sky from deep navy to indigo, with a warm glow behind the name.
  QLinearGradient sky(0, 0, 0, 300);
  sky.setColorAt(0, QColor(0x07, 0x0b, 0x24));
  sky.setColorAt(0.55, QColor(0x1d, 0x16, 0x4e));
  sky.setColorAt(1, QColor(0x2e, 0x17, 0x52));
  p.fillRect(image.rect(), sky);

  PaintKeyboard(p);
  // The far edge of the board fades into the sky (the sky's own colour at that height).
  QLinearGradient haze(0, 156, 0, 215);
  haze.setColorAt(0, QColor(0x1d, 0x16, 0x4e, 255));
  haze.setColorAt(1, QColor(0x1d, 0x16, 0x4e, 0));
  p.fillRect(QRectF(0, 156, 480, 59), haze);

  QRadialGradient glow(QPointF(240, 92), 230);
  glow.setColorAt(0, QColor(255, 140, 60, 90));
  glow.setColorAt(0.45, QColor(200, 70, 120, 34));
  glow.setColorAt(1, QColor(0, 0, 0, 0));
  p.fillRect(image.rect(), glow);

  // A few fixed stars.
  // clang-format off
  static constexpr std::array<std::array<int, 3>, 18> kStars = {{
      {22, 18, 2}, {61, 44, 1}, {97, 12, 1}, {140, 30, 1}, {33, 92, 1}, {78, 128, 1},
      {418, 20, 2}, {452, 60, 1}, {381, 38, 1}, {341, 10, 1}, {463, 112, 1}, {402, 136, 1},
      {190, 8, 1}, {292, 14, 1}, {12, 150, 1}, {470, 160, 1}, {120, 150, 1}, {355, 150, 1},
  }};
  // clang-format on
  for (const auto& s : kStars) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 220, s[2] == 2 ? 220 : 150));
    p.drawEllipse(QPointF(s[0], s[1]), 0.5 + 0.5 * s[2], 0.5 + 0.5 * s[2]);
  }

  // The name: dark outline, shadow, then warm gold lettering.
  const QPainterPath name = CentredText(QStringLiteral("DOJOKAI"), Face(84), QPointF(240, 70));
  p.fillPath(name.translated(4, 5), QColor(0, 0, 0, 120));
  p.setPen(QPen(QColor(0x14, 0x08, 0x24), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(name);
  const QRectF nameBox = name.boundingRect();
  QLinearGradient gold(nameBox.topLeft(), nameBox.bottomLeft());
  gold.setColorAt(0, QColor(0xff, 0xf1, 0xb0));
  gold.setColorAt(0.5, QColor(0xff, 0xbe, 0x4a));
  gold.setColorAt(1, QColor(0xf0, 0x62, 0x2a));
  FillBold(p, name, gold, 3.2);
  // A light edge along the top of each letter.
  p.save();
  p.setClipPath(name);
  p.fillPath(name.subtracted(name.translated(0, 2.5)), QColor(255, 255, 255, 150));
  p.restore();

  // Subtitle between two thin rules.
  const QPainterPath sub = CentredText(QStringLiteral("キーボード練習"), Face(19), QPointF(240, 128));
  FillBold(p, sub, QColor(0xe8, 0xea, 0xff), 0.6);
  const QRectF subBox = sub.boundingRect();
  QLinearGradient ruleL(subBox.left() - 110, 0, subBox.left() - 12, 0);
  ruleL.setColorAt(0, QColor(255, 170, 80, 0));
  ruleL.setColorAt(1, QColor(255, 170, 80, 230));
  p.fillRect(QRectF(subBox.left() - 110, 127, 98, 1.6), ruleL);
  QLinearGradient ruleR(subBox.right() + 12, 0, subBox.right() + 110, 0);
  ruleR.setColorAt(0, QColor(255, 170, 80, 230));
  ruleR.setColorAt(1, QColor(255, 170, 80, 0));
  p.fillRect(QRectF(subBox.right() + 12, 127, 98, 1.6), ruleR);
  for (qreal x : {subBox.left() - 9, subBox.right() + 9}) {
    QPainterPath diamond;
    diamond.moveTo(x, 124);
    diamond.lineTo(x + 3.5, 127.8);
    diamond.lineTo(x, 131.6);
    diamond.lineTo(x - 3.5, 127.8);
    diamond.closeSubpath();
    p.fillPath(diamond, QColor(0xff, 0xb0, 0x50));
  }
  p.end();
  return image;
}

namespace {

QImage DrawLogo() {
  QImage image = Blank(100, 100);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF c(50, 50);

  // Indigo disc with a gold rim.
  QRadialGradient disc(QPointF(42, 36), 60);
  disc.setColorAt(0, QColor(0x3b, 0x40, 0x9a));
  disc.setColorAt(1, QColor(0x12, 0x16, 0x44));
  p.setPen(QPen(QColor(0xe8, 0x9c, 0x34), 3.2));
  p.setBrush(disc);
  p.drawEllipse(c, 47.5, 47.5);
  p.setPen(QPen(QColor(0xff, 0xc8, 0x6a, 170), 1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, 42.5, 42.5);

  // A key cap in the middle: shadow, side, face.
  const QRectF cap(25, 19, 50, 50);
  QPainterPath shadow;
  shadow.addRoundedRect(cap.translated(0, 3), 8, 8);
  p.fillPath(shadow, QColor(0, 0, 0, 90));
  QPainterPath side;
  side.addRoundedRect(cap, 8, 8);
  p.fillPath(side, QColor(0xc2, 0xb8, 0xa0));
  const QRectF faceBox = cap.adjusted(5, 2.5, -5, -8);
  QPainterPath face;
  face.addRoundedRect(faceBox, 6, 6);
  QLinearGradient ivory(faceBox.topLeft(), faceBox.bottomLeft());
  ivory.setColorAt(0, QColor(0xff, 0xfe, 0xf6));
  ivory.setColorAt(1, QColor(0xea, 0xe2, 0xcc));
  p.fillPath(face, ivory);

  FillBold(p, CentredText(QStringLiteral("道"), Face(30), faceBox.center()), QColor(0x1c, 0x22, 0x6e), 1.3);

  // The name along the lower rim.
  FillBold(p, CentredText(QStringLiteral("DOJOKAI"), Face(10), QPointF(50, 80.5)), QColor(0xff, 0xc8, 0x6a), 0.35);
  // Two small stars either side.
  for (qreal x : {22.0, 78.0}) {
    QPainterPath star;
    star.moveTo(x, 53);
    star.lineTo(x + 2.2, 56);
    star.lineTo(x, 59);
    star.lineTo(x - 2.2, 56);
    star.closeSubpath();
    p.fillPath(star, QColor(0xff, 0xc8, 0x6a));
  }
  p.end();
  return image;
}

}  // namespace

// The window icon and the title's logo are the same picture: drawn once.
QImage Logo() {
  static const QImage logo = DrawLogo();
  return logo;
}

QImage SmallIcon(int size) {
  constexpr QRgb kGold = qRgb(0xe8, 0x9c, 0x34), kIvory = qRgb(0xff, 0xfe, 0xf6), kSide = qRgb(0xc2, 0xb8, 0xa0),
                 kNavy = qRgb(0x1c, 0x22, 0x6e);
  if (size == 16) {
    QImage image = Blank(16, 16);
    PaintPixels(image, 0, 0,
                {"..gggggggggggg..", ".giiiiinniiniig.", "giiniiiiniiniiig", "giiininnnnnnnnig", "giiiniiiiniiiiig",
                 "giiiiiinnnnnniig", "giiiiiiniiiiniig", "ginnniinnnnnniig", "giiiniiniiiiniig", "giiiniinnnnnniig",
                 "giiiniiniiiiniig", "giiiniinnnnnniig", "giininiiiiiiiiig", "giniiinnnnnnnnig", ".gssssssssssssg.",
                 "..gggggggggggg.."},
                {{'g', kGold}, {'i', kIvory}, {'s', kSide}, {'n', kNavy}});
    return image;
  }
  QImage image = Blank(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  const QRectF cap(0.5, 0.5, s - 1, s - 1);
  p.setPen(QPen(QColor(kGold), 1));
  p.setBrush(QColor(kSide));
  p.drawRoundedRect(cap, s / 8, s / 8);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kIvory));
  p.drawRoundedRect(cap.adjusted(1, 1, -1, -s / 8), s / 10, s / 10);
  const QPointF centre(s / 2, s / 2 - s / 16);
  FillBold(p, CentredText(QStringLiteral("道"), Face(static_cast<int>(s * 0.8)), centre), QColor(kNavy), s / 40);
  return image;
}

QImage Prompt() {
  // A bold pixel alphabet of its own keeps the 12-pixel line crisp at any scaling.
  struct Glyph {
    QChar letter;
    std::array<const char*, 8> rows;
  };
  static const std::array<Glyph, 9> kGlyphs = {{
      {u'P', {"#####.", "##..##", "##..##", "##..##", "#####.", "##....", "##....", "##...."}},
      {u'U', {"##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", ".####."}},
      {u'S', {".####.", "##..##", "##....", ".####.", "....##", "....##", "##..##", ".####."}},
      {u'H', {"##..##", "##..##", "##..##", "######", "##..##", "##..##", "##..##", "##..##"}},
      {u'A', {"..##..", ".####.", "##..##", "##..##", "######", "##..##", "##..##", "##..##"}},
      {u'C', {".####.", "##..##", "##....", "##....", "##....", "##....", "##..##", ".####."}},
      {u'E', {"######", "##....", "##....", "#####.", "##....", "##....", "##....", "######"}},
      {u'K', {"##..##", "##.##.", "####..", "###...", "####..", "##.##.", "##..##", "##..##"}},
      {u'Y', {"##..##", "##..##", "##..##", ".####.", "..##..", "..##..", "..##..", "..##.."}},
  }};
  constexpr int kGlyphWidth = 6, kLetterGap = 1, kSpaceWidth = 4, kTop = 2;
  const QString text = QStringLiteral("PUSH SPACE KEY");

  int width = 0;
  for (QChar ch : text) width += (ch == u' ' ? kSpaceWidth : kGlyphWidth + kLetterGap);
  width -= kLetterGap;

  QImage image = Blank(126, 12);
  const QRgb navy = qRgb(0x00, 0x00, 0x80), orange = qRgb(0xf0, 0x78, 0x20);
  const int left = (126 - width) / 2;
  int x = left;
  for (QChar ch : text) {
    if (ch == u' ') {
      x += kSpaceWidth;
      continue;
    }
    for (const Glyph& g : kGlyphs) {
      if (g.letter != ch) continue;
      for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < kGlyphWidth; ++col) {
          if (g.rows[row][col] == '#') image.setPixel(x + col, kTop + row, navy);
        }
      }
    }
    x += kGlyphWidth + kLetterGap;
  }

  // Small orange arrowheads pointing at the words.
  PaintPixels(image, left - 9, kTop, {"x....", "xx...", "xxx..", "xxxx.", "xxxx.", "xxx..", "xx...", "x...."},
              {{'x', orange}});
  PaintPixels(image, left + width + 4, kTop, {"....x", "...xx", "..xxx", ".xxxx", ".xxxx", "..xxx", "...xx", "....x"},
              {{'x', orange}});
  return image;
}

QImage DataStateIcon() {
  QImage image = Blank(17, 16);
  const QRgb navy = qRgb(0x22, 0x33, 0x88), dark = qRgb(0x10, 0x18, 0x48);
  const QRgb metal = qRgb(0xc8, 0xcc, 0xd8), label = qRgb(0xff, 0xff, 0xff);
  const QRgb line = qRgb(0x9a, 0xa4, 0xc8), red = qRgb(0xe0, 0x10, 0x10);
  const QRgb redDark = qRgb(0x90, 0x00, 0x00);
  PaintPixels(image, 0, 0,
              {
                  "kkkkkkkkkkkkkk...",
                  "knnmmmmmmmmnnnk..",
                  "knnmmmmkkmmnnnnk.",
                  "knnmmmmkkmmnnnnk.",
                  "knnmmmmkkmmnnnnk.",
                  "knnmmmmmmmmnnnnk.",
                  "knnnnnnnnnnnnnnk.",
                  "knnwwwwwwwwwwnnk.",
                  "knnwwwwwwwwwwnnk.",
                  "knnwllllllllwnnk.",
                  "knnwwwwwwwwwwnnk.",
                  "knnwllllllllwnnk.",
                  "knnwwwwwwwwwwnnk.",
                  "knnwwwwwwwwwwnnk.",
                  "kkkkkkkkkkkkkkkk.",
                  ".................",
              },
              {{'k', dark}, {'n', navy}, {'m', metal}, {'w', label}, {'l', line}});
  // A red cross over the lower right: saving is not possible.
  PaintPixels(image, 8, 7,
              {
                  "dd.....dd",
                  "drd...drd",
                  ".drd.drd.",
                  "..drrrd..",
                  "...rrr...",
                  "..drrrd..",
                  ".drd.drd.",
                  "drd...drd",
                  "dd.....dd",
              },
              {{'r', red}, {'d', redDark}});
  return image;
}

QImage HundredPercentGlyph() {
  QImage image = Blank(13, 13);
  PaintPixels(image, 0, 0,
              {
                  "a...........a",
                  ".a.a.....a.a.",
                  "..aa.....aa..",
                  ".aaa.....aaa.",
                  "....sssss....",
                  "....sfffs....",
                  "....sfffs....",
                  "....sfffs....",
                  "....sssss....",
                  ".aaa.....aaa.",
                  "..aa.....aa..",
                  ".a.a.....a.a.",
                  "a...........a",
              },
              {{'a', qRgb(0x00, 0x00, 0x80)}, {'s', qRgb(0x00, 0x00, 0x00)}, {'f', qRgb(0x9c, 0xc8, 0xff)}});
  return image;
}

QImage AboutPicture1() {
  QImage image = Blank(33, 33, Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF cap(2.5, 2.5, 28, 28);
  QPainterPath side;
  side.addRoundedRect(cap, 5, 5);
  p.fillPath(side.translated(0, 1), QColor(0, 0, 0, 60));
  p.fillPath(side, QColor(0x1c, 0x21, 0x5c));
  const QRectF faceBox = cap.adjusted(3, 1.5, -3, -5);
  QPainterPath face;
  face.addRoundedRect(faceBox, 3.5, 3.5);
  QLinearGradient shade(faceBox.topLeft(), faceBox.bottomLeft());
  shade.setColorAt(0, QColor(0x5c, 0x66, 0xd0));
  shade.setColorAt(1, QColor(0x34, 0x3c, 0x98));
  p.fillPath(face, shade);
  FillBold(p, CentredText(QStringLiteral("D"), Face(19), faceBox.center() - QPointF(0, 1)), QColor(0xff, 0xc4, 0x4a),
           1.2);
  // The home bump under the letter.
  p.fillRect(QRectF(13, 21.5, 7, 1.6), QColor(0xff, 0x8a, 0x30));
  p.end();
  return image;
}

QImage AboutPicture2() {
  QImage image = Blank(33, 33, Qt::white);
  // A small keyboard: the case and three rows of keys, F and J lit.
  const QRgb body = qRgb(0x1c, 0x21, 0x5c), key = qRgb(0xc4, 0xca, 0xee);
  const QRgb lit = qRgb(0xff, 0x8a, 0x30);
  PaintPixels(image, 0, 17,
              {
                  ".bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb.",
                  "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
                  "bbkkbkkbkkbkkbkkbkkbkkbkkbkkbkkbb",
                  "bbkkbkkbkkbkkbkkbkkbkkbkkbkkbkkbb",
                  "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
                  "bbbkkbkkbkkbllbkkbkkbllbkkbkkbkkb",
                  "bbbkkbkkbkkbllbkkbkkbllbkkbkkbkkb",
                  "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
                  "bbbbkkbkkbkkbkkbkkbkkbkkbkkbkkbbb",
                  "bbbbkkbkkbkkbkkbkkbkkbkkbkkbkkbbb",
                  "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
                  "bbbbbbbbbkkkkkkkkkkkkkkkbbbbbbbbb",
                  "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
                  ".bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb.",
              },
              {{'b', body}, {'k', key}, {'l', lit}});

  // A fingertip coming down onto J, with little press marks.
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath finger;
  finger.moveTo(18.5, -1);
  finger.lineTo(18.5, 19);
  finger.cubicTo(18.5, 24, 26.5, 24, 26.5, 19);
  finger.lineTo(26.5, -1);
  finger.closeSubpath();
  QLinearGradient skin(18.5, 0, 26.5, 0);
  skin.setColorAt(0, QColor(0xff, 0xd9, 0xb8));
  skin.setColorAt(1, QColor(0xe9, 0xa9, 0x7c));
  p.setPen(QPen(QColor(0x9a, 0x5a, 0x34), 1));
  p.setBrush(skin);
  p.drawPath(finger);
  QPainterPath nail;
  nail.addRoundedRect(QRectF(20.5, 14.5, 4, 5), 1.8, 1.8);
  p.setPen(QPen(QColor(0xd0, 0x8c, 0x6a), 0.6));
  p.setBrush(QColor(0xff, 0xe8, 0xdc));
  p.drawPath(nail);
  p.setPen(QPen(QColor(0x9a, 0x5a, 0x34, 140), 0.8));
  p.drawLine(QPointF(19, 5), QPointF(26, 5));  // knuckle crease
  p.setPen(QPen(QColor(0xff, 0x8a, 0x30), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(16, 13.5), QPointF(13, 10.5));
  p.drawLine(QPointF(15.5, 16), QPointF(11.5, 15));
  p.drawLine(QPointF(29, 13.5), QPointF(32, 10.5));
  p.end();
  return image;
}

}  // namespace app::pictures
