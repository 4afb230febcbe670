#pragma once
// How far the glass and the cursor's circle may go along one axis. Both
// wander over every monitor: an edge beyond which another monitor shows the
// point's row (for a left or right edge) or column (for a top or bottom edge)
// is crossed, any other edge is a wall that they bounce off. Limits and
// bounces are those of the monitor the point lies on. A point on no monitor
// (after the layout has changed under it) takes the nearest monitor's edges
// and is to be brought onto it. The edges are those of the point's row and
// column, so a diagonal step past an inside corner, where two monitors meet
// along part of an edge, can still lead onto no monitor: it turns there.

#include <cstdint>

#include "saver/core/motion/screen_metrics.h"

namespace zoomorb::saver {

enum class Axis { Horizontal, Vertical };

struct Reach {
    // The monitor's edges along the axis, in twips: `low` on it, `high` just beyond.
    int32_t low;
    int32_t high;
    bool lowIsWall;
    bool highIsWall;
    bool onMonitor;  // false: the point lies on no monitor; these are the nearest one's
};

// The reach along `axis` from the point (x, y), in the virtual screen's twips.
Reach ReachAt(const ScreenMetrics& screen, double x, double y, Axis axis);

// Which moves of a step from (fromX, fromY) to (toX, toY), in twips, turn
// back because the step crossed an inside corner from a monitor onto none:
// the vertical one when the horizontal move alone stays on a monitor, else
// the horizontal one when the vertical move alone does, else both. None for
// any other step, and none for a point already on no monitor, which is
// brought onto the nearest one instead.
struct CornerTurn {
    bool horizontal = false;
    bool vertical = false;
};
CornerTurn TurnAtInsideCorner(const ScreenMetrics& screen, double fromX, double fromY, double toX, double toY);

// Between which positions what moves along one axis (the window's left or
// top edge in twips, the circle's centre in pixels) turns on its monitor:
// the reach less the part of it that must stay on the monitor, and whether
// the edge beyond each limit is a wall.
struct Limits {
    double low;
    double high;
    bool lowIsWall;
    bool highIsWall;
};

// A position on no monitor (the layout changed under it) brought within the
// nearest monitor's limits, as little as it must, to a whole position within
// them; where they leave no room (a monitor too small for what moves), to
// their middle, rounded down.
int32_t BroughtWithin(int32_t position, const Limits& limits);

}  // namespace zoomorb::saver
