#include "shared/window_utilities.h"

#include "forms/form.h"

namespace Zoomorb_B {

int16_t AnimOriginX = 0;
int16_t AnimOriginY = 0;

void SetTopmost(forms::Form& form, bool topmost) {
    HWND window = form.Hwnd();
    const int32_t x = form.ToPixels(form.Left());
    const int32_t y = form.ToPixels(form.Top());
    const int32_t cx = form.ToPixels(form.Width());
    const int32_t cy = form.ToPixels(form.Height());
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, x, y, cx, cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

namespace {

RECT AnimationPoint() { return RECT{AnimOriginX, AnimOriginY, AnimOriginX, AnimOriginY}; }

}  // namespace

void AnimateOpen(HWND window) {
    const RECT from = AnimationPoint();
    RECT to{};
    GetWindowRect(window, &to);
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void AnimateClose(HWND window) {
    RECT from{};
    GetWindowRect(window, &from);
    const RECT to = AnimationPoint();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace Zoomorb_B
