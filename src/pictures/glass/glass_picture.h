#pragma once
// The saver window's picture: the glass on a pure red key colour that the
// window shaping cuts away, drawn for a display's DPI. Its layout is the one
// the saver window assumes (glass::LayoutAtDpi): the circle with its rim, the
// white interior and the handle fill exactly their pixel ranges. At 96 DPI it
// is the picture stored with the program, byte for byte.
// The outline is crisp: every pixel is either exactly the key or a glass
// colour, never a blend of the two, so the cut leaves no reddish fringe.

#include <cstdint>

#include "pictures/glass/glass_geometry.h"
#include "pictures/rgb_image.h"

namespace zoomorb::pictures {

inline constexpr Rgb kKeyRed{255, 0, 0};

Image DrawLensBitmap(int32_t dotsPerInch = glass::kDesignDpi);

}  // namespace zoomorb::pictures
