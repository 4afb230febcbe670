#include "application_beneath.h"

#include <utility>

#include "harness.h"

namespace e2e {
namespace {

LRESULT CALLBACK CountInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* received = reinterpret_cast<Received*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
        switch (message) {
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
                ++received->clicks;
                SetCapture(window);  // as a drag does
                break;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
                ++received->releases;
                ReleaseCapture();
                break;
            case WM_MOUSEMOVE:
                if (wParam & (MK_LBUTTON | MK_RBUTTON)) ++received->heldMoves;
                break;
            case WM_MOUSEWHEEL:
                ++received->wheelTurns;
                break;
            case WM_KEYDOWN:
                ++(wParam == VK_ESCAPE ? received->escapes : received->keys);
                break;
            default:
                break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

ApplicationBeneath::ApplicationBeneath() {
    static const bool registered = RegisterGreyWindowClass(L"ZoomorbTestApplication", CountInput);
    (void)registered;
    window_ = CreateWindowExW(0, L"ZoomorbTestApplication", L"Application", WS_POPUP | WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received_));
    SetForegroundWindow(window_);
    SetCapture(window_);
    PumpMessagesFor(100ms);
}

ApplicationBeneath::~ApplicationBeneath() { DestroyWindow(window_); }

void ApplicationBeneath::SendUserInput() {
    ClickAt(POINT{20, 20});
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA), 0);
    for (const BYTE key : {BYTE{'A'}, BYTE{VK_RETURN}}) {
        keybd_event(key, 0, 0, 0);
        keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    }
    PumpMessagesFor(300ms);
}

Received ApplicationBeneath::TakeReceived() { return std::exchange(received_, Received{}); }

bool ApplicationBeneath::WaitUntil(const std::function<bool(const Received&)>& done,
                                   std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done(received_) && std::chrono::steady_clock::now() < deadline) PumpMessagesFor(10ms);
    return done(received_);
}

}  // namespace e2e
