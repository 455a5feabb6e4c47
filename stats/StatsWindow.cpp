#include "stats/StatsWindow.h"

#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "records/HistoryCsv.h"
#include "stats/KeyHeatMap.h"
#include "stats/Placement.h"
#include "stats/RomajiPage.h"
#include "stats/TrendView.h"
#include "stats/WeakKeyText.h"

namespace stats {

namespace {

constexpr int kVolumeDays = 84;  // twelve weeks
constexpr int kMarkEvery = 14;   // a date label every other week: they stay readable in a narrow window
constexpr int kShownConfusions = 40;
constexpr int kMargin = 6;

QString Utf8(const std::string& s) { return QString::fromStdString(s); }

QString KeyList(const std::vector<uint8_t>& keys) {
  QStringList names;
  for (uint8_t k : keys) names << Utf8(CharName(k));
  return names.join(QStringLiteral(" "));
}

}  // namespace

StatsWindow::StatsWindow(records::History& history, std::function<std::string()> today, QWidget* parent)
    : QWidget(parent, Qt::Window), history_(history), today_(std::move(today)) {
  setObjectName(QStringLiteral("StatsWindow"));
  setWindowTitle(QStringLiteral("成績 - dojokai"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  // On a small screen the tabs scroll; the buttons below them stay in sight.
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  tabs_ = new QTabWidget;
  tabs_->setMinimumWidth(kContentWidth);  // the height the charts need comes from their layouts
  scroll->setWidget(tabs_);
  layout->addWidget(scroll, 1);

  auto layerChoice = [this](QWidget* page, QBoxLayout* into) {
    auto* row = new QHBoxLayout;
    auto* group = new QButtonGroup(page);
    auto* latin = new QRadioButton(QStringLiteral("英字"), page);
    auto* kana = new QRadioButton(QStringLiteral("かな"), page);
    group->addButton(latin, 0);
    group->addButton(kana, 1);
    latin->setChecked(true);
    row->addWidget(latin);
    row->addWidget(kana);
    row->addStretch(1);
    into->addLayout(row);
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { SetLayer(id == 0 ? Layer::Latin : Layer::Kana); });
    layerGroups_.push_back(group);
  };

  trend_ = new TrendView(tabs_);
  tabs_->addTab(trend_, QStringLiteral("推移"));

  auto* keys = new QWidget(tabs_);
  auto* keysLayout = new QVBoxLayout(keys);
  layerChoice(keys, keysLayout);
  heatMap_ = new KeyHeatMap(keys);
  keysLayout->addWidget(heatMap_, 1);
  weakLabel_ = new QLabel(keys);
  weakLabel_->setWordWrap(true);
  keysLayout->addWidget(weakLabel_);
  auto* practiceRow = new QHBoxLayout;
  practiceButton_ = new QPushButton(QStringLiteral("苦手キー練習"), keys);
  practiceButton_->setObjectName(QStringLiteral("PracticeButton"));
  practiceNote_ = new QLabel(keys);
  practiceRow->addWidget(practiceButton_);
  practiceRow->addWidget(practiceNote_, 1);
  keysLayout->addLayout(practiceRow);
  tabs_->addTab(keys, QStringLiteral("キー別"));
  connect(practiceButton_, &QPushButton::clicked, this, [this] {
    if (!OnPractice) return;
    const std::string why = OnPractice(layer_);
    practiceNote_->setText(Utf8(why));
  });

  auto* confusions = new QWidget(tabs_);
  auto* confusionsLayout = new QVBoxLayout(confusions);
  layerChoice(confusions, confusionsLayout);
  confusionList_ = new QListWidget(confusions);
  QFont listFont(QStringLiteral("IPAGothic"));
  listFont.setPixelSize(16);
  confusionList_->setFont(listFont);
  confusionsLayout->addWidget(confusionList_, 1);
  tabs_->addTab(confusions, QStringLiteral("間違い"));

  auto* volume = new QWidget(tabs_);
  auto* volumeLayout = new QVBoxLayout(volume);
  streakLabel_ = new QLabel(volume);
  volumeLayout->addWidget(streakLabel_);
  volumeView_ = new QChartView(new QChart, volume);
  volumeView_->setRenderHint(QPainter::Antialiasing);
  volumeLayout->addWidget(volumeView_, 1);
  tabs_->addTab(volume, QStringLiteral("練習量"));

  romaji_ = new RomajiPage(tabs_);
  tabs_->addTab(romaji_, QStringLiteral("ローマ字"));

  auto* bottom = new QHBoxLayout;
  status_ = new QLabel(this);
  status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // a long path must not widen the window
  auto* exportButton = new QPushButton(QStringLiteral("CSVで書き出す..."), this);
  auto* closeButton = new QPushButton(QStringLiteral("閉じる"), this);
  bottom->addWidget(status_, 1);
  bottom->addWidget(exportButton);
  bottom->addWidget(closeButton);
  layout->addLayout(bottom);
  connect(exportButton, &QPushButton::clicked, this, [this] { ExportClicked(); });
  connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { EnsureTab(tab); });
}

void StatsWindow::FitBeside(const QWidget& game, bool onScreen) {
  const QSize wanted(std::max(game.width(), 800), std::max(game.height(), 600));
  QScreen* screen = game.screen();
  if (!onScreen || !screen) {
    resize(wanted);
    return;
  }
  // The window manager frames this window as it frames the game's.
  const QRect frame = game.frameGeometry(), inner = game.geometry();
  const QSize decor = frame.size() - inner.size();
  const QRect place =
      PlaceBeside(screen->availableGeometry(), frame, wanted + decor, kContentWidth + 2 * kMargin + decor.width());
  resize(place.size() - decor);
  // Where the compositor places windows itself (Wayland), the place asked for is ignored.
  move(place.topLeft());
}

void StatsWindow::Reload() {
  drills_ = history_.Drills();
  totalsLoaded_ = false;
  std::fill(std::begin(loaded_), std::end(loaded_), false);
  int64_t keys = 0;
  for (const auto& d : drills_) keys += d.good + d.miss;
  QString status = QStringLiteral("ドリル %1回  打鍵 %2").arg(drills_.size()).arg(keys);
  if (const size_t romaji = history_.RomajiDrills().size()) status += QStringLiteral("  ローマ字 %1回").arg(romaji);
  if (history_.GetStatus() == records::History::Status::ReadOnly) status += QStringLiteral("  (読み取り専用)");
  if (history_.GetStatus() == records::History::Status::Unavailable) status = QStringLiteral("成績の記録を開けません");
  status_->setText(status);
  EnsureTab(tabs_->currentIndex());
}

void StatsWindow::ShowTab(int tab) {
  if (tab >= 0 && tab < kTabs) tabs_->setCurrentIndex(tab);
  EnsureTab(tabs_->currentIndex());
}

int StatsWindow::CurrentTab() const { return tabs_->currentIndex(); }

void StatsWindow::SetLayer(Layer layer) {
  layer_ = layer;
  for (QButtonGroup* g : layerGroups_)
    if (QAbstractButton* b = g->button(layer == Layer::Latin ? 0 : 1)) b->setChecked(true);
  loaded_[kKeys] = loaded_[kConfusions] = false;
  EnsureTab(tabs_->currentIndex());
}

const std::vector<KeyStat>& StatsWindow::Ranked(Layer layer) {
  if (!totalsLoaded_) {
    keyTotals_ = history_.KeyTotals();
    confusions_ = history_.ConfusionTotals();
    ranked_[0] = RankKeys(keyTotals_, Layer::Latin);
    ranked_[1] = RankKeys(keyTotals_, Layer::Kana);
    totalsLoaded_ = true;
  }
  return ranked_[layer == Layer::Latin ? 0 : 1];
}

void StatsWindow::EnsureTab(int tab) {
  if (tab < 0 || tab >= kTabs || loaded_[tab]) return;
  loaded_[tab] = true;
  switch (tab) {
    case kTrend: trend_->SetDrills(&drills_); break;
    case kKeys: BuildKeys(); break;
    case kConfusions: BuildConfusions(); break;
    case kVolume: BuildVolume(); break;
    case kRomaji: romaji_->Load(history_); break;
  }
  if (AfterReading) AfterReading();
}

std::vector<uint8_t> StatsWindow::WeakKeys(Layer layer) { return WeakestKeys(Ranked(layer), kWeakKeys); }

void StatsWindow::BuildKeys() {
  const auto& ranked = Ranked(layer_);
  heatMap_->SetKeys(ranked, layer_);
  const auto weak = WeakestKeys(ranked, kWeakKeys);
  weakLabel_->setText(weak.empty() ? QStringLiteral("苦手キー: まだ記録が足りません (1キー %1回以上)").arg(kMinSamples)
                                   : QStringLiteral("苦手キー (ミス率と遅さ): ") + KeyList(weak));
  practiceButton_->setEnabled(!weak.empty());
  practiceNote_->clear();
}

void StatsWindow::BuildConfusions() {
  Ranked(layer_);
  confusionList_->clear();
  const auto rows = LayerConfusions(confusions_, layer_);
  for (size_t i = 0; i < rows.size() && i < static_cast<size_t>(kShownConfusions); ++i)
    confusionList_->addItem(Utf8(CharName(rows[i].target)) + QStringLiteral(" → ") + Utf8(CharName(rows[i].typed)) +
                            QStringLiteral("  %1回").arg(rows[i].count));
  if (rows.empty()) confusionList_->addItem(QStringLiteral("間違いの記録はまだありません"));
}

void StatsWindow::BuildVolume() {
  const std::string today = today_();
  const auto days = PracticePerDay(drills_, today, kVolumeDays);
  int64_t keys = 0, most = 1;
  int drills = 0, mostDrills = 1, practised = 0;
  for (const DayCount& d : days) {
    keys += d.keys;
    drills += d.drills;
    most = std::max(most, d.keys);
    mostDrills = std::max(mostDrills, d.drills);
    practised += d.drills > 0;
  }
  streakLabel_->setText(QStringLiteral("連続練習 %1日   12週間: 練習した日 %2日  ドリル %3回  打鍵 %4")
                            .arg(Streak(drills_, today))
                            .arg(practised)
                            .arg(drills)
                            .arg(keys));
  // A fresh chart each time: axes taken off a chart leave their labels behind.
  auto* chart = new QChart;
  QChart* old = volumeView_->chart();
  volumeView_->setChart(chart);
  delete old;
  chart->setTitle(
      QStringLiteral("1日の打鍵数とドリル数 (%1 〜 %2)").arg(Utf8(days.front().date), Utf8(days.back().date)));
  auto* set = new QBarSet(QStringLiteral("打鍵数"));
  set->setColor(QColor(0x4A, 0x90, 0xD9));
  auto* drillLine = new QLineSeries;
  drillLine->setName(QStringLiteral("ドリル数"));
  drillLine->setPen(QPen(QColor(0xD0, 0x60, 0x20), 2));
  for (size_t i = 0; i < days.size(); ++i) {
    *set << static_cast<double>(days[i].keys);
    drillLine->append(static_cast<double>(i), days[i].drills);
  }
  auto* bars = new QBarSeries;
  bars->append(set);
  bars->setBarWidth(0.8);
  chart->addSeries(bars);
  chart->addSeries(drillLine);
  // Dates counted back from today at the right.
  auto* x = new QCategoryAxis;
  x->setRange(-0.5, kVolumeDays - 0.5);
  x->setStartValue(-0.5);
  x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  for (const DayMark& mark : DayMarks(days, kMarkEvery)) x->append(Utf8(mark.label), static_cast<double>(mark.index));
  x->setTitleText(QStringLiteral("日付 (右端が今日)"));
  auto* y = new QValueAxis;
  y->setRange(0, static_cast<double>(most) * 1.1);
  y->applyNiceNumbers();
  y->setLabelFormat(QStringLiteral("%d"));
  y->setTitleText(QStringLiteral("打鍵"));
  auto* y2 = new QValueAxis;
  y2->setRange(0, mostDrills + 1);
  if (mostDrills + 2 <= 11)
    y2->setTickCount(mostDrills + 2);  // whole drills only
  else
    y2->applyNiceNumbers();
  y2->setLabelFormat(QStringLiteral("%d"));
  y2->setTitleText(QStringLiteral("ドリル"));
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  chart->addAxis(y2, Qt::AlignRight);
  bars->attachAxis(x);
  bars->attachAxis(y);
  drillLine->attachAxis(x);
  drillLine->attachAxis(y2);
  chart->legend()->setAlignment(Qt::AlignBottom);
}

void StatsWindow::ExportClicked() {
  // Where the player keeps documents, else the home folder: not the game's data folder, hidden when installed.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  const QString path = QFileDialog::getSaveFileName(
      this, QStringLiteral("成績をCSVで書き出す"), QDir(folder).filePath(QStringLiteral("dojokai-成績.csv")),
      QStringLiteral("CSV (*.csv)"), nullptr, QFileDialog::DontUseNativeDialog);
  if (path.isEmpty()) return;
  const bool written = ExportCsv(path.toStdString());
  QString text = written ? QStringLiteral("書き出しました: ") + path : QStringLiteral("書き出せませんでした: ") + path;
  if (written && !history_.RomajiDrills().empty())
    text += QStringLiteral("  ローマ字: ") + QString::fromStdString(records::RomajiCsvPath(path.toStdString()));
  status_->setText(text);
  if (AfterReading) AfterReading();
}

