#pragma once
// A picture of 32-bit pixels (blue, green, red and an unused byte, rows
// top-down) in a DIB section kept selected into a memory DC of its own:
// drawn into and copied from with GDI through Dc(), read and written
// directly through Pixels(). Starts black.

#include <windows.h>

#include <cstdint>

#include "forms/handles.h"
#include "saver/core/pixels32.h"

namespace zoomorb::saver {

class Bitmap32 {
public:
    // Makes the picture anew at this size; false (and no picture) when the
    // system cannot.
    bool Create(int32_t width, int32_t height);
    explicit operator bool() const { return static_cast<bool>(selection_); }
    HDC Dc() const { return dc_.Get(); }
    const Pixels32& Pixels() const { return pixels_; }

private:
    // Released in the reverse order: the bitmap is selected out of the DC,
    // then the DC and the bitmap are deleted.
    forms::UniqueBitmap bitmap_;
    forms::UniqueMemoryDc dc_;
    forms::SelectionScope selection_;
    Pixels32 pixels_;
};

}  // namespace zoomorb::saver
