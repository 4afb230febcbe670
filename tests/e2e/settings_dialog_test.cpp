// The settings dialog seen from outside: where it opens, what its scroll bar
// shows and does, what OK, Enter, Escape and closing leave in the settings
// file, and its size and words at higher DPIs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "dialog_helpers.h"
#include "harness.h"
#include "settings_files.h"

namespace e2e {
namespace {

constexpr wchar_t kDialogTitle[] = L"Zoomorb Saver";
// "倍率" in code page 932.
const std::string kKey = "\x94\x7B\x97\xA6";

std::string SettingsWith(const std::string& value) { return "[Section]\r\n" + kKey + "=" + value + "\r\n"; }

void ClickAt(POINT at) {
    SetCursorPos(at.x, at.y);
    PumpMessagesFor(50ms);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    PumpMessagesFor(50ms);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    PumpMessagesFor(200ms);
}

void ExpectCentred(HWND window, SIZE expected) {
    RECT outer{};
    GetWindowRect(window, &outer);
    const SIZE size = SizeOf(outer);
    EXPECT_EQ(size.cx, expected.cx);
    EXPECT_EQ(size.cy, expected.cy);
    EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2, 1);
    EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2, 1);
}

TEST(SettingsDialog, EverySpellingOpensOneCentredDialog) {
    ProgramCopy program;
    for (const char* arguments : {"/c", "/C", "/c:5678"}) {
        SCOPED_TRACE(arguments);
        SaverProcess process(program, arguments);
        const OpenDialog dialog = FindDialog(process);
        ASSERT_NE(dialog.window, nullptr);
        ExpectCentred(dialog.window, SIZE{386, 235});
        EXPECT_EQ(CountVisibleWindowsOf(process.Id()), 1);
        PostMessageW(dialog.window, WM_CLOSE, 0, 0);
        const auto code = process.WaitForExit(kEndsAtOnce);
        ASSERT_TRUE(code.has_value()) << "still running after the close";
        EXPECT_EQ(*code, 0u);
    }
}

TEST(SettingsDialog, TheScrollBarStandsAtTheStoredValueAndArrowsStepByTen) {
    ProgramCopy program;
    program.WriteFile(L"Zoomorb.ini", SettingsWith("150"));
    SaverProcess process(program, "/c");
    const OpenDialog dialog = FindDialog(process);
    ASSERT_NE(dialog.scrollBar, nullptr);
    EXPECT_EQ(ScrollPosition(dialog.scrollBar), 150);
    StepRight(dialog.scrollBar);
    EXPECT_EQ(ScrollPosition(dialog.scrollBar), 160);

    // A real click on the right arrow, through the bar itself.
    RECT bar{};
    GetWindowRect(dialog.scrollBar, &bar);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    ClickAt(POINT{bar.right - arrow / 2 - 1, (bar.top + bar.bottom) / 2});
    EXPECT_EQ(ScrollPosition(dialog.scrollBar), 170);
}

// The file may come in the system's code page (the key in code page 932),
// in UTF-16 or in UTF-8: the dialog reads it, and OK changes the value's
// line alone, in the file's encoding.
TEST(SettingsDialog, OkWritesTheValueInTheFilesEncodingAndEnds) {
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"code page", "[Other]\r\nkeep=1\r\n" + SettingsWith("350"), "[Other]\r\nkeep=1\r\n" + SettingsWith(" 360")},
        {"UTF-16", Utf16File(L"[Other]\r\nkeep=1\r\n[Section]\r\n倍率=350\r\n"),
         Utf16File(L"[Other]\r\nkeep=1\r\n[Section]\r\n倍率= 360\r\n")},
        {"UTF-8", Utf8File(L"[Section]\r\n倍率=350\r\n[Other]\r\nkeep=1\r\n"),
         Utf8File(L"[Section]\r\n倍率= 360\r\n[Other]\r\nkeep=1\r\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramCopy program;
        program.WriteFile(L"Zoomorb.ini", c.before);
        SaverProcess process(program, "/c");
        const OpenDialog dialog = FindDialog(process);
        ASSERT_NE(dialog.okButton, nullptr);
        EXPECT_EQ(ScrollPosition(dialog.scrollBar), 350);
        StepRight(dialog.scrollBar);
        PostMessageW(dialog.okButton, BM_CLICK, 0, 0);
        const auto code = process.WaitForExit(kEndsAtOnce);
        ASSERT_TRUE(code.has_value()) << "still running after OK";
        EXPECT_EQ(*code, 0u);
        EXPECT_EQ(program.ReadFile(L"Zoomorb.ini").value_or("(no file)"), c.after);
    }
}

