#pragma once
// Where the statistics window opens: within the screen's free area, beside the game's window
// where there is room, so that the game stays in sight.
#include <QRect>
#include <QSize>

namespace stats {

// Frame rectangles in screen coordinates. The window gets the wanted size cut to the area.
// It goes to the right of the game when the room there is at least `leastWidth` (narrowed
// to the room when need be), else to its left in the same way; else the first of right,
// left, below and above the game (moved into the area) that covers the least of it. Beside
// the game its top is the game's, as far as the area allows.
QRect PlaceBeside(const QRect& area, const QRect& game, QSize wanted, int leastWidth);

}  // namespace stats
