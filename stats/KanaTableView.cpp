#include "stats/KanaTableView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cstdio>

#include "stats/KeyHeatMap.h"
#include "stats/StatsModel.h"

namespace stats {

KanaTableView::KanaTableView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumSize(240, 160);
}

void KanaTableView::SetCells(std::vector<KanaCell> cells) {
  cells_ = std::move(cells);
  update();
}

std::string KanaTableView::CellText(const KanaCell& cell) {
  const KanaStat& k = cell.stat;
  if (k.targeted == 0) return cell.label + "  まだ記録がありません";
  char line[200];
  std::snprintf(line, sizeof line, "%s  目標 %lld回  ミス %lld回 (%.1f%%)  平均 %.0f ms", cell.label.c_str(),
                static_cast<long long>(k.targeted), static_cast<long long>(k.missed), 100.0 * k.missRate, k.meanMs);
  std::string text = line;
  if (cell.label == kOtherCell) text += "\n(数字・英字など表にない文字)";
  if (!k.enough) text += "  (回数が少なく色なし)";
  return text;
}

// Square cells as large as the widget allows, the table centred.
QRectF KanaTableView::CellRect(const KanaCell& cell) const {
  const double side = std::min(width() / static_cast<double>(kKanaColumns), height() / static_cast<double>(kKanaRows));
  const double cellWidth = std::min(side * 1.6, width() / static_cast<double>(kKanaColumns));
  const double left = (width() - cellWidth * kKanaColumns) / 2, top = (height() - side * kKanaRows) / 2;
  return QRectF(left + cell.column * cellWidth + 1, top + cell.row * side + 1, cellWidth - 2, side - 2);
}

void KanaTableView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), QColor(0x20, 0x20, 0x20));
  QFont big(QStringLiteral("IPAGothic")), small(QStringLiteral("IPAGothic"));
  for (const KanaCell& cell : cells_) {
    const QRectF r = CellRect(cell);
    const KanaStat& k = cell.stat;
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 1));
    p.setBrush(k.targeted == 0 ? QColor(0x48, 0x48, 0x48) : KeyHeatMap::RateColour(k.enough ? k.missRate : -1));
    p.drawRoundedRect(r, 3, 3);
    big.setPixelSize(std::max(8, static_cast<int>(r.height() * 0.5)));
    small.setPixelSize(std::max(7, static_cast<int>(r.height() * 0.26)));
    p.setPen(k.targeted == 0 ? QColor(0x90, 0x90, 0x90) : Qt::black);
    p.setFont(big);
    const QRectF upper(r.left(), r.top(), r.width(), r.height() * 0.68);
    p.drawText(upper, Qt::AlignCenter, QString::fromStdString(cell.label));
    if (k.meanMs > 0) {
      p.setFont(small);
      p.drawText(QRectF(r.left(), r.top() + r.height() * 0.64, r.width(), r.height() * 0.34), Qt::AlignCenter,
                 QString::number(k.meanMs, 'f', 0));
    }
  }
}

void KanaTableView::mouseMoveEvent(QMouseEvent* event) {
  for (const KanaCell& cell : cells_)
    if (CellRect(cell).contains(event->position())) {
      QToolTip::showText(event->globalPosition().toPoint(), QString::fromStdString(CellText(cell)), this);
      return;
    }
  QToolTip::hideText();
}

}  // namespace stats
