// While the saver runs, the user's input reaches no other program: the saver
// moves the cursor on its own, so a click would land wherever its circle
// happens to be. A button held down before it started is neither dragged
// along the circle nor kept held. Once it has ended, input flows as before.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "harness.h"

namespace e2e {
namespace {

struct Received {
    int clicks = 0;
    int releases = 0;  // buttons act on release
    int heldMoves = 0;  // moves with a button down: a drag, a paint stroke
    int wheelTurns = 0;
    int keys = 0;
    int escapes = 0;
};

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

// A user's application covering the screen beneath the saver, in the
// foreground, counting the input it gets. It holds the mouse, as during a
// drag or with a menu open, so that any mouse input let through reaches it
// wherever the saver has put the cursor (over the glass, at first).
class ApplicationBeneath {
public:
    ApplicationBeneath() {
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
    ~ApplicationBeneath() { DestroyWindow(window_); }
    ApplicationBeneath(const ApplicationBeneath&) = delete;
    ApplicationBeneath& operator=(const ApplicationBeneath&) = delete;

    // A click, a wheel turn, a letter and Enter.
    void SendUserInput() {
        ClickAt(POINT{20, 20});
        mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA), 0);
        for (const BYTE key : {BYTE{'A'}, BYTE{VK_RETURN}}) {
            keybd_event(key, 0, 0, 0);
            keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        }
        PumpMessagesFor(300ms);
    }
    Received TakeReceived() { return std::exchange(received_, Received{}); }
    // Pumps this window's messages until `done` holds or `timeout` passes.
    bool WaitUntil(const std::function<bool(const Received&)>& done, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done(received_) && std::chrono::steady_clock::now() < deadline) PumpMessagesFor(10ms);
        return done(received_);
    }

private:
    HWND window_ = nullptr;
    Received received_;
};

TEST(SaverInput, ClicksAndKeysReachNoOtherWindowWhileTheSaverRuns) {
    ProgramCopy program;
    for (const char* arguments : {"/s", ""}) {
        SCOPED_TRACE(std::string("arguments \"") + arguments + "\"");
        ApplicationBeneath application;
        ForgetEscapePresses();
        SaverProcess process(program, arguments);
        ASSERT_NE(process.WaitForWindow(L"Zoomorb_Main"), nullptr);
        application.SendUserInput();
        PressEscape();
        ASSERT_TRUE(process.WaitForExit(3s).has_value()) << "Escape did not end it";
        PumpMessagesFor(100ms);
        const Received whileRunning = application.TakeReceived();
        EXPECT_EQ(whileRunning.clicks, 0);
        EXPECT_EQ(whileRunning.releases, 0);
        EXPECT_EQ(whileRunning.wheelTurns, 0);
        EXPECT_EQ(whileRunning.keys, 0);
        EXPECT_EQ(whileRunning.escapes, 0) << "the Escape that ended the saver reached the application too";

        application.SendUserInput();
        const Received afterwards = application.TakeReceived();
        EXPECT_EQ(afterwards.clicks, 1) << "after the saver";
        EXPECT_EQ(afterwards.releases, 1) << "after the saver";
        EXPECT_EQ(afterwards.wheelTurns, 1) << "after the saver";
        EXPECT_EQ(afterwards.keys, 2) << "after the saver";
    }
}

// A mouse button pressed as the user does, released when it goes if nobody
// released it before, so that a failure leaves no button held for later tests.
class HeldButton {
public:
    HeldButton(DWORD down, DWORD up, int key, POINT at) : up_(up), key_(key) {
        SetCursorPos(at.x, at.y);
        mouse_event(down, 0, 0, 0, 0);
    }
    ~HeldButton() {
        if (IsHeld()) mouse_event(up_, 0, 0, 0, 0);
    }
    HeldButton(const HeldButton&) = delete;
    HeldButton& operator=(const HeldButton&) = delete;
    void Release() const { mouse_event(up_, 0, 0, 0, 0); }
    bool IsHeld() const { return (GetAsyncKeyState(key_) & 0x8000) != 0; }

private:
    DWORD up_;
    int key_;
};

// The saver's timers run: its glass has taken a few steps.
bool GlassSteps(HWND glass, int steps) {
    RECT last = WindowRectOf(glass);
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (steps > 0 && std::chrono::steady_clock::now() < deadline) {
        PumpMessagesFor(10ms);
        const RECT now = WindowRectOf(glass);
        if (!EqualRect(&now, &last)) --steps;
        last = now;
    }
    return steps == 0;
}

bool CursorAt(POINT point) {
    POINT now{};
    GetCursorPos(&now);
    return now.x == point.x && now.y == point.y;
}

TEST(SaverInput, AButtonHeldWhenTheSaverStartsIsNotDraggedAndItsReleaseArrives) {
    const struct {
        const char* name;
        DWORD down, up;
        int key;
    } buttons[] = {
        {"left", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, VK_LBUTTON},
        {"right", MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, VK_RBUTTON},
    };
    ProgramCopy program;
    for (const auto& button : buttons) {
        SCOPED_TRACE(std::string(button.name) + " button");
        ApplicationBeneath application;
        // Away from the glass, which starts near the middle of the screen.
        const POINT grip{40, 40};
        HeldButton held(button.down, button.up, button.key, grip);
        ASSERT_TRUE(application.WaitUntil([](const Received& r) { return r.clicks == 1; }, 3s));
        application.TakeReceived();
        ForgetEscapePresses();
        SaverProcess process(program, "/s");
        HWND glass = process.WaitForWindow(L"Zoomorb_Main");
        ASSERT_NE(glass, nullptr);
        ASSERT_TRUE(GlassSteps(glass, 3)) << "the saver's timers did not run";
        EXPECT_TRUE(CursorAt(grip)) << "the saver moved the cursor while the button was held";

        held.Release();
        EXPECT_TRUE(application.WaitUntil([](const Received& r) { return r.releases == 1; }, 3s))
            << "the release did not reach the window that holds the mouse";
        const auto deadline = std::chrono::steady_clock::now() + 3s;
        while (CursorAt(grip) && std::chrono::steady_clock::now() < deadline) PumpMessagesFor(10ms);
        EXPECT_FALSE(CursorAt(grip)) << "the cursor did not move again once the button was released";

        PressEscape();
        ASSERT_TRUE(process.WaitForExit(3s).has_value()) << "Escape did not end it";
        EXPECT_FALSE(held.IsHeld()) << "the button reads as held after the saver";
        PumpMessagesFor(100ms);
        const Received received = application.TakeReceived();
        EXPECT_EQ(received.heldMoves, 0) << "the saver's cursor dragged in the window beneath";
        EXPECT_EQ(received.releases, 1);
        EXPECT_EQ(received.clicks, 0);
    }
}

}  // namespace
}  // namespace e2e
