#include "saver/input_blocker.h"

#include "forms/handles.h"

namespace zoomorb::saver {
namespace {

struct HookTraits {
    static void Close(HHOOK hook) { UnhookWindowsHookEx(hook); }
};
using UniqueHook = forms::UniqueHandle<HHOOK, HookTraits>;

// The hook procedures run on the hooks' thread and find their blocker here.
thread_local std::atomic<bool>* t_escapePressed = nullptr;

// The foreground window, when it is one of ours: a dialog that must get the
// user's input. Nothing here may send a message (as hit-testing does): the
// saver's thread may be busy, or waiting for this one.
HWND ForegroundWindowOfOurs() {
    HWND window = GetForegroundWindow();
    DWORD process = 0;
    return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId() ? window
                                                                                                  : nullptr;
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && !ForegroundWindowOfOurs()) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        if (key.vkCode == VK_ESCAPE && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) *t_escapePressed = true;
        return 1;
    }
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM data) {
    // Moves as well: over another program they would reach it as hovering.
    if (code == HC_ACTION) {
        HWND dialog = ForegroundWindowOfOurs();
        RECT area{};
        if (!dialog || !GetWindowRect(dialog, &area) ||
            !PtInRect(&area, reinterpret_cast<const MSLLHOOKSTRUCT*>(data)->pt))
            return 1;
    }
    return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

InputBlocker::InputBlocker() {
    std::promise<void> ready;
    std::future<void> hooked = ready.get_future();
    thread_ = std::thread([this, &ready] { RunHooks(ready); });
    hooked.wait();
}

InputBlocker::~InputBlocker() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

void InputBlocker::RunHooks(std::promise<void>& ready) {
    t_escapePressed = &escapePressed_;
    MSG message;
    // The thread's queue exists before anyone can post the quit request.
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    threadId_ = GetCurrentThreadId();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const UniqueHook keyboard(SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardHook, instance, 0));
    const UniqueHook mouse(SetWindowsHookExW(WH_MOUSE_LL, &MouseHook, instance, 0));
    ready.set_value();
    // Low-level hooks are called through this thread's message loop.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

}  // namespace zoomorb::saver
