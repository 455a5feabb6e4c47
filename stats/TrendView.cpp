#include "stats/TrendView.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QJsonArray>
#include <QLabel>
#include <QLineSeries>
#include <QStackedWidget>
#include <QToolTip>
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
QString SelectionName(int s) { return ModeName(s / 4) + QStringLiteral("  ") + TimeName(s % 4); }

double Accuracy(const records::DrillEntry& d) {
  const int keys = d.good + d.miss;
  return keys > 0 ? 100.0 * d.good / keys : 0;
}
double ScoreOf(const records::DrillEntry& d) { return d.score; }
double RateOf(const records::DrillEntry& d) { return d.keysPerSecond; }

std::vector<double> Values(const std::vector<const records::DrillEntry*>& rows,
                           double (*f)(const records::DrillEntry&)) {
  std::vector<double> v;
  v.reserve(rows.size());
  for (const auto* d : rows) v.push_back(f(*d));
  return v;
}

using charts::AccuracyRange;
using charts::Average;
using charts::Drills;
using charts::Fill;
using charts::Json;
using charts::NewView;
using charts::RangeOf;

}  // namespace

TrendView::TrendView(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  choice_ = new QComboBox(this);
  layout->addWidget(choice_);
  pages_ = new QStackedWidget(this);
  auto* single = new QWidget(pages_);
  auto* singleLayout = new QGridLayout(single);
  singleLayout->setContentsMargins(0, 0, 0, 0);
  scoreView_ = NewView(single);
  rateView_ = NewView(single);
  accuracyView_ = NewView(single);
  singleLayout->addWidget(scoreView_, 0, 0, 1, 2);
  singleLayout->addWidget(rateView_, 1, 0);
  singleLayout->addWidget(accuracyView_, 1, 1);
  auto* grid = new QWidget(pages_);
  grid_ = new QGridLayout(grid);
  grid_->setContentsMargins(0, 0, 0, 0);
  for (int m = 0; m < game::kTimedModes; ++m) {
    smallViews_.push_back(NewView(grid));
    smallViews_.back()->chart()->legend()->hide();
  }
  played_.assign(smallViews_.size(), true);
  noDrills_ = new QLabel(
      QStringLiteral("まだ推移に入るドリルがありません (%1 打鍵以上のドリルが入ります)").arg(kMinTrendKeys), grid);
  noDrills_->setAlignment(Qt::AlignCenter);
  noDrills_->hide();
  PlaceSmallViews();
  pages_->addWidget(grid);
  pages_->addWidget(single);
  layout->addWidget(pages_, 1);
  FillChoices();
  connect(choice_, &QComboBox::currentIndexChanged, this, [this](int i) { Select(choice_->itemData(i).toInt()); });
}

// Four small charts a row, two in a narrow window; only the modes played, without gaps.
void TrendView::PlaceSmallViews(bool again) {
  const int columns = width() >= kFourColumnsWidth ? 4 : 2;
  if (columns == columns_ && !again) return;
  columns_ = columns;
  grid_->removeWidget(noDrills_);
  for (QChartView* v : smallViews_) grid_->removeWidget(v);
  int shown = 0;
  for (size_t m = 0; m < smallViews_.size(); ++m) {
    smallViews_[m]->setVisible(played_[m]);
    if (!played_[m]) continue;
    grid_->addWidget(smallViews_[m], shown / columns, shown % columns);
    ++shown;
  }
  noDrills_->setVisible(shown == 0);
  if (shown == 0) grid_->addWidget(noDrills_, 0, 0);
}

void TrendView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceSmallViews();
}

void TrendView::SetDrills(const std::vector<records::DrillEntry>* drills) {
  drills_ = drills;
  smallBuilt_ = false;
  // The mode and time of the latest drill in the trends, or every mode.
  int selection = selection_;
  if (selection < 0 && drills_) {
    const auto last = std::find_if(drills_->rbegin(), drills_->rend(), InTrend);
    if (last != drills_->rend()) selection = last->mode * 4 + last->timeSetting;
  }
  selection_ = -2;
  Select(selection);
}

void TrendView::Select(int selection) {
  if (selection == selection_) return;
  selection_ = selection;
  FillChoices();
  Rebuild();
}

// Every mode, the modes and times played, and the one shown even when it has no drills yet.
void TrendView::FillChoices() {
  std::vector<int> listed = drills_ ? PlayedSelections(*drills_) : std::vector<int>{};
  if (selection_ >= 0 && std::find(listed.begin(), listed.end(), selection_) == listed.end())
    listed.insert(std::upper_bound(listed.begin(), listed.end(), selection_), selection_);
  QSignalBlocker block(choice_);
  choice_->clear();
  choice_->addItem(QStringLiteral("全モード (打鍵/秒)"), -1);
  for (int s : listed) choice_->addItem(SelectionName(s), s);
  choice_->setCurrentIndex(std::max(0, choice_->findData(selection_)));
}

