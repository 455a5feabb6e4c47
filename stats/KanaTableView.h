#pragma once
// かな別: the kana table (五十音) with each kana coloured by its miss rate and its mean time
// written under it; kana with too few samples stay grey. Hovering a kana shows its figures.
#include <QWidget>
#include <string>
#include <vector>

#include "stats/RomajiStats.h"

namespace stats {

class KanaTableView : public QWidget {
 public:
  explicit KanaTableView(QWidget* parent = nullptr);

  void SetCells(std::vector<KanaCell> cells);
  const std::vector<KanaCell>& Cells() const { return cells_; }
  // A cell's figures as its tooltip reads (UTF-8).
  static std::string CellText(const KanaCell& cell);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  QSize sizeHint() const override { return {480, 300}; }

 private:
  QRectF CellRect(const KanaCell& cell) const;

  std::vector<KanaCell> cells_;
};

}  // namespace stats
