#include "stats/ChartParts.h"

#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace stats::charts {

namespace {

// Every drill's point is labelled with its value up to this many drills; past it the points
// crowd, and hovering one shows its value.
constexpr size_t kLabelledPoints = 12;

// The points of drills 1..n, rounded as their labels read.
QList<QPointF> Points(const std::vector<double>& values, int decimals) {
  const double scale = std::pow(10.0, decimals);
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(values.size()));
  for (size_t i = 0; i < values.size(); ++i)
    points.append(QPointF(static_cast<double>(i + 1), std::round(values[i] * scale) / scale));
  return points;
}

QValueAxis* Axis(const QString& title, const AxisRange& range) {
  auto* a = new QValueAxis;
  a->setTitleText(title);
  a->setRange(range.lo, range.hi);
  a->setTickType(QValueAxis::TicksDynamic);
  a->setTickAnchor(0);
  a->setTickInterval(range.step);
  const int decimals = range.step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(range.step) - 1e-9));
  a->setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QStringLiteral("f"));
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(11);
  a->setLabelsFont(font);
  a->setTitleFont(font);
  return a;
}

}  // namespace

// The drills themselves: a marker on each, its value beside it while few, and on hovering.
QLineSeries* Drills(const QString& name, const std::vector<double>& values, int decimals, const QColor& colour,
                    bool labelled) {
  auto* s = new QLineSeries;
  s->setName(name);
  s->replace(Points(values, decimals));
  s->setPen(QPen(colour, 1.5));
  s->setPointsVisible(true);
  s->setMarkerSize(values.size() > 60 ? 2 : 4);
  if (labelled && values.size() <= kLabelledPoints) {
    s->setPointLabelsVisible(true);
    s->setPointLabelsFormat(QStringLiteral("@yPoint"));
    s->setPointLabelsColor(colour.darker(150));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(10);
    s->setPointLabelsFont(font);
  }
  // The hover comes with the mouse's place on the line: the nearest drill is the one meant.
  // The chart keeps the text too, as the chart view's own tooltip event would hide it else.
  QObject::connect(s, &QXYSeries::hovered, s, [s, decimals](const QPointF& at, bool entered) {
    QString text;
    if (entered && s->count() > 0) {
      const int i = std::clamp(qRound(at.x()) - 1, 0, static_cast<int>(s->count()) - 1);
      text = QStringLiteral("%1回目  %2 %3").arg(i + 1).arg(s->name()).arg(s->at(i).y(), 0, 'f', decimals);
    }
    if (s->chart()) s->chart()->setToolTip(text);
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(QCursor::pos(), text);
  });
  return s;
}

// A moving average: a line alone.
QLineSeries* Average(const QString& name, const std::vector<double>& values, const QColor& colour) {
  auto* s = new QLineSeries;
  s->setName(name);
  s->replace(Points(MovingAverage(values, kAverageWindow), 3));
  s->setPen(QPen(colour, 2.5));
  return s;
}

// A chart of drills 1..count: the series on one value axis, named by `axisTitle` (a small
// chart leaves its axes unnamed).
// A fresh chart each time: axes taken off a chart leave their labels behind.
void Fill(QChartView* view, const QString& title, int count, const std::vector<QLineSeries*>& series,
          const QString& axisTitle, const AxisRange& range) {
  auto* chart = new QChart;
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setVisible(view->chart()->legend()->isVisible());
  QChart* old = view->chart();
  view->setChart(chart);
  delete old;
  chart->setTitle(title);
  QValueAxis* x = Axis(axisTitle.isEmpty() ? QString() : QStringLiteral("回"), DrillAxis(count));
  QValueAxis* y = Axis(axisTitle, range);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QLineSeries* s : series) {
    chart->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
  }
}

QChartView* NewView(QWidget* parent) {
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(2, 2, 2, 2));
  auto* view = new QChartView(chart, parent);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(96, 140);
  return view;
}

AxisRange RangeOf(const std::vector<double>& v) {
  if (v.empty()) return ValueAxis(1, 0, 0, HUGE_VAL);
  const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
  return ValueAxis(*lo, *hi, 0, HUGE_VAL);
}

// Accuracy reads against 100 %, which its axis always shows; that also keeps its points off
// those of the keys per second, centred on the same chart.
AxisRange AccuracyRange(const std::vector<double>& v) {
  return ValueAxis(v.empty() ? 100 : *std::min_element(v.begin(), v.end()), 100, 0, 100);
}

QJsonArray Json(const std::vector<double>& v) {
  QJsonArray a;
  for (double x : v) a.append(std::round(x * 1000) / 1000);
  return a;
}

QJsonArray Json(const AxisRange& r) {
  return {std::round(r.lo * 1000) / 1000, std::round(r.hi * 1000) / 1000, std::round(r.step * 1000) / 1000};
}

}  // namespace stats::charts
