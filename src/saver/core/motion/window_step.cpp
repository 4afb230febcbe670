#include "window_step.h"

#include "forms/core/numbers.h"
#include "pictures/glass/glass_geometry.h"
#include "saver/core/motion/lens_speed.h"
#include "saver/core/motion/monitor_layout.h"

namespace zoomorb::saver {
namespace {

// The limits of the window's left (or top) edge along one axis, in twips.
// The far limits lie where the glass's circle ends, in the pixels of the
// glass as drawn for this DPI; the near ones are fixed lengths in twips.
Limits LimitsOf(const Reach& reach, int32_t nearTurnTwips, int32_t pixelsToCircleEnd, float twipsPerPixel) {
    const float farLimit = static_cast<float>(reach.high) - static_cast<float>(pixelsToCircleEnd) * twipsPerPixel;
    return Limits{static_cast<double>(reach.low) + nearTurnTwips, double{farLimit}, reach.lowIsWall, reach.highIsWall};
}

// Only the edge the window moves towards is tested, so a window beyond a
// limit that already moves away from it is not turned again; an edge that
// another monitor continues is no limit at all.
int32_t StepAfterEdges(int32_t position, int32_t step, const Limits& limits, forms::Random& random,
                       float twipsPerPixel, int32_t dotsPerInch) {
    if (step > 0) {
        if (limits.highIsWall && position > limits.high) return -DrawLensSpeed(random, twipsPerPixel, dotsPerInch);
    } else if (limits.lowIsWall && position < limits.low) {
        return DrawLensSpeed(random, twipsPerPixel, dotsPerInch);
    }
    return step;
}

}  // namespace

void StepWindow(LensMotion& lens, const ScreenMetrics& screen, forms::Random& random,
                double secondsSinceMidnight) {
    const glass::Layout layout = glass::LayoutAtDpi(screen.dotsPerInch);
    const auto centreX = [&](int32_t left) { return left + glass::CircleMiddleX(layout) * screen.twipsPerPixelX; };
    const auto centreY = [&](int32_t top) { return top + glass::CircleMiddleY(layout) * screen.twipsPerPixelY; };
    const int32_t fromLeft = lens.left;
    const int32_t fromTop = lens.top;
    lens.left = forms::CheckedInt32(int64_t{lens.left} + lens.stepX);
    lens.top = forms::CheckedInt32(int64_t{lens.top} + lens.stepY);

    random.Reseed(secondsSinceMidnight);

    const CornerTurn corner =
        TurnAtInsideCorner(screen, centreX(fromLeft), centreY(fromTop), centreX(lens.left), centreY(lens.top));
    if (corner.horizontal) {
        lens.left = fromLeft;
        lens.stepX = (lens.stepX > 0 ? -1 : 1) * DrawLensSpeed(random, screen.twipsPerPixelX, screen.dotsPerInch);
    }
    if (corner.vertical) {
        lens.top = fromTop;
        lens.stepY = (lens.stepY > 0 ? -1 : 1) * DrawLensSpeed(random, screen.twipsPerPixelY, screen.dotsPerInch);
    }
    if (corner.horizontal || corner.vertical) return;

    const Reach across = ReachAt(screen, centreX(lens.left), centreY(lens.top), Axis::Horizontal);
    const Reach down = ReachAt(screen, centreX(lens.left), centreY(lens.top), Axis::Vertical);
    const Limits horizontal = LimitsOf(across, glass::kLeftTurnTwips, layout.columnsToCircleEnd, screen.twipsPerPixelX);
    const Limits vertical = LimitsOf(down, glass::kTopTurnTwips, layout.rowsToCircleEnd, screen.twipsPerPixelY);
    // A window whose circle's centre lies on no monitor is put on the
    // nearest one, within its limits: on a monitor too small for the glass,
    // in its middle.
    if (!across.onMonitor) {
        lens.left = BroughtWithin(lens.left, horizontal);
        lens.top = BroughtWithin(lens.top, vertical);
        return;
    }
    lens.stepX = StepAfterEdges(lens.left, lens.stepX, horizontal, random, screen.twipsPerPixelX, screen.dotsPerInch);
    lens.stepY = StepAfterEdges(lens.top, lens.stepY, vertical, random, screen.twipsPerPixelY, screen.dotsPerInch);
}

}  // namespace zoomorb::saver
