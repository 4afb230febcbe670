#pragma once
// The illustrated glass in the sizes the program stores besides the preview
// picture (which the program can draw itself, pictures/preview_picture.h):
// the settings dialog's picture and the two icon images.

#include <vector>

#include "picture_files.h"
#include "pictures/rgb_image.h"

namespace zoomorb::pictures {

// 120 x 128: the glass showing a sunset over the sea, on a light backdrop.
Image DrawDialogPicture();
// 16 x 16 and 32 x 32, the handle pointing to the lower right.
std::vector<IconImage> DrawIconImages();

}  // namespace zoomorb::pictures
