// Test double of the 9x password control panel: answers the saver's password
// check as password_answer.txt says and records every call in
// password_calls.txt. "accept" and "reject" answer at once; "ask" shows a
// dialog of its own, as the system's does, owned by the saver and in the
// foreground, which takes typed keys until Enter and accepts "ok". Escape is
// just another key there, so that a test can press it while the dialog is
// open and see whether the saver starts a second check.

#include <cwctype>
#include <string>

#include "double_log.h"

namespace {

struct Dialog {
    std::wstring typed;
    bool done = false;
};

constexpr UINT_PTR kGiveUpTimer = 1;

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (dialog && message == WM_CHAR) {
        if (wParam == L'\r') dialog->done = true;
        else if (wParam >= L' ') dialog->typed += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(wParam)));
        return 0;
    }
    if (dialog && message == WM_TIMER && wParam == kGiveUpTimer) {
        dialog->done = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool AskInADialog(HWND owner) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DialogProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZoomorbPasswordDouble";
    RegisterClassW(&windowClass);
    Dialog dialog;
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"ZoomorbPasswordDouble", L"Password double",
                                  WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 300, 120, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dialog));
    SetForegroundWindow(window);
    SetFocus(window);
    SetTimer(window, kGiveUpTimer, 15000, nullptr);
    // A modal loop, as the system's dialog runs: the saver's timers tick in it.
    MSG message;
    while (!dialog.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    doubles::AppendLine("debug.txt", "typed " + std::to_string(dialog.typed.size()) + " " + std::string(dialog.typed.begin(), dialog.typed.end()));
    DestroyWindow(window);
    return dialog.typed == L"ok";
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
    doubles::AppendLine("password_calls.txt",
                        std::to_string(reinterpret_cast<uintptr_t>(owner)) + " " +
                            std::to_string(IsWindow(owner) ? 1 : 0));
    const std::string answer = doubles::ReadFirstWord("password_answer.txt");
    if (answer == "ask") return AskInADialog(owner) ? TRUE : FALSE;
    return answer == "accept" ? TRUE : FALSE;
}
