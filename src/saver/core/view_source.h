#pragma once
// The part of the desktop the lens shows: an area around the cursor, the
// view's size divided by the magnification, stretched to fill the view.

#include <cstdint>

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

}  // namespace zoomorb::saver
