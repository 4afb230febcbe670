// Start-up as the system sees it: which arguments end at once, which open a
// window, and how a running saver or settings dialog blocks every new start.

#include <gtest/gtest.h>

#include <algorithm>

#include "harness.h"

namespace e2e {
namespace {

bool Saw(const SaverProcess& process, const wchar_t* title) {
    const auto& seen = process.SeenWindowTitles();
    return std::find(seen.begin(), seen.end(), title) != seen.end();
}

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

TEST(Startup, AnOpenSaverOrSettingsDialogBlocksEveryStart) {
    ProgramCopy program;
    TitledWindow pane(L"Host pane");
    const std::string paneHandle = std::to_string(reinterpret_cast<uintptr_t>(pane.Get()));
    for (const wchar_t* title : {L"Zoomorb_Main", L"Zoomorb Saver"}) {
        TitledWindow blocker(title);
        for (const std::string arguments : {std::string("/s"), std::string(""), std::string("/c"),
                                            std::string("/p ") + paneHandle, std::string("/a 1234")}) {
            SCOPED_TRACE(arguments);
            SaverProcess process(program, arguments);
            const auto code = process.WatchUntilExit(kEndsAtOnce);
            ASSERT_TRUE(code.has_value()) << "still running";
            EXPECT_TRUE(process.SeenWindowTitles().empty());
        }
    }
}

TEST(Startup, APreviewWindowBlocksNothing) {
    ProgramCopy program;
    TitledWindow preview(L"Preview Window");
    {
        SaverProcess process(program, "/c");
        EXPECT_NE(process.WaitForWindow(L"Zoomorb Saver"), nullptr);
    }
    {
        SaverProcess process(program, "/s");
        EXPECT_NE(process.WaitForWindow(L"Zoomorb_Main"), nullptr);
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
