#pragma once
// キー別: the drill's JIS keyboard with each key coloured by its miss rate in one layer;
// keys with too few samples stay grey. Hovering a key shows its figures.
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "stats/StatsModel.h"

namespace stats {

class KeyHeatMap : public QWidget {
 public:
  explicit KeyHeatMap(QWidget* parent = nullptr);

  void SetKeys(const std::vector<KeyStat>& ranked, Layer layer);
  // The figures of every character on a cap of the design (UTF-8 lines; "" for none).
  std::string CapText(size_t capRow) const;
  // The colour of a cap: grey without enough samples.
  QColor CapColour(size_t capRow) const;
  // Miss rate of a cap (its characters of the layer together); -1 without enough samples.
  double CapMissRate(size_t capRow) const;
  // Colour for a miss rate: green at none, yellow at 10 %, red from 25 %.
  static QColor RateColour(double rate);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  QSize sizeHint() const override { return {480, 200}; }

 private:
  QRectF CapRect(size_t row) const;
  int CapAt(QPointF p) const;

  Layer layer_ = Layer::Latin;
  std::vector<KeyStat> keys_;
  std::vector<std::vector<const KeyStat*>> perCap_;
};

}  // namespace stats
