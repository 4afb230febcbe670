#include "container.h"

#include "forms/core/numbers.h"
#include "forms/screen.h"

namespace forms {

int32_t TwipsToPixelsX(int32_t twips) { return ToInt32(twips / static_cast<double>(TwipsPerPixelX())); }
int32_t TwipsToPixelsY(int32_t twips) { return ToInt32(twips / static_cast<double>(TwipsPerPixelY())); }
int32_t PixelsToTwipsX(int32_t pixels) { return ToInt32(pixels * static_cast<double>(TwipsPerPixelX())); }
int32_t PixelsToTwipsY(int32_t pixels) { return ToInt32(pixels * static_cast<double>(TwipsPerPixelY())); }

namespace {

RECT ToPixels(const TwipsRect& place) {
    const int32_t left = TwipsToPixelsX(place.left);
    const int32_t top = TwipsToPixelsY(place.top);
    return RECT{left, top, left + TwipsToPixelsX(place.width), top + TwipsToPixelsY(place.height)};
}

}  // namespace

RECT Control::PixelRect() const { return ToPixels(place_); }
RECT WindowlessControl::PixelRect() const { return ToPixels(place_); }

void WindowlessControl::Invalidate() const {
    if (!parent_.Hwnd()) return;
    const RECT area = PixelRect();
    InvalidateRect(parent_.Hwnd(), &area, FALSE);
}

void Container::CreateControls() {
    for (Control* control : controls_) control->Create();
}

void Container::PaintWindowless(HDC dc) {
    for (WindowlessControl* control : windowless_) control->Paint(dc);
}

WindowlessControl* Container::WindowlessAt(POINT clientPoint) const {
    // The last painted lies on top.
    for (auto it = windowless_.rbegin(); it != windowless_.rend(); ++it) {
        const RECT area = (*it)->PixelRect();
        if (PtInRect(&area, clientPoint)) return *it;
    }
    return nullptr;
}

bool Container::RouteCommand(HWND child, WORD code) {
    for (Control* control : controls_)
        if (control->Hwnd() == child) return control->OnCommand(code);
    return false;
}

bool Container::RouteScroll(HWND child, WORD code, WORD position) {
    for (Control* control : controls_)
        if (control->Hwnd() == child) return control->OnScroll(code, position);
    return false;
}

bool Container::RouteDrawItem(const DRAWITEMSTRUCT& item) {
    for (Control* control : controls_)
        if (control->Hwnd() == item.hwndItem) return control->OnDrawItem(item);
    return false;
}

bool Container::SetPointerFor(HWND windowUnderMouse, POINT clientPoint) {
    if (ScreenMousePointer() != MousePointer::Default) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return true;
    }
    for (Control* control : controls_) {
        if (control->Hwnd() == windowUnderMouse && control->Pointer()) {
            SetCursor(control->Pointer());
            return true;
        }
    }
    if (windowUnderMouse == Hwnd()) {
        if (WindowlessControl* control = WindowlessAt(clientPoint); control && control->Pointer()) {
            SetCursor(control->Pointer());
            return true;
        }
    }
    return false;
}

bool Container::ClickWindowless(POINT clientPoint) {
    if (WindowlessControl* control = WindowlessAt(clientPoint)) {
        control->OnClick();
        return true;
    }
    return false;
}

}  // namespace forms
