#pragma once
// The saver window's picture: the glass on a pure red key colour that the
// window shaping cuts away. Its layout is the one the saver window assumes
// (saver/core/glass_geometry.h): the circle with its rim, the white interior
// and the handle fill exactly their pixel ranges.
// The outline is crisp: every pixel is either exactly the key or a glass
// colour, never a blend of the two, so the cut leaves no reddish fringe.

#include "image.h"
#include "saver/core/glass_geometry.h"

namespace zoomorb::pictures {

inline constexpr int kLensBitmapWidth = glass::kPictureWidth;
inline constexpr int kLensBitmapHeight = glass::kPictureHeight;
inline constexpr Rgb kKeyRed{255, 0, 0};

Image DrawLensBitmap();

}  // namespace zoomorb::pictures
