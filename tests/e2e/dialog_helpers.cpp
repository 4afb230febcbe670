#include "dialog_helpers.h"

#include "harness.h"

namespace e2e {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";

}  // namespace

namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

}  // namespace

HWND FindDescendantOfClass(HWND parent, const wchar_t* className) {
    return FindWindowWhere([&](HWND window) { return lstrcmpiW(ClassOf(window).c_str(), className) == 0; }, parent);
}

HWND WaitForChildWindow(HWND parent, const wchar_t* title, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        if (HWND child = FindWindowExW(parent, nullptr, nullptr, title)) return child;
        PumpMessagesFor(20ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

OpenDialog FindDialog(const SaverProcess& process) {
    OpenDialog dialog;
    dialog.window = process.WaitForWindow(L"Zoomorb Saver");
    if (!dialog.window) return dialog;
    dialog.scrollBar = FindDescendantOfClass(dialog.window, L"ScrollBar");
    dialog.okButton = FindDescendantOfClass(dialog.window, L"Button");
    return dialog;
}

int ScrollPosition(HWND scrollBar) { return static_cast<int>(SendMessageW(scrollBar, SBM_GETPOS, 0, 0)); }

void StepRight(HWND scrollBar) {
    SendMessageW(GetParent(scrollBar), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), reinterpret_cast<LPARAM>(scrollBar));
}

void Press(const Keystroke& stroke) {
    if (stroke.modifier) keybd_event(stroke.modifier, 0, 0, 0);
    keybd_event(stroke.key, 0, 0, 0);
    keybd_event(stroke.key, 0, KEYEVENTF_KEYUP, 0);
    if (stroke.modifier) keybd_event(stroke.modifier, 0, KEYEVENTF_KEYUP, 0);
}

bool WaitForFocus(HWND control, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &thread) && thread.hwndFocus == control &&
            GetForegroundWindow() == GetAncestor(control, GA_ROOT))
            return true;
        PumpMessagesFor(20ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

HWND WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        if (HWND box = FindWindowWhere([&](HWND window) {
                return OwnerProcessOf(window) == processId && ClassOf(window) == L"#32770" && IsWindowVisible(window);
            }))
            return box;
        PumpMessagesFor(20ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child;
         child = FindWindowExW(box, child, L"Static", nullptr))
        text += TitleOf(child);
    return text;
}

SIZE SizeOf(const RECT& rect) { return SIZE{rect.right - rect.left, rect.bottom - rect.top}; }

int CountVisibleWindowsOf(DWORD processId) {
    int count = 0;
    FindWindowWhere([&](HWND window) {
        count += OwnerProcessOf(window) == processId && IsWindowVisible(window);
        return false;
    });
    return count;
}

ScopedLogPixels::ScopedLogPixels(DWORD dotsPerInch) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    DWORD type = 0;
    DWORD size = sizeof previous_;
    hadValue_ = RegQueryValueExW(key, kLogPixels, nullptr, &type, reinterpret_cast<BYTE*>(&previous_), &size) ==
                    ERROR_SUCCESS &&
                type == REG_DWORD;
    RegSetValueExW(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dotsPerInch), sizeof dotsPerInch);
    RegCloseKey(key);
}

ScopedLogPixels::~ScopedLogPixels() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (hadValue_) {
        RegSetValueExW(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof previous_);
    } else {
        RegDeleteValueW(key, kLogPixels);
    }
    RegCloseKey(key);
}

}  // namespace e2e
