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

SaverState SetUpSaverState(const ScreenMetrics& screen, forms::Twips windowWidth, forms::Twips windowHeight,
                           forms::Random& random, double secondsSinceMidnight) {
    SaverState state;
    LensMotion& lens = state.lens;
    lens.left = forms::CheckedInt32(
        forms::IntDiv(int64_t{screen.widthTwips.value} - windowWidth.value, 2));
    lens.top = forms::CheckedInt32(
        forms::IntDiv(int64_t{screen.heightTwips.value} - windowHeight.value, 2));

    random.Reseed(secondsSinceMidnight);
    lens.stepX = SignedLensSpeed(random, screen.twipsPerPixelX, screen.dotsPerInch);
    lens.stepY = SignedLensSpeed(random, screen.twipsPerPixelY, screen.dotsPerInch);

    OrbitMotion& orbit = state.orbit;
    const auto pixels = [](int32_t twips, float twipsPerPixel) {
        return forms::TwipsToPixelsByFactor(forms::Twips{twips}, twipsPerPixel).value;
    };
    orbit.radius = pixels(screen.widthTwips.value, screen.twipsPerPixelX) / 15;
    orbit.centreX = pixels(screen.widthTwips.value / 2, screen.twipsPerPixelX);
    orbit.centreY = pixels(screen.heightTwips.value / 2, screen.twipsPerPixelY);

    random.Reseed(secondsSinceMidnight);
    const Drift drift = kStartDrifts[static_cast<int>(std::floor(4.0 * random.Next()))];
    orbit.driftX = orbit.lastDriftX = drift.x;
    orbit.driftY = orbit.lastDriftY = drift.y;
    return state;
}

}  // namespace zoomorb::saver
