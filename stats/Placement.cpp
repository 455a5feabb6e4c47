#include "stats/Placement.h"

#include <algorithm>

namespace stats {

namespace {

// `at` moved the least distance that puts [at, at + length) within [from, from + room).
int Within(int at, int length, int from, int room) { return std::max(from, std::min(at, from + room - length)); }

qint64 Covered(const QRect& a, const QRect& b) {
  const QRect both = a.intersected(b);
  return both.isEmpty() ? 0 : qint64{both.width()} * both.height();
}

}  // namespace

QRect PlaceBeside(const QRect& area, const QRect& game, QSize wanted, int leastWidth) {
  const QSize size = wanted.boundedTo(area.size());
  const int top = Within(game.top(), size.height(), area.top(), area.height());
  const int rightRoom = area.x() + area.width() - (game.x() + game.width());
  const int leftRoom = game.x() - area.x();
  if (rightRoom >= leastWidth) {
    const int width = std::min(size.width(), rightRoom);
    return {game.x() + game.width(), top, width, size.height()};
  }
  if (leftRoom >= leastWidth) {
    const int width = std::min(size.width(), leftRoom);
    return {game.x() - width, top, width, size.height()};
  }
  const int left = Within(game.left(), size.width(), area.left(), area.width());
  const QRect tries[] = {
      {QPoint(Within(game.x() + game.width(), size.width(), area.x(), area.width()), top), size},
      {QPoint(Within(game.x() - size.width(), size.width(), area.x(), area.width()), top), size},
      {QPoint(left, Within(game.y() + game.height(), size.height(), area.y(), area.height())), size},
      {QPoint(left, Within(game.y() - size.height(), size.height(), area.y(), area.height())), size},
  };
  const QRect* best = &tries[0];
  for (const QRect& r : tries)
    if (Covered(r, game) < Covered(*best, game)) best = &r;
  return *best;
}

}  // namespace stats
