#pragma once
// The random speed the window gets at start and at every bounce.

#include <cstdint>

#include "forms/core/random.h"

namespace zoomorb::saver {

// One draw: 3 to 10 pixels of the 96-DPI design, scaled to the display's
// DPI, in twips along an axis; always positive (the caller gives it its sign).
int32_t DrawLensSpeed(forms::Random& random, float twipsPerPixel, int32_t dotsPerInch);

}  // namespace zoomorb::saver
