#include "saver_state.h"

#include <cmath>

#include "forms/core/numbers.h"
#include "forms/core/units.h"
#include "saver/core/motion/lens_speed.h"

namespace zoomorb::saver {
namespace {

int32_t SignedLensSpeed(forms::Random& random, float twipsPerPixel, int32_t dotsPerInch) {
    const int32_t speed = DrawLensSpeed(random, twipsPerPixel, dotsPerInch);
    return std::floor(2.0 * random.Next()) == 0 ? -speed : speed;
}

struct Drift {
    int32_t x;
    int32_t y;
};

constexpr Drift kStartDrifts[4] = {{+1, +1}, {-1, -1}, {+1, -1}, {-1, +1}};

}  // namespace

SaverState SetUpSaverState(const ScreenMetrics& screen, int32_t windowWidthTwips,
                           int32_t windowHeightTwips, forms::Random& random,
                           double secondsSinceMidnight) {
    SaverState state;
    LensMotion& lens = state.lens;
    lens.left = forms::CheckedInt32(
        forms::IntDiv(int64_t{screen.widthTwips} - windowWidthTwips, 2));
    lens.top = forms::CheckedInt32(
        forms::IntDiv(int64_t{screen.heightTwips} - windowHeightTwips, 2));

    random.Reseed(secondsSinceMidnight);
    lens.stepX = SignedLensSpeed(random, screen.twipsPerPixelX, screen.dotsPerInch);
    lens.stepY = SignedLensSpeed(random, screen.twipsPerPixelY, screen.dotsPerInch);

    OrbitMotion& orbit = state.orbit;
    orbit.radius = forms::TwipsToPixelsByFactor(screen.widthTwips, screen.twipsPerPixelX) / 15;
    orbit.centreX = forms::TwipsToPixelsByFactor(screen.widthTwips / 2, screen.twipsPerPixelX);
    orbit.centreY = forms::TwipsToPixelsByFactor(screen.heightTwips / 2, screen.twipsPerPixelY);

    random.Reseed(secondsSinceMidnight);
    const Drift drift = kStartDrifts[static_cast<int>(std::floor(4.0 * random.Next()))];
    orbit.driftX = orbit.lastDriftX = drift.x;
    orbit.driftY = orbit.lastDriftY = drift.y;
    return state;
}

}  // namespace zoomorb::saver
