#pragma once
// The view the preview and dialog pictures show through the lens: the sun
// setting over the sea, with clouds, a headland, a sailing boat and two birds.

#include "pictures/rgb_image.h"

namespace zoomorb::pictures {

// (u, v) spans the lens from -1 to +1 in both directions, v growing downwards.
Colour SunsetAt(double u, double v);

}  // namespace zoomorb::pictures