std::vector<const records::DrillEntry*> TrendView::Chosen(int mode, int timeSetting) const {
  std::vector<const records::DrillEntry*> rows;
  if (!drills_) return rows;
  for (const auto& d : *drills_)
    if (InTrend(d) && d.mode == mode && (timeSetting < 0 || d.timeSetting == timeSetting)) rows.push_back(&d);
  return rows;
}

int TrendView::LeftOut(int mode, int timeSetting) const {
  int n = 0;
  if (drills_)
    for (const auto& d : *drills_)
      n += !d.practice && !InTrend(d) && (mode < 0 || (d.mode == mode && d.timeSetting == timeSetting));
  return n;
}

void TrendView::Rebuild() {
  const int page = selection_ < 0 ? 0 : 1;
  // The stack asks only the page shown for room: the small charts two to a row need more
  // height than the single mode's charts, which would scroll for nothing.
  for (int i = 0; i < pages_->count(); ++i) {
    const auto policy = i == page ? QSizePolicy::Preferred : QSizePolicy::Ignored;
    pages_->widget(i)->setSizePolicy(policy, policy);
  }
  pages_->setCurrentIndex(page);
  if (page == 0)
    BuildSmallMultiples();
  else
    BuildSingle();
}

void TrendView::BuildSingle() {
  const int mode = selection_ / 4, time = selection_ % 4;
  const auto rows = Chosen(mode, time);
  const auto score = Values(rows, ScoreOf), rate = Values(rows, RateOf), accuracy = Values(rows, Accuracy);
  const int n = static_cast<int>(rows.size());
  QString head = SelectionName(selection_) + QStringLiteral("  (%1回").arg(n);
  if (const int few = LeftOut(mode, time))
    head += QStringLiteral("、%1打鍵未満の%2回を除く").arg(kMinTrendKeys).arg(few);
  head += QStringLiteral(")");
  const QString average = QStringLiteral("移動平均 (%1回)").arg(kAverageWindow);
  Fill(scoreView_, head + QStringLiteral("  スコア"), n,
       {Drills(QStringLiteral("スコア"), score, 0, QColor(0x4A, 0x90, 0xD9), true),
        Average(average, score, QColor(0x1F, 0x3A, 0x93))},
       QStringLiteral("スコア"), RangeOf(score));
  Fill(rateView_, QStringLiteral("打鍵/秒"), n,
       {Drills(QStringLiteral("打鍵/秒"), rate, 2, QColor(0xE0, 0x8A, 0x2E), true),
        Average(QStringLiteral("移動平均"), rate, QColor(0xA0, 0x50, 0x00))},
       QStringLiteral("打鍵/秒"), RangeOf(rate));
  Fill(accuracyView_, QStringLiteral("正確さ"), n,
       {Drills(QStringLiteral("正確さ %"), accuracy, 1, QColor(0x3C, 0xA0, 0x50), true),
        Average(QStringLiteral("移動平均"), accuracy, QColor(0x10, 0x60, 0x20))},
       QStringLiteral("正確さ (%)"), AccuracyRange(accuracy));
}

void TrendView::BuildSmallMultiples() {
  if (smallBuilt_) return;
  smallBuilt_ = true;
  for (int m = 0; m < game::kTimedModes; ++m) {
    const auto rows = Chosen(m, -1);
    played_[static_cast<size_t>(m)] = !rows.empty();
    const auto rate = Values(rows, RateOf);
    Fill(smallViews_[static_cast<size_t>(m)], ModeName(m) + QStringLiteral(" (%1回)").arg(rows.size()),
         static_cast<int>(rows.size()),
         {Drills(QStringLiteral("打鍵/秒"), rate, 2, QColor(0xE0, 0x8A, 0x2E), false),
          Average(QStringLiteral("移動平均"), rate, QColor(0xA0, 0x50, 0x00))},
         QString(), RangeOf(rate));
  }
  PlaceSmallViews(true);
}

QJsonObject TrendView::Figures() const {
  QJsonObject o;
  o["selection"] = selection_ < 0 ? QStringLiteral("all") : ModeName(selection_ / 4) + " " + TimeName(selection_ % 4);
  o["window"] = kAverageWindow;
  o["min_keys"] = kMinTrendKeys;
  o["left_out"] = LeftOut(-1, -1);
  QJsonArray choices;
  for (int i = 0; i < choice_->count(); ++i) {
    const int s = choice_->itemData(i).toInt();
    choices.append(s < 0 ? QStringLiteral("all") : ModeName(s / 4) + " " + TimeName(s % 4));
  }
  o["choices"] = choices;
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
    // Each axis as [low, high, step between labels].
    o["axes"] = QJsonObject{{"drill", Json(DrillAxis(static_cast<int>(rows.size())))},
                            {"score", Json(RangeOf(score))},
                            {"keys_per_second", Json(RangeOf(rate))},
                            {"accuracy", Json(AccuracyRange(accuracy))}};
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
