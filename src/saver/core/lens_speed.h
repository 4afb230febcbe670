#pragma once
// The random speed the window gets at start and at every bounce.

#include <cstdint>

#include "forms/core/random.h"

namespace zoomorb::saver {

// One draw: 3 to 10 pixels' worth of twips along an axis, always positive
// (the caller gives it its sign).
int32_t DrawLensSpeed(forms::Random& random, float twipsPerPixel);

}  // namespace zoomorb::saver
