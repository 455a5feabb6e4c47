#include "stats/KeyHeatMap.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cstdio>

#include "drill/KeyCaps.h"
#include "ui/DesignScreens.h"

namespace stats {

namespace {

using ui::design::kKeyCapCount;
using ui::design::kKeyCaps;

// The design keyboard's extent.
constexpr double kDesignWidth = 467, kDesignHeight = 181;

QColor Mix(QColor a, QColor b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                          static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                          static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QString Caption(size_t row, Layer layer) {
  const char* text = layer == Layer::Latin ? kKeyCaps[row].drillCaption : drill::KeyCaps::KanaCaption(row);
  return QString::fromUtf8(text).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

}  // namespace

KeyHeatMap::KeyHeatMap(QWidget* parent) : QWidget(parent), perCap_(kKeyCapCount) {
  setMouseTracking(true);
  setMinimumSize(240, 100);
}

void KeyHeatMap::SetKeys(const std::vector<KeyStat>& ranked, Layer layer) {
  layer_ = layer;
  keys_ = ranked;
  for (auto& cap : perCap_) cap.clear();
  for (const KeyStat& k : keys_) {
    const int row = drill::KeyCaps::CapRowOf(k.ch);
    if (row >= 0) perCap_[static_cast<size_t>(row)].push_back(&k);
  }
  update();
}

double KeyHeatMap::CapMissRate(size_t capRow) const {
  int64_t targeted = 0, missed = 0;
  for (const KeyStat* k : perCap_[capRow]) {
    targeted += k->targeted;
    missed += k->missed;
  }
  if (targeted < kMinSamples) return -1;
  return static_cast<double>(missed) / static_cast<double>(targeted);
}

QColor KeyHeatMap::RateColour(double rate) {
  if (rate < 0) return QColor(0x80, 0x80, 0x80);
  const QColor green(0x2E, 0xA0, 0x43), yellow(0xE6, 0xC2, 0x2E), red(0xD7, 0x30, 0x27);
  return rate <= 0.10 ? Mix(green, yellow, rate / 0.10) : Mix(yellow, red, (rate - 0.10) / 0.15);
}

QColor KeyHeatMap::CapColour(size_t capRow) const { return RateColour(CapMissRate(capRow)); }

std::string KeyHeatMap::CapText(size_t capRow) const {
  std::string text;
  for (const KeyStat* k : perCap_[capRow]) {
    char line[160];
    std::snprintf(line, sizeof line, "%s  目標 %lld回  ミス %lld回 (%.1f%%)  平均 %.0f ms", CharName(k->ch).c_str(),
                  static_cast<long long>(k->targeted), static_cast<long long>(k->missed), 100.0 * k->missRate,
                  k->meanMs);
    if (!text.empty()) text += '\n';
    text += line;
    if (!k->enough) text += "  (回数が少なく色なし)";
  }
  return text;
}

QRectF KeyHeatMap::CapRect(size_t row) const {
  const double scale = std::min(width() / kDesignWidth, height() / kDesignHeight);
  const double left = (width() - kDesignWidth * scale) / 2, top = (height() - kDesignHeight * scale) / 2;
  const auto& k = kKeyCaps[row];
  return QRectF(left + k.left * scale, top + k.top * scale, k.width * scale - 2, ui::design::kKeyCapHeight * scale - 2);
}

int KeyHeatMap::CapAt(QPointF p) const {
  for (size_t row = 0; row < kKeyCapCount; ++row)
    if (CapRect(row).contains(p)) return static_cast<int>(row);
  return -1;
}

void KeyHeatMap::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), QColor(0x20, 0x20, 0x20));
  const double scale = std::min(width() / kDesignWidth, height() / kDesignHeight);
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(std::max(8, static_cast<int>(12 * scale)));
  p.setFont(font);
  for (size_t row = 0; row < kKeyCapCount; ++row) {
    const QRectF r = CapRect(row);
    const bool shift = kKeyCaps[row].width == ui::design::kShiftCapWidth;
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 1));
    p.setBrush(shift ? QColor(0x50, 0x50, 0x50) : CapColour(row));
    p.drawRoundedRect(r, 3 * scale, 3 * scale);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, Caption(row, layer_));
  }
}

void KeyHeatMap::mouseMoveEvent(QMouseEvent* event) {
  const int row = CapAt(event->position());
  const std::string text = row >= 0 ? CapText(static_cast<size_t>(row)) : std::string();
  if (text.empty())
    QToolTip::hideText();
  else
    QToolTip::showText(event->globalPosition().toPoint(), QString::fromStdString(text), this);
}

}  // namespace stats
