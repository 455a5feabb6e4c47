#pragma once
// 推移: score and keys per second over the drills of one mode and time setting, with the
// accuracy and a moving average of each; or every mode at once as small charts.
#include <QJsonObject>
#include <QWidget>
#include <vector>

#include "records/History.h"

class QChart;
class QChartView;
class QComboBox;
class QStackedWidget;

namespace stats {

class TrendView : public QWidget {
 public:
  static constexpr int kAverageWindow = 10;
  explicit TrendView(QWidget* parent = nullptr);

  // New drills (all of the history, in the order written).
  void SetDrills(const std::vector<records::DrillEntry>* drills);
  // -1: every mode as small charts; else mode × 4 + time setting.
  void Select(int selection);
  int Selection() const { return selection_; }
  QJsonObject Figures() const;

 private:
  void Rebuild();
  void BuildSingle();
  void BuildSmallMultiples();
  std::vector<const records::DrillEntry*> Chosen(int mode, int timeSetting) const;

  const std::vector<records::DrillEntry>* drills_ = nullptr;
  int selection_ = -1;
  QComboBox* choice_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QChartView* scoreView_ = nullptr;
  QChartView* rateView_ = nullptr;
  std::vector<QChartView*> smallViews_;
  bool smallBuilt_ = false;
};

}  // namespace stats
