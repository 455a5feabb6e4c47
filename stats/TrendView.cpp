#include "stats/TrendView.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QJsonArray>
#include <QLabel>
#include <QLineSeries>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "game/Modes.h"
#include "platform/Cp932.h"
#include "stats/StatsModel.h"

namespace stats {

namespace {

QString ModeName(int mode) { return plat::cp932::ToQString(game::kModeNames[static_cast<size_t>(mode)]); }
QString TimeName(int t) { return QString::fromLatin1(game::kDurationLabels[static_cast<size_t>(t)]).trimmed(); }

double Accuracy(const records::DrillEntry& d) {
  const int keys = d.good + d.miss;
  return keys > 0 ? 100.0 * d.good / keys : 0;
}

QLineSeries* Series(const QString& name, const std::vector<double>& values, const QColor& colour, qreal width) {
  auto* s = new QLineSeries;
  s->setName(name);
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(values.size()));
  for (size_t i = 0; i < values.size(); ++i) points.append(QPointF(static_cast<double>(i + 1), values[i]));
  s->replace(points);
  QPen pen(colour);
  pen.setWidthF(width);
  s->setPen(pen);
  s->setPointsVisible(values.size() < 40);  // a single drill is a point, not a line
  return s;
}

QValueAxis* Axis(const QString& title, double lo, double hi) {
  auto* a = new QValueAxis;
  a->setTitleText(title);
  a->setRange(lo, hi);
  a->setLabelFormat(QStringLiteral("%g"));
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(11);
  a->setLabelsFont(font);
  a->setTitleFont(font);
  return a;
}

// A chart with the given series on a left axis, and more on a right axis when given.
// A fresh chart each time: axes taken off a chart leave their labels behind.
void Fill(QChartView* view, const QString& title, int count, std::vector<QLineSeries*> left, const QString& leftTitle,
          double leftMax, std::vector<QLineSeries*> right = {}, const QString& rightTitle = {}) {
  auto* chart = new QChart;
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setVisible(view->chart()->legend()->isVisible());
  QChart* old = view->chart();
  view->setChart(chart);
  delete old;
  chart->setTitle(title);
  QValueAxis* x = Axis(QStringLiteral("回"), 1, std::max(count, 2));
  x->setLabelFormat(QStringLiteral("%d"));
  chart->addAxis(x, Qt::AlignBottom);
  x->setTickCount(std::clamp(count, 2, 6));
  if (count > 5) x->applyNiceNumbers();
  QValueAxis* y = Axis(leftTitle, 0, leftMax > 0 ? leftMax * 1.1 : 1);
  y->applyNiceNumbers();
  chart->addAxis(y, Qt::AlignLeft);
  for (QLineSeries* s : left) {
    chart->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
  }
  if (!right.empty()) {
    QValueAxis* r = Axis(rightTitle, 0, 100);
    chart->addAxis(r, Qt::AlignRight);
    for (QLineSeries* s : right) {
      chart->addSeries(s);
      s->attachAxis(x);
      s->attachAxis(r);
    }
  }
}

QChartView* NewView(QWidget* parent) {
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(2, 2, 2, 2));
  auto* view = new QChartView(chart, parent);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(120, 90);
  return view;
}

std::vector<double> Values(const std::vector<const records::DrillEntry*>& rows, double (*f)(const records::DrillEntry&)) {
  std::vector<double> v;
  v.reserve(rows.size());
  for (const auto* d : rows) v.push_back(f(*d));
  return v;
}

double ScoreOf(const records::DrillEntry& d) { return d.score; }
double RateOf(const records::DrillEntry& d) { return d.keysPerSecond; }

double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

QJsonArray Json(const std::vector<double>& v) {
  QJsonArray a;
  for (double x : v) a.append(std::round(x * 1000) / 1000);
  return a;
}

}  // namespace

TrendView::TrendView(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  choice_ = new QComboBox(this);
  choice_->addItem(QStringLiteral("全モード (打鍵/秒)"), -1);
  for (int m = 0; m < game::kTimedModes; ++m)
    for (int t = 0; t <= game::kUntimed; ++t) choice_->addItem(ModeName(m) + QStringLiteral("  ") + TimeName(t), m * 4 + t);
  layout->addWidget(choice_);
  pages_ = new QStackedWidget(this);
  auto* single = new QWidget(pages_);
  auto* singleLayout = new QVBoxLayout(single);
  singleLayout->setContentsMargins(0, 0, 0, 0);
  scoreView_ = NewView(single);
  rateView_ = NewView(single);
  singleLayout->addWidget(scoreView_);
  singleLayout->addWidget(rateView_);
  auto* grid = new QWidget(pages_);
  auto* gridLayout = new QGridLayout(grid);
  gridLayout->setContentsMargins(0, 0, 0, 0);
  for (int m = 0; m < game::kTimedModes; ++m) {
    smallViews_.push_back(NewView(grid));
    smallViews_.back()->chart()->legend()->hide();
    gridLayout->addWidget(smallViews_.back(), m / 4, m % 4);
  }
  pages_->addWidget(grid);
  pages_->addWidget(single);
  layout->addWidget(pages_, 1);
  connect(choice_, &QComboBox::currentIndexChanged, this, [this](int i) { Select(choice_->itemData(i).toInt()); });
}