// Esc closes the window, as it leaves the game's own screens.
void StatsWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    close();
  else
    QWidget::keyPressEvent(event);
}

bool StatsWindow::ExportCsv(const std::string& path) { return records::ExportDrillsCsv(history_, path); }

QJsonObject StatsWindow::Figures() {
  QJsonObject o;
  static const char* kTabNames[] = {"trend", "keys", "confusions", "volume", "romaji"};
  o["tab"] = QString::fromLatin1(kTabNames[std::clamp(CurrentTab(), 0, kTabs - 1)]);
  o["drills"] = static_cast<int>(drills_.size());
  o["trend"] = trend_->Figures();
  QJsonObject keys, confusions;
  for (Layer layer : {Layer::Latin, Layer::Kana}) {
    const QString name = layer == Layer::Latin ? QStringLiteral("latin") : QStringLiteral("kana");
    QJsonArray rows;
    for (const KeyStat& k : Ranked(layer)) {
      QJsonObject r;
      r["char"] = Utf8(CharName(k.ch));
      r["targeted"] = static_cast<qint64>(k.targeted);
      r["missed"] = static_cast<qint64>(k.missed);
      r["miss_rate"] = std::round(k.missRate * 10000) / 10000;
      r["mean_ms"] = std::round(k.meanMs * 10) / 10;
      r["enough"] = k.enough;
      r["weakness"] = std::round(k.weakness * 10000) / 10000;
      rows.append(r);
    }
    QJsonObject layerKeys;
    layerKeys["ranked"] = rows;
    QJsonArray weak;
    for (uint8_t c : WeakestKeys(Ranked(layer), kWeakKeys)) weak.append(Utf8(CharName(c)));
    layerKeys["weakest"] = weak;
    keys[name] = layerKeys;
    QJsonArray conf;
    for (const auto& c : LayerConfusions(confusions_, layer)) {
      QJsonObject r;
      r["target"] = Utf8(CharName(c.target));
      r["typed"] = Utf8(CharName(c.typed));
      r["count"] = static_cast<qint64>(c.count);
      r["text"] = Utf8(CharName(c.target)) + QStringLiteral(" → ") + Utf8(CharName(c.typed)) +
                  QStringLiteral(" %1回").arg(c.count);
      conf.append(r);
    }
    confusions[name] = conf;
  }
  o["keys"] = keys;
  o["confusions"] = confusions;
  const std::string today = today_();
  const auto allDays = PracticePerDay(drills_, today, kVolumeDays);
  QJsonArray days;
  for (const DayCount& d : allDays) {
    if (d.drills == 0) continue;
    QJsonObject r;
    r["date"] = Utf8(d.date);
    r["keys"] = static_cast<qint64>(d.keys);
    r["drills"] = d.drills;
    days.append(r);
  }
  QJsonObject volume;
  volume["today"] = Utf8(today);
  volume["days"] = days;
  volume["streak"] = Streak(drills_, today);
  QJsonArray marks;
  for (const DayMark& m : DayMarks(allDays, kMarkEvery))
    marks.append(QJsonObject{
        {"day", static_cast<int>(m.index)}, {"date", Utf8(allDays[m.index].date)}, {"label", Utf8(m.label)}});
  volume["axis"] = marks;
  o["volume"] = volume;
  if (!loaded_[kRomaji] || !romaji_->Loaded()) {
    romaji_->Load(history_);
    loaded_[kRomaji] = true;
  }
  o["romaji"] = romaji_->Figures();
  return o;
}

}  // namespace stats