TEST(SettingsDialog, OkWithoutAFileWritesTheDefault) {
    ProgramCopy program;
    SaverProcess process(program, "/c");
    const OpenDialog dialog = FindDialog(process);
    ASSERT_NE(dialog.okButton, nullptr);
    EXPECT_EQ(ScrollPosition(dialog.scrollBar), 200);
    PostMessageW(dialog.okButton, BM_CLICK, 0, 0);
    ASSERT_TRUE(process.WaitForExit(kEndsAtOnce).has_value());
    EXPECT_EQ(program.ReadFile(L"Zoomorb.ini").value_or("(no file)"), SettingsWith(" 200"));
}

TEST(SettingsDialog, EnterSavesAndEscapeClosesWithoutSaving) {
    const struct {
        const char* name;
        WORD key;
        std::string settingsAfter;
    } cases[] = {{"Enter", VK_RETURN, SettingsWith(" 160")}, {"Escape", VK_ESCAPE, SettingsWith("150")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramCopy program;
        program.WriteFile(L"Zoomorb.ini", SettingsWith("150"));
        SaverProcess process(program, "/c");
        const OpenDialog dialog = FindDialog(process);
        ASSERT_NE(dialog.scrollBar, nullptr);
        StepRight(dialog.scrollBar);
        // As from the keyboard, to the dialog that has the focus.
        keybd_event(static_cast<BYTE>(c.key), 0, 0, 0);
        keybd_event(static_cast<BYTE>(c.key), 0, KEYEVENTF_KEYUP, 0);
        const auto code = process.WaitForExit(kEndsAtOnce);
        ASSERT_TRUE(code.has_value()) << "still running after " << c.name;
        EXPECT_EQ(*code, 0u);
        EXPECT_EQ(program.ReadFile(L"Zoomorb.ini").value_or("(no file)"), c.settingsAfter);
    }
    ForgetEscapePresses();
}

// From the moment it opens, the keyboard reaches the scroll bar: arrows,
// pages and ends move it; Tab and Shift+Tab go between it and OK; Alt with
// its label's access key brings the focus back to it; Enter saves. The same
// keys work in either language: scripts/test runs this again in Japanese,
// and names the language the dialog, a child of this process, must be in.
TEST(SettingsDialog, TheKeyboardWorksItFromTheStart) {
    if (const char* expected = std::getenv("ZOOMORB_EXPECTED_UI_LANGUAGE"))
        ASSERT_EQ(GetUserDefaultUILanguage(), std::strtoul(expected, nullptr, 10));
    const Keystroke tab{VK_TAB}, home{VK_HOME}, end{VK_END};
    const struct {
        const char* name;
        std::vector<Keystroke> keys;
        const char* saved;
    } cases[] = {
        {"Right", {{VK_RIGHT}}, " 210"},
        {"Page Up", {{VK_PRIOR}}, " 150"},
        {"Home", {home}, " 10"},
        {"End", {end}, " 500"},
        {"Tab, Home", {tab, home}, " 200"},
        {"Tab, Shift+Tab, End", {tab, {VK_TAB, VK_SHIFT}, end}, " 500"},
        {"Tab, Alt+M, Home", {tab, {'M', VK_MENU}, home}, " 10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramCopy program;
        SaverProcess process(program, "/c");
        const OpenDialog dialog = FindDialog(process);
        ASSERT_NE(dialog.scrollBar, nullptr);
        ASSERT_TRUE(WaitForFocus(dialog.scrollBar, kStartTimeout)) << "the scroll bar has not the focus at open";
        for (const Keystroke& key : c.keys) Press(key);
        Press({VK_RETURN});
        const auto code = process.WaitForExit(kEndsAtOnce);
        ASSERT_TRUE(code.has_value()) << "still running after Enter";
        EXPECT_EQ(program.ReadFile(L"Zoomorb.ini").value_or("(no file)"), SettingsWith(c.saved));
    }
}

TEST(SettingsDialog, ClosingWithoutOkLeavesTheFileAsItWas) {
    ProgramCopy program;
    const std::string original = "; ours\r\n[Section]\r\n" + kKey + "=150\r\nother = x\r\n";
    program.WriteFile(L"Zoomorb.ini", original);
    SaverProcess process(program, "/c");
    const OpenDialog dialog = FindDialog(process);
    ASSERT_NE(dialog.window, nullptr);
    StepRight(dialog.scrollBar);
    PostMessageW(dialog.window, WM_CLOSE, 0, 0);
    const auto code = process.WaitForExit(kEndsAtOnce);
    ASSERT_TRUE(code.has_value()) << "still running after the close";
    EXPECT_EQ(*code, 0u);
    EXPECT_EQ(program.ReadFile(L"Zoomorb.ini").value_or("(no file)"), original);
}

TEST(SettingsDialog, ASecondStartWhileItIsOpenEndsAtOnce) {
    ProgramCopy program;
    SaverProcess first(program, "/c");
    ASSERT_NE(first.WaitForWindow(kDialogTitle), nullptr);
    SaverProcess second(program, "/c");
    const auto code = second.WatchUntilExit(kEndsAtOnce);
    ASSERT_TRUE(code.has_value()) << "the second dialog stayed";
    EXPECT_TRUE(second.SeenWindowTitles().empty());
    EXPECT_TRUE(first.IsRunning());
}

TEST(SettingsDialog, ItsClientAreaHoldsTheWholePictureAtEveryDpiAndItLiesOnTheScreen) {
    // The picture box's 378 x 208 design pixels and the scroll bar grow with
    // the DPI; the frame around them is as large as the system draws it. It
    // lies on the work area, moved there where centring would take it past
    // an edge; at 288 DPI it is wider than a 1024-pixel screen (the system
    // keeps a window no larger than the screen and its frame), and starts at
    // its left edge.
    const struct {
        DWORD dotsPerInch;
        SIZE picture;
        SIZE scrollBar;
    } cases[] = {{96, {378, 208}, {113, 17}}, {144, {567, 312}, {170, 26}}, {288, {1134, 624}, {339, 51}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dotsPerInch);
        ProgramCopy program;
        ScopedLogPixels dpi(c.dotsPerInch);
        SaverProcess process(program, "/c");
        const OpenDialog dialog = FindDialog(process);
        ASSERT_NE(dialog.window, nullptr);
        RECT client{}, picture{}, bar{};
        GetClientRect(dialog.window, &client);
        GetWindowRect(FindDescendantOfClass(dialog.window, L"ZoomorbPictureBox"), &picture);
        GetWindowRect(dialog.scrollBar, &bar);
        EXPECT_EQ(SizeOf(picture).cx, c.picture.cx);
        EXPECT_EQ(SizeOf(picture).cy, c.picture.cy);
        if (c.picture.cx < GetSystemMetrics(SM_CXSCREEN)) EXPECT_EQ(SizeOf(client).cx, c.picture.cx);
        EXPECT_EQ(SizeOf(client).cy, c.picture.cy);
        EXPECT_EQ(SizeOf(bar).cx, c.scrollBar.cx);
        EXPECT_EQ(SizeOf(bar).cy, c.scrollBar.cy);
        RECT work{}, outer{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(dialog.window, &outer);
        EXPECT_EQ(outer.left < work.left || outer.top < work.top, false) << "it starts off the screen";
        if (SizeOf(outer).cx <= SizeOf(work).cx) EXPECT_LE(outer.right, work.right) << "it reaches past the right";
        if (SizeOf(outer).cy <= SizeOf(work).cy) EXPECT_LE(outer.bottom, work.bottom) << "it reaches past the bottom";
        PostMessageW(dialog.window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(process.WaitForExit(kEndsAtOnce).has_value());
    }
}

// The dialog's labels are drawn by the dialog itself, so only the dialog's
// own process can measure them: its in-process layout check runs again at
// the higher DPIs, where each language's words must still fit.
TEST(SettingsDialog, ItsWordsFitInEitherLanguageAtHigherDpi) {
    for (const DWORD dotsPerInch : {144u, 192u}) {
        SCOPED_TRACE(dotsPerInch);
        ScopedLogPixels dpi(dotsPerInch);
        SaverProcess check(Widen(ZOOMORB_WIN_TESTS), "--gtest_filter=SettingsDialogTest.NothingOverlaps*");
        EXPECT_EQ(check.WaitForExit(60s).value_or(STILL_ACTIVE), 0u);
    }
}

}  // namespace
}  // namespace e2e
