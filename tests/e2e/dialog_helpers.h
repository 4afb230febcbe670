#pragma once
// What the settings-dialog and preview tests need beyond the shared harness:
// finding child windows of another process's window, and the logical DPI
// that new processes see.

#include <windows.h>

#include <chrono>

namespace e2e {

// The first descendant of `parent` with the given window class, or null.
HWND FindDescendantOfClass(HWND parent, const wchar_t* className);

// A direct child of `parent` with the given title, once it exists.
HWND WaitForChildWindow(HWND parent, const wchar_t* title, std::chrono::milliseconds timeout);

SIZE SizeOf(const RECT& rect);

// Visible top-level windows that belong to the process.
int CountVisibleWindowsOf(DWORD processId);

// HKCU\Control Panel\Desktop LogPixels while the object lives: processes
// started meanwhile see that many dots per inch.
class ScopedLogPixels {
public:
    explicit ScopedLogPixels(DWORD dotsPerInch);
    ~ScopedLogPixels();
    ScopedLogPixels(const ScopedLogPixels&) = delete;
    ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;

private:
    bool hadValue_ = false;
    DWORD previous_ = 0;
};

}  // namespace e2e
