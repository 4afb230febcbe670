#pragma once
// A sample desktop to run the saver over: a city at dusk above a band of
// coloured tiles, a lettered notice, a resolution chart and a ruler. It is
// full of fine detail (lit windows, thin lines, tiny letters) so the
// magnified lens has something to show. Not a resource: only the demo uses it.

#include "pictures/rgb_image.h"

namespace zoomorb::pictures {

Image DrawWallpaper(int width, int height);

}  // namespace zoomorb::pictures
