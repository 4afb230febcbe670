#include "window_step.h"

#include "forms/core/numbers.h"
#include "saver/core/glass_geometry.h"
#include "saver/core/lens_speed.h"

namespace zoomorb::saver {
namespace {

// Only the edge the window moves towards is tested, so a window beyond a
// limit that already moves away from it is not turned again.
int32_t StepAfterEdges(int32_t position, int32_t step, float farLimit, int32_t nearLimit,
                       forms::Random& random, float twipsPerPixel) {
    if (step > 0) {
        if (static_cast<double>(position) > farLimit)
            return -DrawLensSpeed(random, twipsPerPixel);
    } else if (position < nearLimit) {
        return DrawLensSpeed(random, twipsPerPixel);
    }
    return step;
}

}  // namespace

void StepWindow(LensMotion& lens, const ScreenMetrics& screen, forms::Random& random,
                double secondsSinceMidnight) {
    lens.left = forms::CheckedInt32(int64_t{lens.left} + lens.stepX);
    lens.top = forms::CheckedInt32(int64_t{lens.top} + lens.stepY);

    random.Reseed(secondsSinceMidnight);

    // The far limits scale with the pixel size, the near ones do not.
    const float rightLimit = static_cast<float>(screen.widthTwips) -
                             static_cast<float>(glass::kColumnsToCircleEnd) * screen.twipsPerPixelX;
    lens.stepX = StepAfterEdges(lens.left, lens.stepX, rightLimit, glass::kLeftTurnTwips, random,
                                screen.twipsPerPixelX);

    const float bottomLimit = static_cast<float>(screen.heightTwips) -
                              static_cast<float>(glass::kRowsToCircleEnd) * screen.twipsPerPixelY;
    lens.stepY = StepAfterEdges(lens.top, lens.stepY, bottomLimit, glass::kTopTurnTwips, random,
                                screen.twipsPerPixelY);
}

}  // namespace zoomorb::saver