void TrendView::SetDrills(const std::vector<records::DrillEntry>* drills) {
  drills_ = drills;
  smallBuilt_ = false;
  // The mode and time of the latest drill, or every mode.
  int selection = selection_;
  if (selection < 0 && drills_ && !drills_->empty()) {
    const records::DrillEntry& last = drills_->back();
    if (last.mode >= 0 && last.mode < game::kTimedModes && last.timeSetting >= 0 && last.timeSetting <= game::kUntimed)
      selection = last.mode * 4 + last.timeSetting;
  }
  selection_ = -2;
  Select(selection);
}

void TrendView::Select(int selection) {
  if (selection == selection_) return;
  selection_ = selection;
  const int index = choice_->findData(selection);
  if (index >= 0 && index != choice_->currentIndex()) {
    QSignalBlocker block(choice_);
    choice_->setCurrentIndex(index);
  }
  Rebuild();
}

std::vector<const records::DrillEntry*> TrendView::Chosen(int mode, int timeSetting) const {
  std::vector<const records::DrillEntry*> rows;
  if (!drills_) return rows;
  for (const auto& d : *drills_)
    if (!d.practice && d.mode == mode && (timeSetting < 0 || d.timeSetting == timeSetting)) rows.push_back(&d);
  return rows;
}

void TrendView::Rebuild() {
  if (selection_ < 0) {
    pages_->setCurrentIndex(0);
    BuildSmallMultiples();
  } else {
    pages_->setCurrentIndex(1);
    BuildSingle();
  }
}

void TrendView::BuildSingle() {
  const int mode = selection_ / 4, time = selection_ % 4;
  const auto rows = Chosen(mode, time);
  const auto score = Values(rows, ScoreOf), rate = Values(rows, RateOf), accuracy = Values(rows, Accuracy);
  const int n = static_cast<int>(rows.size());
  const QString head = ModeName(mode) + QStringLiteral(" ") + TimeName(time) + QStringLiteral("  (%1回)").arg(n);
  Fill(scoreView_, head + QStringLiteral("  スコア"), n,
       {Series(QStringLiteral("スコア"), score, QColor(0x4A, 0x90, 0xD9), 1),
        Series(QStringLiteral("移動平均 (%1回)").arg(kAverageWindow), MovingAverage(score, kAverageWindow),
               QColor(0x1F, 0x3A, 0x93), 2.5)},
       QStringLiteral("スコア"), Max(score));
  Fill(rateView_, QStringLiteral("打鍵/秒 と 正確さ"), n,
       {Series(QStringLiteral("打鍵/秒"), rate, QColor(0xE0, 0x8A, 0x2E), 1),
        Series(QStringLiteral("移動平均"), MovingAverage(rate, kAverageWindow), QColor(0xA0, 0x50, 0x00), 2.5)},
       QStringLiteral("打鍵/秒"), Max(rate),
       {Series(QStringLiteral("正確さ %"), accuracy, QColor(0x3C, 0xA0, 0x50), 1),
        Series(QStringLiteral("正確さ 移動平均"), MovingAverage(accuracy, kAverageWindow), QColor(0x10, 0x60, 0x20), 2.5)},
       QStringLiteral("正確さ (%)"));
}

void TrendView::BuildSmallMultiples() {
  if (smallBuilt_) return;
  smallBuilt_ = true;
  for (int m = 0; m < game::kTimedModes; ++m) {
    const auto rows = Chosen(m, -1);
    const auto rate = Values(rows, RateOf);
    Fill(smallViews_[static_cast<size_t>(m)], ModeName(m) + QStringLiteral(" (%1回)").arg(rows.size()),
         static_cast<int>(rows.size()),
         {Series(QStringLiteral("打鍵/秒"), rate, QColor(0xE0, 0x8A, 0x2E), 1),
          Series(QStringLiteral("移動平均"), MovingAverage(rate, kAverageWindow), QColor(0xA0, 0x50, 0x00), 2)},
         QStringLiteral("打鍵/秒"), Max(rate));
  }
}

QJsonObject TrendView::Figures() const {
  QJsonObject o;
  o["selection"] = selection_ < 0 ? QStringLiteral("all") : ModeName(selection_ / 4) + " " + TimeName(selection_ % 4);
  o["window"] = kAverageWindow;
  if (selection_ >= 0) {
    const auto rows = Chosen(selection_ / 4, selection_ % 4);
    const auto score = Values(rows, ScoreOf), rate = Values(rows, RateOf), accuracy = Values(rows, Accuracy);
    o["drills"] = static_cast<int>(rows.size());
    o["score"] = Json(score);
    o["score_average"] = Json(MovingAverage(score, kAverageWindow));
    o["keys_per_second"] = Json(rate);
    o["keys_per_second_average"] = Json(MovingAverage(rate, kAverageWindow));
    o["accuracy"] = Json(accuracy);
    o["accuracy_average"] = Json(MovingAverage(accuracy, kAverageWindow));
  }
  QJsonArray all;
  for (int m = 0; m < game::kTimedModes; ++m) {
    const auto rows = Chosen(m, -1);
    QJsonObject one;
    one["mode"] = ModeName(m);
    one["drills"] = static_cast<int>(rows.size());
    one["keys_per_second"] = Json(Values(rows, RateOf));
    all.append(one);
  }
  o["modes"] = all;
  return o;
}

}  // namespace stats
