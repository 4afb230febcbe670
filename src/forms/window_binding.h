#pragma once
// The one window procedure of the engine's window classes: it binds a window
// to its object at WM_NCCREATE (the first message that can carry it), then
// hands every message to the object's HandleMessage through the run-time
// error guard, and unbinds them after WM_NCDESTROY, the window's last message.
// Messages before the binding, and after the object has let go of its
// window, get the system's default handling.

#include <windows.h>

#include <utility>

#include "forms/program.h"

namespace forms {

template <typename Owner>
LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        owner->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = RunEventHandler([&] { return owner->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        owner->window_ = nullptr;
    }
    return result;
}

// Destroys the window of an object that is going away. It is unbound first:
// its last messages would otherwise reach an object half taken apart.
inline void DestroyUnbound(HWND& window) {
    if (!window) return;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(std::exchange(window, nullptr));
}

}  // namespace forms
