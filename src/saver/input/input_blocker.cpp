#include "saver/input/input_blocker.h"

#include <initializer_list>
#include <utility>

#include "saver/core/input/mouse_filter.h"

namespace zoomorb::saver {
namespace {

struct HookTraits {
    static void Close(HHOOK hook) { UnhookWindowsHookEx(hook); }
};
using UniqueHook = forms::UniqueHandle<HHOOK, HookTraits>;

// What the hook procedures work with; they run on the hooks' thread and find
// it here.
struct HookState {
    std::atomic<bool>* escapePressed = nullptr;
    MouseFilter mouse;
};
thread_local HookState* t_hooks = nullptr;

// The foreground window, when it is one of ours: a dialog that must get the
// user's input. Nothing here may send a message (as hit-testing does): the
// saver's thread may be busy, or waiting for this one.
HWND ForegroundWindowOfOurs() {
    HWND window = GetForegroundWindow();
    DWORD process = 0;
    return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId() ? window
                                                                                                  : nullptr;
}

bool OverDialogOfOurs(POINT point) {
    HWND dialog = ForegroundWindowOfOurs();
    RECT area{};
    return dialog && GetWindowRect(dialog, &area) && PtInRect(&area, point);
}

MouseInput MouseInputOf(WPARAM message, const MSLLHOOKSTRUCT& mouse) {
    MouseInput input;
    input.overOurDialog = OverDialogOfOurs(mouse.pt);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            input.action = MouseAction::Press;
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_XBUTTONUP:
            input.action = MouseAction::Release;
            break;
        default:
            return input;  // moves as well: over another program they would reach it as hovering
    }
    switch (message) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            input.button = MouseButton::Right;
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            input.button = MouseButton::Middle;
            break;
        case WM_XBUTTONDOWN:
        case WM_XBUTTONUP:
            input.button = HIWORD(mouse.mouseData) == XBUTTON1 ? MouseButton::X1 : MouseButton::X2;
            break;
        default:
            input.button = MouseButton::Left;
            break;
    }
    return input;
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && !ForegroundWindowOfOurs()) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        if (key.vkCode == VK_ESCAPE && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN))
            *t_hooks->escapePressed = true;
        return 1;
    }
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION &&
        !t_hooks->mouse.Passes(MouseInputOf(message, *reinterpret_cast<const MSLLHOOKSTRUCT*>(data))))
        return 1;
    return CallNextHookEx(nullptr, code, message, data);
}

// A press the hooks swallowed never reaches the system's key state, so a
// button that reads as held there is one some window saw pressed.
bool MouseButtonHeld() {
    for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2})
        if (GetAsyncKeyState(button) & 0x8000) return true;
    return false;
}

}  // namespace

InputBlocker::InputBlocker(InstallHook install) : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    // Without a way to end the hooks' thread, no hooks: input that could
    // never be given back would trap the user.
    if (!stop_) return;
    // The thread owns the promise: it may still be inside set_value when
    // the value reaches this one.
    std::promise<Blocking> ready;
    std::future<Blocking> hooked = ready.get_future();
    thread_ = std::thread([this, install, ready = std::move(ready)]() mutable { RunHooks(install, ready); });
    blocks_ = hooked.get();
}

InputBlocker::~InputBlocker() {
    if (!thread_.joinable()) return;
    SetEvent(stop_.Get());
    thread_.join();
}

bool InputBlocker::CursorMayMove() const { return blocks_.mouse && !MouseButtonHeld(); }

void InputBlocker::RunHooks(InstallHook install, std::promise<Blocking>& ready) {
    HookState state;
    state.escapePressed = &escapePressed_;
    t_hooks = &state;
    MSG message;
    // The system calls the hooks through this thread's queue: it exists first.
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const UniqueHook keyboard(install(WH_KEYBOARD_LL, &KeyboardHook, instance, 0));
    const UniqueHook mouse(install(WH_MOUSE_LL, &MouseHook, instance, 0));
    ready.set_value(Blocking{static_cast<bool>(keyboard), static_cast<bool>(mouse)});
    // The hooks are called while this thread takes its messages. A wait that
    // fails ends the thread too, hooks and all, rather than spin.
    const HANDLE stop = stop_.Get();
    while (MsgWaitForMultipleObjectsEx(1, &stop, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0 + 1)
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    t_hooks = nullptr;
}

}  // namespace zoomorb::saver
