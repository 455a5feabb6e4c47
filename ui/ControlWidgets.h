#pragma once
// What the control classes share in their Qt widgets: colours, mouse buttons, caption text,
// and the widget of the kinds that paint themselves. Only the control layer includes it.
#include <QColor>
#include <QMouseEvent>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <string>

#include "ui/Controls.h"

namespace ui::detail {

inline QColor ToQColor(Color c) { return QColor::fromRgb((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

inline MouseButton FromQt(Qt::MouseButton b) {
  switch (b) {
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::Left;
  }
}

// Captions treat "&&" as one ampersand and a single '&' as an accelerator mark.
inline QString DisplayText(const std::string& utf8) {
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
  DrawnWidget(Control& control, QWidget* host) : QWidget(host), control_(control) { setFocusPolicy(Qt::NoFocus); }

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

}  // namespace ui::detail
