#include "shared/window_utilities.h"

#include "forms/core/units.h"
#include "forms/form.h"
#include "forms/screen.h"

namespace Zoomorb_B {

int16_t AnimOriginX = 0;
int16_t AnimOriginY = 0;

void SetTopmost(forms::Form& form, bool topmost) {
    HWND window = form.Hwnd();
    const float twipsX = forms::TwipsPerPixelX();
    const float twipsY = forms::TwipsPerPixelY();
    const int32_t x = forms::TwipsToPixels(form.Left(), twipsX);
    const int32_t y = forms::TwipsToPixels(form.Top(), twipsY);
    const int32_t cx = forms::TwipsToPixels(form.Width(), twipsX);
    const int32_t cy = forms::TwipsToPixels(form.Height(), twipsY);
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
