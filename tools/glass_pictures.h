#pragma once
// The illustrated glass in the sizes the program stores: the preview pane's
// picture, the settings dialog's picture and the two icon images.

#include <vector>

#include "image.h"
#include "picture_files.h"

namespace zoomorb::pictures {

// 179 x 200: the glass showing a sunset over the sea, on blue-grey. The pane
// shows the picture from its top-left corner and is often only 152 x 112, so
// the lens sits towards the upper left.
Image DrawPreviewPicture();
// 120 x 128: the same glass for the settings dialog, on a light backdrop.
Image DrawDialogPicture();
// 16 x 16 and 32 x 32, the handle pointing to the lower right.
std::vector<IconImage> DrawIconImages();

}  // namespace zoomorb::pictures
