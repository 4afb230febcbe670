#pragma once
// What the lens shows: the desktop around the cursor at the magnification,
// copied from whatever the monitors show of it. At 100 % and above the
// screen is stretched straight into the lens; below, the lens shows the
// desktop reduced, each of its pixels the average of those it covers, from
// a copy of the screen kept up to date a few rows at a time. Where no
// monitor shows the source the lens is black, as a copy of it would be.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "forms/core/pixel_rect.h"
#include "forms/picture_box.h"
#include "saver/bitmap32.h"
#include "saver/core/view_source.h"
#include "saver/desktop_copy.h"

namespace zoomorb::saver {

class MagnifiedView {
public:
    explicit MagnifiedView(forms::PictureBox& lens) : lens_(lens) {}

    // The monitors' rectangles in virtual-screen pixels, read again when
    // their layout changes.
    void SetMonitors(std::vector<forms::PixelRect> monitors);
    // One redraw around `cursor` (screen pixels) at `magnification` percent.
    void Draw(HDC screen, POINT cursor, int32_t magnification);

private:
    // Stretches what the monitors show of the source straight into the lens.
    void DrawFromScreen(HDC screen, const LensView& view, bool averaging);
    // Reduces the source from the copy of the desktop; false when the copy
    // or the picture cannot be made.
    bool DrawReduced(HDC screen, const LensView& view);
    // Notes how old the oldest part of the desktop the lens showed was.
    void NoteOldestShown(double nowMs);

    forms::PictureBox& lens_;
    std::vector<forms::PixelRect> monitors_;
    DesktopCopy desktop_;
    enum class CopyState { ToBeMade, Made, CannotBeMade };
    CopyState desktopCopy_ = CopyState::ToBeMade;
    // The reduced picture, drawn here and then copied into the lens.
    Bitmap32 reduced_;
    // The oldest age shown since it was last told, and when it was.
    double oldestShownMs_ = 0;
    double toldAtMs_ = 0;
};

}  // namespace zoomorb::saver
