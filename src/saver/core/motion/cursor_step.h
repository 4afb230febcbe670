#pragma once
// One step of the cursor (every cursor tick): the circle's centre drifts a
// pixel along each axis over the monitors and bounces off the edges that
// border no other monitor, and the cursor goes 6 degrees further round the
// circle.

#include <cstdint>

#include "forms/core/units.h"
#include "saver/core/motion/saver_state.h"
#include "saver/core/motion/screen_metrics.h"

namespace zoomorb::saver {

struct CursorPoint {
    forms::Pixels x;
    forms::Pixels y;
};

struct OrbitOffset {
    int32_t dx;
    int32_t dy;
};

// Where the cursor lies relative to the centre at an angle counter: step 0 is
// straight above it, 15 to the right, 30 below (screen y grows downward). The
// offsets are floored, so the circle is not exactly symmetric, and a full
// turn does not land exactly where it started: step 60 gives (-1, -radius).
OrbitOffset OrbitOffsetAt(int32_t radius, int64_t step);

// Advances `orbit` by one tick and returns the screen point, in pixels, at
// which the caller puts the cursor.
CursorPoint StepCursor(OrbitMotion& orbit, const ScreenMetrics& screen);

}  // namespace zoomorb::saver
