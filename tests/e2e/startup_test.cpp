// Start-up as the system sees it: which arguments end at once, which open a
// window, and how a running saver or settings dialog, and only one of ours,
// blocks every new start.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/session_lock.h"
#include "forms/form_class.h"
#include "harness.h"

namespace e2e {
namespace {

TEST(Startup, ArgumentsWithoutAModeEndAtOnceWithoutAWindow) {
    ProgramCopy program;
    for (const char* arguments : {"s", "S", "/x", "/a 1234", "/a", "/a abc"}) {
        SCOPED_TRACE(arguments);
        SaverProcess process(program, arguments);
        const auto code = process.WatchUntilExit(kEndsAtOnce);
        ASSERT_TRUE(code.has_value()) << "still running";
        EXPECT_EQ(*code, 0u) << "a run-time error ends with its number";
        EXPECT_TRUE(process.SeenWindowTitles().empty());
    }
    // Reading the settings never creates the file.
    EXPECT_FALSE(program.ReadFile(L"Zoomorb.ini").has_value());
}

// A top-level window of the test process: of the forms' class, as another
// Zoomorb's window is, or of another program's class; shown or hidden.
class WindowOfClass {
public:
    WindowOfClass(const wchar_t* windowClass, const wchar_t* title, bool visible) {
        RegisterGreyWindowClass(windowClass, DefWindowProcW);
        window_ = CreateWindowExW(0, windowClass, title, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 50, 50,
                                  200, 150, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        PumpMessagesFor(50ms);
    }
    ~WindowOfClass() {
        DestroyWindow(window_);
        PumpMessagesFor(20ms);
    }
    WindowOfClass(const WindowOfClass&) = delete;
    WindowOfClass& operator=(const WindowOfClass&) = delete;

private:
    HWND window_ = nullptr;
};

constexpr wchar_t kOtherProgramsClass[] = L"AnotherProgramsWindow";

// The lock a starting saver or settings dialog takes before it has any
// window, held by the test as such an instance would.
class SessionLockHeld {
public:
    SessionLockHeld() : mutex_(CreateMutexW(nullptr, TRUE, zoomorb::kSessionLockName)) {}
    ~SessionLockHeld() {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
    SessionLockHeld(const SessionLockHeld&) = delete;
    SessionLockHeld& operator=(const SessionLockHeld&) = delete;

private:
    HANDLE mutex_;
};

void ExpectEndsAtOnceWithoutAWindow(const ProgramCopy& program, const std::string& arguments) {
    SCOPED_TRACE(arguments);
    SaverProcess process(program, arguments);
    const auto code = process.WatchUntilExit(kEndsAtOnce);
    ASSERT_TRUE(code.has_value()) << "still running";
    EXPECT_TRUE(process.SeenWindowTitles().empty());
}

TEST(Startup, AnOpenSaverOrSettingsDialogBlocksEveryStart) {
    ProgramCopy program;
    TitledWindow pane(L"Host pane");
    const std::string paneHandle = std::to_string(reinterpret_cast<uintptr_t>(pane.Get()));
    for (const wchar_t* title : {L"Zoomorb_Main", L"Zoomorb Saver"}) {
        WindowOfClass blocker(forms::kFormClass, title, true);
        for (const std::string arguments : {std::string("/s"), std::string(""), std::string("/c"),
                                            std::string("/p ") + paneHandle, std::string("/a 1234")})
            ExpectEndsAtOnceWithoutAWindow(program, arguments);
    }
    // Another saver or dialog still making its window has only the lock.
    SessionLockHeld lock;
    for (const char* arguments : {"/s", "", "/c"}) ExpectEndsAtOnceWithoutAWindow(program, arguments);
}

TEST(Startup, OtherWindowsWithOurTitlesBlockNothing) {
    ProgramCopy program;
    const struct {
        const char* name;
        const wchar_t* windowClass;
        const wchar_t* title;
        bool visible;
        std::vector<std::pair<std::string, const wchar_t*>> starts;
    } cases[] = {
        {"our preview", forms::kFormClass, L"Preview Window", true,
         {{"/c", L"Zoomorb Saver"}, {"/s", L"Zoomorb_Main"}}},
        {"another program's, hidden", kOtherProgramsClass, L"Zoomorb Saver", false, {{"/s", L"Zoomorb_Main"}}},
        {"another program's", kOtherProgramsClass, L"Zoomorb_Main", true, {{"/c", L"Zoomorb Saver"}}},
    };
    for (const auto& c : cases) {
        WindowOfClass window(c.windowClass, c.title, c.visible);
        for (const auto& [arguments, shows] : c.starts) {
            SCOPED_TRACE(std::string(c.name) + ", " + arguments);
            SaverProcess process(program, arguments);
            EXPECT_NE(process.WaitForWindow(shows), nullptr);
        }
    }
}

TEST(Startup, PasswordChangeOnThe9xFamilyCallsTheSystemDialog) {
    ProgramCopy program;
    program.AddDouble(ZOOMORB_MPR_DOUBLE, L"mpr.dll");
    WineAppDefaults wine({/*windows98=*/true, /*nativeMpr=*/true});
    {
        SaverProcess process(program, "/a 1234");
        ASSERT_TRUE(process.WatchUntilExit(kEndsAtOnce).has_value());
    }
    EXPECT_EQ(program.ReadFile(L"mpr_calls.txt").value_or("(not called)"), "SCRSAVE 1234 0 0\n");
    // A handle that is not a number gives the dialog no owner instead of a run-time error.
    program.WriteFile(L"mpr_calls.txt", "");
    {
        SaverProcess process(program, "/a");
        const auto code = process.WatchUntilExit(kEndsAtOnce);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0u);
        EXPECT_TRUE(process.SeenWindowTitles().empty());
    }
    EXPECT_EQ(program.ReadFile(L"mpr_calls.txt").value_or(""), "SCRSAVE 0 0 0\n");
}

TEST(Startup, PasswordChangeOnTheNtFamilyDoesNotCallTheDialog) {
    ProgramCopy program;
    program.AddDouble(ZOOMORB_MPR_DOUBLE, L"mpr.dll");
    WineAppDefaults wine({/*windows98=*/false, /*nativeMpr=*/true});
    SaverProcess process(program, "/a 1234");
    ASSERT_TRUE(process.WatchUntilExit(kEndsAtOnce).has_value());
    EXPECT_FALSE(program.ReadFile(L"mpr_calls.txt").has_value());
}

}  // namespace
}  // namespace e2e
