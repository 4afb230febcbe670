// While the saver runs, the user's input reaches no other program: the saver
// moves the cursor on its own, so a click would land wherever its circle
// happens to be. A button held down before it started is neither dragged
// along the circle nor kept held. Once it has ended, input flows as before.

#include <gtest/gtest.h>

#include <string>

#include "application_beneath.h"
#include "harness.h"

namespace e2e {
namespace {

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
