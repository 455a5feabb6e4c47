#pragma once
// The statistics window 成績: a window of its own beside the game, with the tabs 推移
// (trend), キー別 (keys), 間違い (confusions), 練習量 (practice) and ローマ字 (the romaji
// drills), the CSV export, and the buttons that start a weak-key or weak-kana practice.
#include <QJsonObject>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "records/History.h"
#include "stats/StatsModel.h"

class QButtonGroup;
class QChartView;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace stats {

class KeyHeatMap;
class RomajiPage;
class TrendView;

class StatsWindow : public QWidget {
 public:
  enum Tab { kTrend, kKeys, kConfusions, kVolume, kRomaji, kTabs };

  // `today` gives the local date as YYYY-MM-DD.
  StatsWindow(records::History& history, std::function<std::string()> today, QWidget* parent = nullptr);

  // Below this width the tabs scroll rather than squeeze their charts.
  static constexpr int kContentWidth = 400;

  // Sizes the window to open like the game's window, at least 800 × 600, within the game's
  // screen, and places it beside the game (where the window system lets a program place
  // its windows). Off screen (`onScreen` false, a headless run) it only takes the size.
  void FitBeside(const QWidget& game, bool onScreen);
  // Reads the history again and redraws the visible tab (the others when shown).
  void Reload();
  void ShowTab(int tab);
  int CurrentTab() const;
  void SetLayer(Layer layer);
  Layer CurrentLayer() const { return layer_; }
  TrendView& Trend() { return *trend_; }
  KeyHeatMap& HeatMap() { return *heatMap_; }
  // The ローマ字 tab; the game sets its RomajiEntries and StartKanaPractice.
  RomajiPage& Romaji() { return *romaji_; }

  // The figures behind every view, as the driver dumps them.
  QJsonObject Figures();
  // Writes the history as CSV; false when the file cannot be written. Romaji drills, when
  // there are any, go to a second file beside it (RomajiCsvPath).
  bool ExportCsv(const std::string& path);
  // The weak keys of the layer the practice would use (CP932 bytes), and its text.
  std::vector<uint8_t> WeakKeys(Layer layer);

  // Set by the game: start a weak-key practice of a layer; returns "" when started, else
  // why not (shown under the button).
  std::function<std::string(Layer)> OnPractice;
  // Set by the game: called once the window has read the history, so that what a read
  // found (a damaged file set aside) is told at once.
  std::function<void()> AfterReading;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void EnsureTab(int tab);
  void BuildKeys();
  void BuildConfusions();
  void BuildVolume();
  void ExportClicked();
  const std::vector<KeyStat>& Ranked(Layer layer);

  records::History& history_;
  std::function<std::string()> today_;
  std::vector<records::DrillEntry> drills_;
  std::vector<records::KeyFigures> keyTotals_;
  std::vector<records::ConfusionFigures> confusions_;
  std::vector<KeyStat> ranked_[2];
  bool loaded_[kTabs] = {};
  bool totalsLoaded_ = false;
  Layer layer_ = Layer::Latin;

  QTabWidget* tabs_ = nullptr;
  TrendView* trend_ = nullptr;
  KeyHeatMap* heatMap_ = nullptr;
  QLabel* weakLabel_ = nullptr;
  QLabel* practiceNote_ = nullptr;
  QPushButton* practiceButton_ = nullptr;
  QListWidget* confusionList_ = nullptr;
  QChartView* volumeView_ = nullptr;
  QLabel* streakLabel_ = nullptr;
  QLabel* status_ = nullptr;
  RomajiPage* romaji_ = nullptr;
  std::vector<QButtonGroup*> layerGroups_;
};

}  // namespace stats
