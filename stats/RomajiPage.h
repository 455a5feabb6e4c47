#pragma once
// The statistics window's ローマ字 tab: a switch between 推移 (kana per minute, keys per second
// and accuracy over the romaji drills of a kind and time, or all of them), かな別 (the kana
// table with the weakest kana and the button 苦手かな練習) and 間違い (the key the guide
// expected → the key typed).
#include <QJsonObject>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "game/RomajiList.h"
#include "records/History.h"
#include "stats/RomajiStats.h"

class QButtonGroup;
class QChartView;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace stats {

class KanaTableView;

class RomajiPage : public QWidget {
 public:
  enum View { kTrend, kKana, kConfusions, kViews };

  explicit RomajiPage(QWidget* parent = nullptr);

  // Reads the romaji drills and their totals and redraws.
  void Load(records::History& history);
  bool Loaded() const { return loaded_; }
  void ShowView(int view);
  int CurrentView() const;
  // -1: every romaji drill of the trend; else kind × 4 + time setting.
  void SelectTrend(int selection);
  int TrendSelection() const { return selection_; }
  KanaTableView& KanaTable() { return *kanaTable_; }
  const std::vector<records::RomajiDrillEntry>& Drills() const { return drills_; }
  // Presses 苦手かな練習: the practice starts, or the note under the button says why not.
  void PracticeClicked();
  QString PracticeNote() const;
  QJsonObject Figures() const;

  // Set by the game: the entries the practice picks from (the chosen romaji list).
  std::function<std::vector<game::romaji::Entry>()> RomajiEntries;
  // Set by the game: start an untimed romaji drill of these entries; "" when started, else
  // why not (shown under the button).
  std::function<std::string(std::vector<game::romaji::Entry>)> StartKanaPractice;

 private:
  void FillChoices();
  void BuildTrend();
  std::vector<const records::RomajiDrillEntry*> Chosen() const;

  std::vector<records::RomajiDrillEntry> drills_;
  std::vector<records::KanaFigures> kanaTotals_;
  std::vector<records::RomajiConfusion> confusions_;
  std::vector<KanaStat> ranked_;
  bool loaded_ = false;
  int selection_ = -1;

  QButtonGroup* switch_ = nullptr;
  QStackedWidget* views_ = nullptr;
  QComboBox* choice_ = nullptr;
  QChartView* kanaRateView_ = nullptr;
  QChartView* keyRateView_ = nullptr;
  QChartView* accuracyView_ = nullptr;
  QLabel* noDrills_ = nullptr;
  KanaTableView* kanaTable_ = nullptr;
  QLabel* weakLabel_ = nullptr;
  QPushButton* practiceButton_ = nullptr;
  QLabel* practiceNote_ = nullptr;
  QListWidget* confusionList_ = nullptr;
};

}  // namespace stats
