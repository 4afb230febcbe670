#include "container.h"

#include <algorithm>
#include <utility>

#include "forms/core/units.h"
#include "forms/screen.h"

namespace forms {

int32_t Container::Dpi() const { return DotsPerInch(); }
int32_t Container::ToPixels(int32_t twips) const { return TwipsToPixels(Twips{twips}, Dpi()).value; }
int32_t Container::ToTwips(int32_t pixels) const { return PixelsToTwips(Pixels{pixels}, Dpi()).value; }

namespace {

RECT ToPixels(const Container& container, const TwipsRect& place) {
    const int32_t left = container.ToPixels(place.left);
    const int32_t top = container.ToPixels(place.top);
    return RECT{left, top, left + container.ToPixels(place.width), top + container.ToPixels(place.height)};
}

}  // namespace

RECT Control::PixelRect() const { return ToPixels(parent_, place_); }

void Container::ControlsFollowDpi() {
    for (Control* control : controls_) control->FollowDpi();
    for (WindowlessControl* control : windowless_) control->FollowDpi();
}

void Control::SetPlace(TwipsRect place) {
    place_ = place;
    const RECT area = PixelRect();
    if (Hwnd())
        SetWindowPos(Hwnd(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}
RECT WindowlessControl::PixelRect() const { return ToPixels(parent_, place_); }

void WindowlessControl::Invalidate() const {
    if (!parent_.Hwnd()) return;
    const RECT area = PixelRect();
    InvalidateRect(parent_.Hwnd(), &area, FALSE);
}

void Container::RemoveControl(Control& control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

void Container::RemoveWindowless(WindowlessControl& control) {
    windowless_.erase(std::remove(windowless_.begin(), windowless_.end(), &control), windowless_.end());
    if (pressed_ == &control) pressed_ = nullptr;
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

Control* Container::ControlOf(HWND child) const {
    if (!child) return nullptr;
    for (Control* control : controls_)
        if (control->Hwnd() == child) return control;
    return nullptr;
}

bool Container::SetPointerFor(HWND windowUnderMouse) {
    HCURSOR pointer = nullptr;
    if (ScreenMousePointer() != MousePointer::Default) {
        pointer = LoadCursorW(nullptr, IDC_WAIT);
    } else if (Control* control = ControlOf(windowUnderMouse)) {
        pointer = control->Pointer();
    } else if (windowUnderMouse == Hwnd()) {
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(Hwnd(), &at);
        const WindowlessControl* control = WindowlessAt(at);
        pointer = control && control->Pointer() ? control->Pointer() : OwnPointer();
    }
    if (!pointer) return false;
    SetCursor(pointer);
    return true;
}

bool Container::HandleControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_COMMAND:
            if (Control* control = ControlOf(reinterpret_cast<HWND>(lParam))) return control->OnCommand(HIWORD(wParam));
            return false;
        case WM_HSCROLL:
            if (Control* control = ControlOf(reinterpret_cast<HWND>(lParam)))
                return control->OnScroll(LOWORD(wParam), HIWORD(wParam));
            return false;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (Control* control = ControlOf(item.hwndItem); control && control->OnDrawItem(item)) {
                result = TRUE;
                return true;
            }
            return false;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT || !SetPointerFor(reinterpret_cast<HWND>(wParam))) return false;
            result = TRUE;
            return true;
        case WM_LBUTTONDOWN:
            pressed_ = WindowlessAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return pressed_ != nullptr;
        case WM_LBUTTONUP: {
            WindowlessControl* released =
                WindowlessAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            WindowlessControl* pressed = std::exchange(pressed_, nullptr);
            if (!released || released != pressed) return false;
            released->OnClick();
            return true;
        }
        default:
            return false;
    }
}

}  // namespace forms
