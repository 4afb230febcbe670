#pragma once
// The saver window's picture: the glass on a pure red key colour that the
// window shaping cuts away. Its layout is fixed, because the window's lens
// view, its bounce limits and its region all assume these pixel ranges:
//   circle with rim  x 36..198, y 2..158
//   white interior   x 40..194, y 6..155
//   handle           x 108..126, y 159..194
// The outline is crisp: every pixel is either exactly the key or a glass
// colour, never a blend of the two, so the cut leaves no reddish fringe.

#include "image.h"

namespace zoomorb::pictures {

inline constexpr int kLensBitmapWidth = 203;
inline constexpr int kLensBitmapHeight = 197;
inline constexpr Rgb kKeyRed{255, 0, 0};

Image DrawLensBitmap();

}  // namespace zoomorb::pictures
