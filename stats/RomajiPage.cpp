#include "stats/RomajiPage.h"

#include <QButtonGroup>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <cmath>

#include "stats/ChartParts.h"
#include "stats/KanaTableView.h"
#include "stats/StatsModel.h"

namespace stats {

namespace {

constexpr int kRomajiShownConfusions = 40;

QString RomajiText(const std::string& s) { return QString::fromStdString(s); }

// A key as the list shows it: the character itself, 空白 for the space.
QString RomajiKeyName(char c) {
  if (c == ' ') return QStringLiteral("空白");
  if (c > ' ' && c < 0x7F) return QString(QChar::fromLatin1(c));
  return QStringLiteral("0x%1").arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0')).toUpper();
}

QString RomajiConfusionText(const records::RomajiConfusion& c) {
  return RomajiKeyName(c.expected) + QStringLiteral(" → ") + RomajiKeyName(c.typed) +
         QStringLiteral("  %1回").arg(c.count);
}

double RomajiAccuracy(const records::RomajiDrillEntry& d) {
  const int keys = d.good + d.miss;
  return keys > 0 ? 100.0 * d.good / keys : 0;
}

std::vector<double> RomajiValues(const std::vector<const records::RomajiDrillEntry*>& rows,
                                 double (*f)(const records::RomajiDrillEntry&)) {
  std::vector<double> v;
  v.reserve(rows.size());
  for (const auto* d : rows) v.push_back(f(*d));
  return v;
}

double KanaRateOf(const records::RomajiDrillEntry& d) { return d.kanaPerMinute; }
double KeyRateOf(const records::RomajiDrillEntry& d) { return d.keysPerSecond; }

QJsonObject KanaJson(const KanaStat& k) {
  QJsonObject r;
  r["kana"] = RomajiText(k.kana);
  r["targeted"] = static_cast<qint64>(k.targeted);
  r["missed"] = static_cast<qint64>(k.missed);
  r["miss_rate"] = std::round(k.missRate * 10000) / 10000;
  r["mean_ms"] = std::round(k.meanMs * 10) / 10;
  r["enough"] = k.enough;
  r["weakness"] = std::round(k.weakness * 10000) / 10000;
  return r;
}

}  // namespace

RomajiPage::RomajiPage(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  switch_ = new QButtonGroup(this);
  const char* const names[] = {"推移", "かな別", "間違い"};
  for (int v = 0; v < kViews; ++v) {
    auto* b = new QRadioButton(QString::fromUtf8(names[v]), this);
    switch_->addButton(b, v);
    row->addWidget(b);
  }
  switch_->button(kTrend)->setChecked(true);
  row->addStretch(1);
  layout->addLayout(row);
  views_ = new QStackedWidget(this);
  layout->addWidget(views_, 1);

  auto* trend = new QWidget(views_);
  auto* trendLayout = new QGridLayout(trend);
  trendLayout->setContentsMargins(0, 0, 0, 0);
  choice_ = new QComboBox(trend);
  trendLayout->addWidget(choice_, 0, 0, 1, 2);
  kanaRateView_ = charts::NewView(trend);
  keyRateView_ = charts::NewView(trend);
  accuracyView_ = charts::NewView(trend);
  trendLayout->addWidget(kanaRateView_, 1, 0, 1, 2);
  trendLayout->addWidget(keyRateView_, 2, 0);
  trendLayout->addWidget(accuracyView_, 2, 1);
  noDrills_ = new QLabel(
      QStringLiteral("まだ推移に入るローマ字ドリルがありません (%1 打鍵以上のドリルが入ります)").arg(kMinTrendKeys),
      trend);
  noDrills_->setAlignment(Qt::AlignCenter);
  trendLayout->addWidget(noDrills_, 1, 0, 2, 2);
  views_->addWidget(trend);
  connect(choice_, &QComboBox::currentIndexChanged, this, [this](int i) { SelectTrend(choice_->itemData(i).toInt()); });

  auto* kana = new QWidget(views_);
  auto* kanaLayout = new QVBoxLayout(kana);
  kanaLayout->setContentsMargins(0, 0, 0, 0);
  kanaTable_ = new KanaTableView(kana);
  kanaLayout->addWidget(kanaTable_, 1);
  auto* legend = new QLabel(
      QStringLiteral("色: ミス率 (緑 0% → 黄 10% → 赤 25%以上、灰: %1回未満)   数字: 前のかなからの平均時間 (ms)")
          .arg(kMinSamples),
      kana);
  legend->setWordWrap(true);
  kanaLayout->addWidget(legend);
  weakLabel_ = new QLabel(kana);
  weakLabel_->setWordWrap(true);
  kanaLayout->addWidget(weakLabel_);
  auto* practiceRow = new QHBoxLayout;
  practiceButton_ = new QPushButton(QStringLiteral("苦手かな練習"), kana);
  practiceButton_->setObjectName(QStringLiteral("KanaPracticeButton"));
  practiceNote_ = new QLabel(kana);
  practiceNote_->setWordWrap(true);
  practiceRow->addWidget(practiceButton_);
  practiceRow->addWidget(practiceNote_, 1);
  kanaLayout->addLayout(practiceRow);
  views_->addWidget(kana);
  connect(practiceButton_, &QPushButton::clicked, this, [this] { PracticeClicked(); });

  confusionList_ = new QListWidget(views_);
  QFont listFont(QStringLiteral("IPAGothic"));
  listFont.setPixelSize(16);
  confusionList_->setFont(listFont);
  views_->addWidget(confusionList_);
  connect(switch_, &QButtonGroup::idClicked, this, [this](int id) { ShowView(id); });
}

void RomajiPage::Load(records::History& history) {
  drills_ = history.RomajiDrills();
  kanaTotals_ = history.RomajiKanaTotals();
  confusions_ = history.RomajiConfusionTotals();
  ranked_ = RankKana(kanaTotals_);
  loaded_ = true;
  // The kind and time of the latest drill in the trend, or all of them.
  int selection = selection_;
  if (selection < 0) {
    const auto last = std::find_if(drills_.rbegin(), drills_.rend(), InRomajiTrend);
    if (last != drills_.rend()) selection = last->kind * 4 + last->timeSetting;
  }
  selection_ = selection;
  FillChoices();
  BuildTrend();

  kanaTable_->SetCells(stats::KanaTable(kanaTotals_));
  QStringList weak;
  for (const KanaStat& k : WeakestKana(ranked_, kWeakKana)) weak << RomajiText(k.kana);
  weakLabel_->setText(weak.isEmpty()
                          ? QStringLiteral("苦手かな: まだ記録が足りません (1つのかな %1回以上)").arg(kMinSamples)
                          : QStringLiteral("苦手かな (ミス率と遅さ): ") + weak.join(QStringLiteral(" ")));
  practiceNote_->clear();

  confusionList_->clear();
  for (size_t i = 0; i < confusions_.size() && i < static_cast<size_t>(kRomajiShownConfusions); ++i)
    confusionList_->addItem(RomajiConfusionText(confusions_[i]));
  if (confusions_.empty()) confusionList_->addItem(QStringLiteral("ローマ字の間違いの記録はまだありません"));
}

void RomajiPage::ShowView(int view) {
  if (view < 0 || view >= kViews) return;
  views_->setCurrentIndex(view);
  if (QAbstractButton* b = switch_->button(view)) b->setChecked(true);
}

int RomajiPage::CurrentView() const { return views_->currentIndex(); }

void RomajiPage::SelectTrend(int selection) {
  if (selection == selection_) return;
  selection_ = selection;
  FillChoices();
  BuildTrend();
}

void RomajiPage::FillChoices() {
  std::vector<int> listed = PlayedRomajiSelections(drills_);
  if (selection_ >= 0 && std::find(listed.begin(), listed.end(), selection_) == listed.end())
    listed.insert(std::upper_bound(listed.begin(), listed.end(), selection_), selection_);
  QSignalBlocker block(choice_);
  choice_->clear();
  choice_->addItem(RomajiText(RomajiSelectionName(-1)), -1);
  for (int s : listed) choice_->addItem(RomajiText(RomajiSelectionName(s)), s);
  choice_->setCurrentIndex(std::max(0, choice_->findData(selection_)));
}

std::vector<const records::RomajiDrillEntry*> RomajiPage::Chosen() const {
  std::vector<const records::RomajiDrillEntry*> rows;
  for (const auto& d : drills_)
    if (InRomajiTrend(d) && (selection_ < 0 || d.kind * 4 + d.timeSetting == selection_)) rows.push_back(&d);
  return rows;
}

void RomajiPage::BuildTrend() {
  const auto rows = Chosen();
  const bool none = rows.empty();
  noDrills_->setVisible(none);
  for (QChartView* v : {kanaRateView_, keyRateView_, accuracyView_}) v->setVisible(!none);
  const auto kanaRate = RomajiValues(rows, KanaRateOf), keyRate = RomajiValues(rows, KeyRateOf),
             accuracy = RomajiValues(rows, RomajiAccuracy);
  const int n = static_cast<int>(rows.size());
  const QString head = RomajiText(RomajiSelectionName(selection_)) + QStringLiteral("  (%1回)").arg(n);
  charts::Fill(kanaRateView_, head + QStringLiteral("  かな/分"), n,
               {charts::Drills(QStringLiteral("かな/分"), kanaRate, 1, QColor(0x4A, 0x90, 0xD9), true),
                charts::Average(QStringLiteral("移動平均 (%1回)").arg(charts::kAverageWindow), kanaRate,
                                QColor(0x1F, 0x3A, 0x93))},
               QStringLiteral("かな/分"), charts::RangeOf(kanaRate));
  charts::Fill(keyRateView_, QStringLiteral("打鍵/秒"), n,
               {charts::Drills(QStringLiteral("打鍵/秒"), keyRate, 2, QColor(0xE0, 0x8A, 0x2E), true),
                charts::Average(QStringLiteral("移動平均"), keyRate, QColor(0xA0, 0x50, 0x00))},
               QStringLiteral("打鍵/秒"), charts::RangeOf(keyRate));
  charts::Fill(accuracyView_, QStringLiteral("正確さ"), n,
               {charts::Drills(QStringLiteral("正確さ %"), accuracy, 1, QColor(0x3C, 0xA0, 0x50), true),
                charts::Average(QStringLiteral("移動平均"), accuracy, QColor(0x10, 0x60, 0x20))},
               QStringLiteral("正確さ (%)"), charts::AccuracyRange(accuracy));
}

void RomajiPage::PracticeClicked() {
  std::string why;
  if (kanaTotals_.empty()) {
    why = "ローマ字ドリルの記録がまだありません。ことば (8) か 文 (9) を練習してから押してください";
  } else if (WeakestKana(ranked_, kWeakKana).empty()) {
    why = "苦手かなを選べるだけの記録がまだありません";
  } else if (!RomajiEntries || !StartKanaPractice) {
    why = "ローマ字の練習を始められません";
  } else {
    const auto entries = WeakKanaEntries(kanaTotals_, RomajiEntries(), kKanaPracticeEntries);
    why = entries.empty() ? "いまのリストに苦手かなを含むことばがありません" : StartKanaPractice(entries);
  }
  practiceNote_->setText(RomajiText(why));
}

QString RomajiPage::PracticeNote() const { return practiceNote_->text(); }

QJsonObject RomajiPage::Figures() const {
  static const char* const kViewNames[] = {"trend", "kana", "confusions"};
  QJsonObject o;
  o["view"] = QString::fromLatin1(kViewNames[std::clamp(CurrentView(), 0, kViews - 1)]);
  o["drills"] = static_cast<int>(drills_.size());
  int practice = 0;
  for (const auto& d : drills_) practice += d.practice;
  o["practice_drills"] = practice;

  QJsonObject trend;
  trend["selection"] = RomajiText(RomajiSelectionName(selection_));
  trend["window"] = charts::kAverageWindow;
  trend["min_keys"] = kMinTrendKeys;
  QJsonArray choices;
  for (int i = 0; i < choice_->count(); ++i) choices.append(choice_->itemText(i));
  trend["choices"] = choices;
  const auto rows = Chosen();
  const auto kanaRate = RomajiValues(rows, KanaRateOf), keyRate = RomajiValues(rows, KeyRateOf),
             accuracy = RomajiValues(rows, RomajiAccuracy);
  trend["drills"] = static_cast<int>(rows.size());
  trend["kana_per_minute"] = charts::Json(kanaRate);
  trend["kana_per_minute_average"] = charts::Json(MovingAverage(kanaRate, charts::kAverageWindow));
  trend["keys_per_second"] = charts::Json(keyRate);
  trend["keys_per_second_average"] = charts::Json(MovingAverage(keyRate, charts::kAverageWindow));
  trend["accuracy"] = charts::Json(accuracy);
  trend["accuracy_average"] = charts::Json(MovingAverage(accuracy, charts::kAverageWindow));
  trend["axes"] = QJsonObject{{"drill", charts::Json(DrillAxis(static_cast<int>(rows.size())))},
                              {"kana_per_minute", charts::Json(charts::RangeOf(kanaRate))},
                              {"keys_per_second", charts::Json(charts::RangeOf(keyRate))},
                              {"accuracy", charts::Json(charts::AccuracyRange(accuracy))}};
  o["trend"] = trend;

  QJsonObject kana;
  QJsonArray table;
  for (const KanaCell& c : kanaTable_->Cells()) {
    if (c.stat.targeted == 0) continue;  // the empty cells of the table
    QJsonObject r = KanaJson(c.stat);
    r["row"] = c.row;
    r["column"] = c.column;
    table.append(r);
  }
  kana["table"] = table;
  QJsonArray ranked, weak;
  for (const KanaStat& k : ranked_) ranked.append(KanaJson(k));
  for (const KanaStat& k : WeakestKana(ranked_, kWeakKana)) weak.append(RomajiText(k.kana));
  kana["ranked"] = ranked;
  kana["weakest"] = weak;
  kana["weak_label"] = weakLabel_->text();
  kana["practice_note"] = practiceNote_->text();
  o["kana"] = kana;

  QJsonArray confusions;
  for (const auto& c : confusions_)
    confusions.append(QJsonObject{{"expected", RomajiKeyName(c.expected)},
                                  {"typed", RomajiKeyName(c.typed)},
                                  {"count", static_cast<qint64>(c.count)},
                                  {"text", RomajiConfusionText(c)}});
  o["confusions"] = confusions;
  return o;
}

}  // namespace stats
