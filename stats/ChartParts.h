#pragma once
// The pieces the trend charts are made of: a drill series with its markers and labels, its
// moving average, a chart of drills 1..n on one value axis, and the axes' ranges.
#include <QColor>
#include <QJsonArray>
#include <QString>
#include <vector>

#include "stats/StatsModel.h"

class QChartView;
class QLineSeries;
class QWidget;

namespace stats::charts {

// Drills averaged in a moving average.
inline constexpr int kAverageWindow = 10;

// The drills themselves: a marker on each, its value beside it while few (`labelled`), and
// on hovering.
QLineSeries* Drills(const QString& name, const std::vector<double>& values, int decimals, const QColor& colour,
                    bool labelled);
// A moving average: a line alone.
QLineSeries* Average(const QString& name, const std::vector<double>& values, const QColor& colour);
// A chart of drills 1..count: the series on one value axis, named by `axisTitle` (a small
// chart leaves its axes unnamed).
void Fill(QChartView* view, const QString& title, int count, const std::vector<QLineSeries*>& series,
          const QString& axisTitle, const AxisRange& range);
QChartView* NewView(QWidget* parent);
AxisRange RangeOf(const std::vector<double>& v);
// Accuracy reads against 100 %, which its axis always shows.
AxisRange AccuracyRange(const std::vector<double>& v);
QJsonArray Json(const std::vector<double>& v);
QJsonArray Json(const AxisRange& r);

}  // namespace stats::charts
