// While the saver runs, the user's input reaches no other program: the saver
// moves the cursor on its own, so a click would land wherever its circle
// happens to be. Once it has ended, input flows as before.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "harness.h"

namespace e2e {
namespace {

struct Received {
    int clicks = 0;
    int wheelTurns = 0;
    int keys = 0;
    int escapes = 0;
};

LRESULT CALLBACK CountInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* received = reinterpret_cast<Received*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
        if (message == WM_LBUTTONDOWN) ++received->clicks;
        if (message == WM_MOUSEWHEEL) ++received->wheelTurns;
        if (message == WM_KEYDOWN) ++(wParam == VK_ESCAPE ? received->escapes : received->keys);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A user's application covering the screen beneath the saver, in the
// foreground, counting the input it gets.
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
        PumpMessagesFor(100ms);
    }
    ~ApplicationBeneath() { DestroyWindow(window_); }
    ApplicationBeneath(const ApplicationBeneath&) = delete;
    ApplicationBeneath& operator=(const ApplicationBeneath&) = delete;

    // A click where this window, not the glass, is under the cursor; a
    // wheel turn; a letter and Enter.
    void SendUserInput() {
        const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        for (const POINT corner : {POINT{20, 20}, POINT{width - 20, 20}, POINT{20, height - 20}}) {
            if (WindowFromPoint(corner) != window_) continue;
            ClickAt(corner);
            break;
        }
        mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA), 0);
        for (const BYTE key : {BYTE{'A'}, BYTE{VK_RETURN}}) {
            keybd_event(key, 0, 0, 0);
            keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        }
        PumpMessagesFor(300ms);
    }
    Received TakeReceived() { return std::exchange(received_, Received{}); }

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
        EXPECT_EQ(whileRunning.wheelTurns, 0);
        EXPECT_EQ(whileRunning.keys, 0);
        EXPECT_EQ(whileRunning.escapes, 0) << "the Escape that ended the saver reached the application too";

        application.SendUserInput();
        const Received afterwards = application.TakeReceived();
        EXPECT_EQ(afterwards.clicks, 1) << "after the saver";
        EXPECT_EQ(afterwards.wheelTurns, 1) << "after the saver";
        EXPECT_EQ(afterwards.keys, 2) << "after the saver";
    }
}

}  // namespace
}  // namespace e2e
