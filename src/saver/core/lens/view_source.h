#pragma once
// The part of the desktop the lens shows: an area around the cursor, the
// view's size divided by the magnification, stretched to fill the view; and
// which parts of that area a monitor shows, and where in the view each lands.

#include <cstdint>
#include <vector>

#include "forms/core/pixel_rect.h"

namespace zoomorb::saver {

struct SourceRect {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// The source area, in screen pixels, for a cursor point, a magnification in
// percent and the view's inner size in pixels. It is not clamped to the
// screen. A magnification of 0 or below is taken as the default of 200 (it
// would divide by zero or mirror the view), and the area is at least one
// pixel each way: a zero-sized source breaks the scaled copy.
SourceRect ViewSourceRect(int32_t cursorX, int32_t cursorY, int32_t magnification,
                          int32_t viewWidth, int32_t viewHeight);

// A part of the source area that one monitor shows, and the part of the view
// it fills. Neighbouring parts meet without a gap or overlap in the view.
struct ViewPiece {
    forms::PixelRect source;
    forms::PixelRect view;
};

struct LensView {
    SourceRect source;
    // The parts of the source on a monitor, in the order of `monitors`
    // (where monitors overlap, so do their parts, showing the same pixels).
    // What no part covers shows no monitor and is black.
    std::vector<ViewPiece> pieces;

    // The whole source lies on one monitor: the view is one plain copy.
    bool OnOneMonitor() const;
    // The view shows the desktop reduced: each of its pixels covers several.
    bool Reduces(int32_t viewWidth, int32_t viewHeight) const {
        return source.width > viewWidth || source.height > viewHeight;
    }
};

// Where the view looks and what of it the monitors show. `monitors` are
// the monitors' rectangles in virtual-screen pixels.
LensView LensViewAt(int32_t cursorX, int32_t cursorY, int32_t magnification, int32_t viewWidth,
                    int32_t viewHeight, const std::vector<forms::PixelRect>& monitors);

}  // namespace zoomorb::saver
