#include "window_step.h"

#include "forms/core/numbers.h"
#include "saver/core/lens_speed.h"

namespace zoomorb::saver {
namespace {

// The limits follow the circle of the glass picture (columns 36 to 198, rows
// 2 to 158) at 15 twips per pixel: the window turns when the circle has
// passed the last column or row, or reached the first. The far limits scale
// with the pixel size; the near ones are fixed numbers of twips.
constexpr float kCircleRightColumnsPastLeft = 199.0f;
constexpr float kCircleBottomRowsPastTop = 159.0f;
constexpr int32_t kLeftLimitTwips = -524;
constexpr int32_t kTopLimitTwips = -29;

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

    const float rightLimit = static_cast<float>(screen.widthTwips) -
                             kCircleRightColumnsPastLeft * screen.twipsPerPixelX;
    lens.stepX = StepAfterEdges(lens.left, lens.stepX, rightLimit, kLeftLimitTwips, random,
                                screen.twipsPerPixelX);

    const float bottomLimit = static_cast<float>(screen.heightTwips) -
                              kCircleBottomRowsPastTop * screen.twipsPerPixelY;
    lens.stepY = StepAfterEdges(lens.top, lens.stepY, bottomLimit, kTopLimitTwips, random,
                                screen.twipsPerPixelY);
}

}  // namespace zoomorb::saver
