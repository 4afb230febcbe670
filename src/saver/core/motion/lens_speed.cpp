#include "lens_speed.h"

#include <cmath>

#include "forms/core/units.h"
#include "pictures/glass/glass_geometry.h"

namespace zoomorb::saver {

int32_t DrawLensSpeed(forms::Random& random, float twipsPerPixel, int32_t dotsPerInch) {
    // 8r + 3 in double: in single precision the largest draw would round up
    // to 11 and give a speed of 11 pixels.
    const double designPixels = std::floor(8.0 * random.Next() + 3.0);
    const int32_t pixels = glass::ScaledPixels(static_cast<int32_t>(designPixels), dotsPerInch);
    return forms::PixelsToTwipsByFactor(forms::Pixels{pixels}, twipsPerPixel).value;
}

}  // namespace zoomorb::saver
