#pragma once
// A picture drawn at run time by the platform-neutral code, as a GDI bitmap
// that a form or an image control can show and the window shaping can read.

#include "forms/handles.h"
#include "pictures/rgb_image.h"

namespace zoomorb::saver {

// A 24-bit DIB section holding the image; empty when the system refuses one.
forms::UniqueBitmap DrawnBitmap(const pictures::Image& image);

}  // namespace zoomorb::saver
