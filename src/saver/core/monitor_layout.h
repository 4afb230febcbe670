#pragma once
// How far the glass and the cursor's circle may go along one axis. Both
// wander over every monitor: an edge beyond which another monitor shows the
// point's row (for a left or right edge) or column (for a top or bottom edge)
// is crossed, any other edge is a wall that they bounce off. Limits and
// bounces are those of the monitor the point lies on. A point on no monitor
// (after the layout has changed under it) takes the nearest monitor's edges
// and is to be brought onto it.

#include <cstdint>

#include "saver/core/screen_metrics.h"

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

}  // namespace zoomorb::saver
