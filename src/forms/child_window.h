#pragma once
// The window of a control of a system class (a button, a scroll bar). The
// system destroys it with its parent, which may be long before the control
// object goes, and may then give the handle to another window. So the owner
// watches for the destruction and forgets the handle then, and destroys only
// a window that is still its own.

#include <windows.h>

namespace forms {

class ChildWindow {
public:
    ChildWindow() = default;
    ~ChildWindow();
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;

    // Creates the window at `place` in the parent's client pixels; one held
    // before goes first.
    void Create(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& place, HWND parent);
    // Null before the window is made and once it has been destroyed.
    HWND Get() const { return window_; }

private:
    static LRESULT CALLBACK WatchDestruction(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    // The class's own procedure, which every message is passed on to.
    WNDPROC classProcedure_ = nullptr;
};

}  // namespace forms
