#pragma once
// The copy of the desktop the lens is reduced from below 100 %, whose
// source then spans much of the screen: reading all of it from the screen at
// every redraw would cost more than everything else the saver does. Each
// redraw reads only what the refresh plan asks for (see
// core/desktop_mirror.h and core/refresh_plan.h), from the monitors.

#include <windows.h>

#include <cstddef>
#include <vector>

#include "forms/core/pixel_rect.h"
#include "saver/bitmap32.h"
#include "saver/core/desktop_mirror.h"

namespace zoomorb::saver {

class DesktopCopy {
public:
    // The most memory the copy may take: 256 MB, eight 4K monitors nearly.
    // A larger desktop is reduced the slower way, without a copy.
    static constexpr size_t kMostBytes = size_t{256} << 20;

    // Copies of the monitors' layout; what was read before is forgotten.
    // False when the copy cannot be made (it is then empty).
    bool Follow(const std::vector<forms::PixelRect>& monitors);
    // Brings what `area` (virtual-screen pixels) covers up to date for a
    // redraw at `nowMs`, and some of the rest, reading from `screen`.
    void Refresh(HDC screen, const forms::PixelRect& area, double nowMs);
    // `area` reduced into `to`.
    void Average(const forms::PixelRect& area, const Pixels32& to) { mirror_.Average(area, to); }
    // When the longest unread part of the last refreshed area was read.
    double OldestShownMs() const { return mirror_.OldestShownMs(); }

private:
    DesktopMirror mirror_;
    // Pictures that reads from the screen land in before they are stored,
    // each of about the most pixels one read may bring, from narrow and
    // tall to as wide as the widest monitor: a read takes the narrowest
    // that is wide enough, so that it brings as many rows as it can.
    std::vector<Bitmap32> reads_;
};

}  // namespace zoomorb::saver
