#pragma once
// What the settings-dialog and preview tests need beyond the shared harness:
// finding child windows of another process's window, the settings dialog's
// controls and the message boxes it shows, and the logical DPI that new
// processes see.

#include <windows.h>

#include <chrono>
#include <string>

namespace e2e {

class SaverProcess;

// The first descendant of `parent` with the given window class, or null.
HWND FindDescendantOfClass(HWND parent, const wchar_t* className);

// A direct child of `parent` with the given title, once it exists.
HWND WaitForChildWindow(HWND parent, const wchar_t* title, std::chrono::milliseconds timeout);

SIZE SizeOf(const RECT& rect);

// Visible top-level windows that belong to the process.
int CountVisibleWindowsOf(DWORD processId);

// The settings dialog of a process, once it is open, and its controls.
struct OpenDialog {
    HWND window = nullptr;
    HWND scrollBar = nullptr;
    HWND okButton = nullptr;
};
OpenDialog FindDialog(const SaverProcess& process);
int ScrollPosition(HWND scrollBar);
// One arrow step to the right, as a click on the arrow makes it.
void StepRight(HWND scrollBar);

// A key as the keyboard sends it, with a modifier (Shift, Alt) held around it.
struct Keystroke {
    BYTE key;
    BYTE modifier = 0;
};
void Press(const Keystroke& stroke);
// Whether `control` has its process's keyboard focus, in the foreground
// window, within `timeout`: where pressed keys go.
bool WaitForFocus(HWND control, std::chrono::milliseconds timeout);

// A message box of the process, once it shows, and the text it says.
HWND WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout);
std::wstring MessageBoxText(HWND box);

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
