#pragma once
// What the saver needs to know about the screen: its size in twips, in which
// the window moves, the twips per pixel of each axis, which turn twips into
// the pixels the cursor and the view work in, and the dots per inch the
// glass is drawn for.

#include <cstdint>

namespace zoomorb::saver {

struct ScreenMetrics {
    int32_t widthTwips = 0;
    int32_t heightTwips = 0;
    float twipsPerPixelX = 15.0f;  // 1440 / logical dots per inch: 15 at 96 DPI
    float twipsPerPixelY = 15.0f;
    int32_t dotsPerInch = 96;
};

}  // namespace zoomorb::saver
