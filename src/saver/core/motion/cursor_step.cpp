#include "cursor_step.h"

#include <cmath>
#include <cstdlib>

#include "forms/core/numbers.h"
#include "saver/core/motion/monitor_layout.h"

namespace zoomorb::saver {
namespace {

// These stand for 2 pi and pi / 2 but are a little smaller than either; the
// cursor's pixel offsets depend on them, so they stay as they are.
constexpr double kFullTurn = 6.283185307178;
constexpr double kQuarterTurn = 1.5707963267945;
constexpr double kStepsPerTurn = 60;

// The limits of the circle's centre along one axis in pixels: the monitor's
// edges, taken in from each by the radius, so that the circle stays on it.
Limits CentreLimits(const Reach& reach, int32_t radius, float twipsPerPixel) {
    const float low = static_cast<float>(reach.low) / twipsPerPixel;
    const float high = static_cast<float>(reach.high) / twipsPerPixel;
    return Limits{double{low} + radius, double{high} - radius, reach.lowIsWall, reach.highIsWall};
}

// Moves the centre one drift along an axis, first turning the drift away
// from a wall the circle would cross. Returns whether it bounced.
bool DriftAlongAxis(int32_t& centre, int32_t& drift, const Limits& limits) {
    const int64_t trial = int64_t{centre} + drift;
    bool bounced = false;
    if (limits.highIsWall && static_cast<double>(trial) > limits.high) {
        drift = -std::abs(drift);
        bounced = true;
    } else if (limits.lowIsWall && static_cast<double>(trial) < limits.low) {
        drift = std::abs(drift);
        bounced = true;
    }
    centre = forms::CheckedInt32(int64_t{centre} + drift);
    return bounced;
}

// After a bounce the cursor turns clockwise only for these four ways of
// coming off an edge; any other change of drift, a corner or a bounce that
// left the drift as it was, turns it anticlockwise.
bool TurnsAnticlockwiseAfterBounce(int32_t lastX, int32_t lastY, int32_t nowX, int32_t nowY) {
    struct Turn {
        int32_t lastX, lastY, nowX, nowY;
    };
    static constexpr Turn kClockwiseTurns[] = {
        {+1, +1, +1, -1},  // right and down, off the bottom edge
        {+1, -1, -1, -1},  // right and up, off the right edge
        {-1, -1, -1, +1},  // left and up, off the top edge
        {-1, +1, +1, +1},  // left and down, off the left edge
    };
    for (const Turn& turn : kClockwiseTurns) {
        if (turn.lastX == lastX && turn.lastY == lastY && turn.nowX == nowX && turn.nowY == nowY)
            return false;
    }
    return true;
}

}  // namespace

OrbitOffset OrbitOffsetAt(int32_t radius, int64_t step) {
    const double angle = (static_cast<double>(step) * kFullTurn) / kStepsPerTurn - kQuarterTurn;
    return {forms::ToInt32(std::floor(radius * std::cos(angle))),
            forms::ToInt32(std::floor(radius * std::sin(angle)))};
}

CursorPoint StepCursor(OrbitMotion& orbit, const ScreenMetrics& screen) {
    const double x = orbit.centreX * double{screen.twipsPerPixelX};
    const double y = orbit.centreY * double{screen.twipsPerPixelY};
    const Reach across = ReachAt(screen, x, y, Axis::Horizontal);
    const Limits horizontal = CentreLimits(across, orbit.radius, screen.twipsPerPixelX);
    const Limits vertical = CentreLimits(ReachAt(screen, x, y, Axis::Vertical), orbit.radius, screen.twipsPerPixelY);
    // A centre on no monitor goes to the nearest one, the circle inside it
    // where it fits, else in its middle.
    if (!across.onMonitor) {
        orbit.centreX = BroughtWithin(orbit.centreX, horizontal);
        orbit.centreY = BroughtWithin(orbit.centreY, vertical);
    }
    const int32_t fromX = orbit.centreX;
    const int32_t fromY = orbit.centreY;
    bool bouncedX = DriftAlongAxis(orbit.centreX, orbit.driftX, horizontal);
    bool bouncedY = DriftAlongAxis(orbit.centreY, orbit.driftY, vertical);
    const auto twipsX = [&](int32_t pixels) { return pixels * double{screen.twipsPerPixelX}; };
    const auto twipsY = [&](int32_t pixels) { return pixels * double{screen.twipsPerPixelY}; };
    const CornerTurn corner = TurnAtInsideCorner(screen, twipsX(fromX), twipsY(fromY), twipsX(orbit.centreX),
                                                 twipsY(orbit.centreY));
    if (corner.horizontal) {
        orbit.centreX = fromX;
        orbit.driftX = -orbit.driftX;
        bouncedX = true;
    }
    if (corner.vertical) {
        orbit.centreY = fromY;
        orbit.driftY = -orbit.driftY;
        bouncedY = true;
    }

    if (bouncedX || bouncedY) {
        orbit.reverse = TurnsAnticlockwiseAfterBounce(orbit.lastDriftX, orbit.lastDriftY,
                                                      orbit.driftX, orbit.driftY);
        orbit.lastDriftX = orbit.driftX;
        orbit.lastDriftY = orbit.driftY;
    }
    orbit.step += orbit.reverse ? -1 : 1;

    const OrbitOffset offset = OrbitOffsetAt(orbit.radius, orbit.step);
    return {forms::Pixels{forms::CheckedInt32(int64_t{orbit.centreX} + offset.dx)},
            forms::Pixels{forms::CheckedInt32(int64_t{orbit.centreY} + offset.dy)}};
}

}  // namespace zoomorb::saver
