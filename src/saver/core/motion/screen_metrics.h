#pragma once
// What the saver needs to know about the screen: its size in twips, in which
// the window moves, the twips per pixel of each axis, which turn twips into
// the pixels the cursor and the view work in, the dots per inch the glass is
// drawn for, and the monitors over which both motions wander.

#include <cstdint>
#include <vector>

#include "forms/core/pixel_rect.h"
#include "forms/core/units.h"

namespace zoomorb::saver {

// A monitor's rectangle in the virtual screen's twips: its pixels times the
// twips per pixel (the primary's top-left corner is 0, 0). Left and top are
// on the monitor, right and bottom just beyond it.
using MonitorTwips = forms::TwipsArea;

struct ScreenMetrics {
    // The primary monitor's size: the window starts centred on it, and the
    // cursor's circle is a fifteenth of its width.
    forms::Twips widthTwips;
    forms::Twips heightTwips;
    float twipsPerPixelX = 15.0f;  // 1440 / logical dots per inch: 15 at 96 DPI
    float twipsPerPixelY = 15.0f;
    int32_t dotsPerInch = 96;
    // Every monitor; none named means the primary alone.
    std::vector<MonitorTwips> monitors;

    std::vector<MonitorTwips> Monitors() const {
        if (!monitors.empty()) return monitors;
        return {MonitorTwips{0, 0, widthTwips.value, heightTwips.value}};
    }
};

}  // namespace zoomorb::saver
