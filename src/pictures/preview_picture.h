#pragma once
// The picture the preview pane shows: the glass showing a sunset over the
// sea, on blue-grey. At 96 DPI it is 179 x 200 pixels, the picture stored
// with the program byte for byte; on a display of more dots per inch it is
// drawn as much larger, so that the pane shows the same scene at any scale.
// The pane shows it from its top-left corner and is often only 152 x 112
// pixels at 96 DPI, so the lens sits towards the upper left.

#include <cstdint>

#include "pictures/glass/glass_geometry.h"
#include "pictures/rgb_image.h"

namespace zoomorb::pictures {

inline constexpr int32_t kPreviewPictureWidth = 179;
inline constexpr int32_t kPreviewPictureHeight = 200;

Image DrawPreviewPicture(int32_t dotsPerInch = glass::kDesignDpi);

}  // namespace zoomorb::pictures
