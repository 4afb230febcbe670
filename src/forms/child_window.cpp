#include "child_window.h"

namespace forms {
namespace {

constexpr wchar_t kOwnerProperty[] = L"ZoomorbChildWindow";

}  // namespace

ChildWindow::~ChildWindow() {
    if (window_) DestroyWindow(window_);
}

void ChildWindow::Create(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& place,
                         HWND parent) {
    if (window_) DestroyWindow(window_);
    window_ = CreateWindowExW(0, className, text, style, place.left, place.top, place.right - place.left,
                              place.bottom - place.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) return;
    SetPropW(window_, kOwnerProperty, this);
    classProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchDestruction)));
}

LRESULT CALLBACK ChildWindow::WatchDestruction(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* owner = static_cast<ChildWindow*>(GetPropW(window, kOwnerProperty));
    const WNDPROC classProcedure = owner->classProcedure_;
    if (message == WM_NCDESTROY) {
        // The last message the window gets: from here on the handle is not ours.
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProcedure));
        RemovePropW(window, kOwnerProperty);
        owner->window_ = nullptr;
    }
    return CallWindowProcW(classProcedure, window, message, wParam, lParam);
}

}  // namespace forms
