#include "window_step.h"

#include "forms/core/numbers.h"
#include "saver/core/glass_geometry.h"
#include "saver/core/lens_speed.h"

namespace zoomorb::saver {
namespace {

// Only the edge the window moves towards is tested, so a window beyond a
// limit that already moves away from it is not turned again.
int32_t StepAfterEdges(int32_t position, int32_t step, float farLimit, int32_t nearLimit,
                       forms::Random& random, float twipsPerPixel, int32_t dotsPerInch) {
    if (step > 0) {
        if (static_cast<double>(position) > farLimit)
            return -DrawLensSpeed(random, twipsPerPixel, dotsPerInch);
    } else if (position < nearLimit) {
        return DrawLensSpeed(random, twipsPerPixel, dotsPerInch);
    }
    return step;
}

}  // namespace

void StepWindow(LensMotion& lens, const ScreenMetrics& screen, forms::Random& random,
                double secondsSinceMidnight) {
    lens.left = forms::CheckedInt32(int64_t{lens.left} + lens.stepX);
    lens.top = forms::CheckedInt32(int64_t{lens.top} + lens.stepY);

    random.Reseed(secondsSinceMidnight);

    // The far limits lie where the glass's circle ends, in the pixels of the
    // glass as drawn for this DPI; the near ones are fixed lengths in twips.
    const glass::Layout layout = glass::LayoutAtDpi(screen.dotsPerInch);
    const float rightLimit = static_cast<float>(screen.widthTwips) -
                             static_cast<float>(layout.columnsToCircleEnd) * screen.twipsPerPixelX;
    lens.stepX = StepAfterEdges(lens.left, lens.stepX, rightLimit, glass::kLeftTurnTwips, random,
                                screen.twipsPerPixelX, screen.dotsPerInch);

    const float bottomLimit = static_cast<float>(screen.heightTwips) -
                              static_cast<float>(layout.rowsToCircleEnd) * screen.twipsPerPixelY;
    lens.stepY = StepAfterEdges(lens.top, lens.stepY, bottomLimit, glass::kTopTurnTwips, random,
                                screen.twipsPerPixelY, screen.dotsPerInch);
}

}  // namespace zoomorb::saver
