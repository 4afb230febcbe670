#pragma once
// An image control: a stored picture drawn at its own size from the control's
// top-left corner and cut off at the control's edges. Windowless: its
// container paints it.

#include <windows.h>

#include "forms/container.h"
#include "forms/handles.h"

namespace forms {

class Image : public WindowlessControl {
public:
    Image(Container& parent, TwipsRect place, int pictureResource);

    void Paint(HDC dc) override;
    // Moves and sizes the control, in its container's pixels.
    void SetPixelRect(int32_t left, int32_t top, int32_t width, int32_t height);
    HBITMAP Picture() const { return picture_.Get(); }
    // Replaces the picture with one drawn at run time.
    void SetPicture(UniqueBitmap picture);

private:
    UniqueBitmap picture_;
};

}  // namespace forms
