#pragma once
// 推移: score, keys per second and accuracy over the drills of one mode and time setting,
// with a moving average of each; or every mode at once as small charts. Drills too
// short to tell a pace (InTrend) are left out; the chooser lists the modes and times played.
#include <QJsonObject>
#include <QWidget>
#include <vector>

#include "records/History.h"
#include "stats/ChartParts.h"

class QChart;
class QChartView;
class QComboBox;
class QGridLayout;
class QStackedWidget;

namespace stats {

class TrendView : public QWidget {
 public:
  static constexpr int kAverageWindow = charts::kAverageWindow;
  explicit TrendView(QWidget* parent = nullptr);

  // New drills (all of the history, in the order written).
  void SetDrills(const std::vector<records::DrillEntry>* drills);
  // -1: every mode as small charts; else mode × 4 + time setting.
  void Select(int selection);
  int Selection() const { return selection_; }
  QJsonObject Figures() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  static constexpr int kFourColumnsWidth = 600;
  // Lays the small charts of the modes played out in rows; `again` after they changed.
  void PlaceSmallViews(bool again = false);
  void FillChoices();
  // Drills of a mode and time (every drill for mode -1) left out as too short.
  int LeftOut(int mode, int timeSetting) const;
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
  QChartView* accuracyView_ = nullptr;
  QGridLayout* grid_ = nullptr;
  std::vector<QChartView*> smallViews_;
  int columns_ = 0;
  std::vector<bool> played_;    // per mode: drills in the trends
  QLabel* noDrills_ = nullptr;  // said instead while there are none
  bool smallBuilt_ = false;
};

}  // namespace stats
