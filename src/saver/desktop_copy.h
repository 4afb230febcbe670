#pragma once
// A copy of the whole virtual screen, kept for the lens below 100 %, whose
// source then spans much of the screen: reading all of it from the screen at
// every redraw would cost more than everything else the saver does. Each
// redraw reads only the rows the source has never covered and a budget of
// the others, the longest unread first (see core/mirror_rows.h).

#include <windows.h>

#include <vector>

#include "forms/core/pixel_rect.h"
#include "saver/bitmap32.h"
#include "saver/core/area_average.h"
#include "saver/core/mirror_rows.h"

namespace zoomorb::saver {

class DesktopCopy {
public:
    // Copies of the monitors' layout; what was read before is forgotten.
    // False when the copy cannot be made (it is then empty).
    bool Follow(const std::vector<forms::PixelRect>& monitors);
    // Brings the rows that `area` (virtual-screen pixels) covers up to date,
    // reading from `screen` only what a monitor shows.
    void Refresh(HDC screen, const forms::PixelRect& area);
    // The copy's pixels; their (0, 0) is Bounds()'s top-left corner.
    const Pixels32& Pixels() const { return copy_.Pixels(); }
    const forms::PixelRect& Bounds() const { return bounds_; }

private:
    std::vector<forms::PixelRect> monitors_;
    forms::PixelRect bounds_;
    MirrorRows rows_;
    Bitmap32 copy_;
};

}  // namespace zoomorb::saver
