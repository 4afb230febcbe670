// How a running saver ends: Escape (after the password on the 9x family),
// a close request from outside, a session end or a run-time error, and never
// the mouse nor an Escape from before it started; and what the system is
// told about a running screen saver along the way.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "application_beneath.h"
#include "dialog_helpers.h"
#include "fault_message.h"
#include "harness.h"

namespace e2e {
namespace {

constexpr UINT kGetScreenSaverRunning = 0x72;  // SPI_GETSCREENSAVERRUNNING
constexpr UINT kSetScreenSaverRunning = 97;    // SPI_SETSCREENSAVERRUNNING
constexpr UINT kGetScreenSaveActive = 16;      // SPI_GETSCREENSAVEACTIVE
constexpr UINT kSetScreenSaveActive = 17;      // SPI_SETSCREENSAVEACTIVE
constexpr auto kEndsAfterEscape = 3s;          // a second, with room for a loaded machine

// Screen saving switched off and no saver running, so that the saver's own
// settings show afterwards.
void ResetScreenSaverState() {
    SystemParametersInfoW(kSetScreenSaveActive, FALSE, nullptr, 0);
    SystemParametersInfoW(kSetScreenSaverRunning, FALSE, nullptr, 0);
}

void ExpectScreenSaverStateRestored() {
    EXPECT_EQ(ReadSystemParameterFreshly(kGetScreenSaverRunning), 0u) << "the system still thinks a saver runs";
    EXPECT_EQ(ReadSystemParameterFreshly(kGetScreenSaveActive), 1u) << "screen saving was not switched back on";
}

bool ClickReaches(ApplicationBeneath& application) {
    application.TakeReceived();
    ClickAt(POINT{20, 20});
    return application.WaitUntil([](const Received& r) { return r.clicks == 1; }, 2s);
}

// Every way a running saver ends returns its exit code, with the input
// given back and the system told that no saver runs. A run-time error (the
// tests' build raises one on a message) says so only once the saver has
// stopped, given the input back and put the system right: one message.
TEST(SaverEnding, EveryEndingReturnsItsCodeWithTheSystemPutRight) {
    const struct {
        const char* ending;
        std::function<void(HWND saver)> end;
        bool failing;
        DWORD exitCode;
    } cases[] = {
        {"Escape", [](HWND) { PressEscape(); }, false, 0},
        {"a close request", [](HWND saver) { PostMessageW(saver, WM_CLOSE, 0, 0); }, false, 0},
        {"a session end",
         [](HWND saver) {
             DWORD_PTR ignored = 0;
             // One that was called off leaves it running.
             SendMessageTimeoutW(saver, WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
             PumpMessagesFor(300ms);
             EXPECT_TRUE(IsWindow(saver)) << "ended by a session end that did not happen";
             SendMessageTimeoutW(saver, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
         },
         false, 0},
        {"a run-time error", [](HWND saver) { PostMessageW(saver, test_doubles::kRaiseFaultMessage, 0, 0); }, true,
         test_doubles::kRaisedFaultNumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ending);
        ResetScreenSaverState();
        ForgetEscapePresses();
        ApplicationBeneath application;
        ProgramCopy program;
        if (c.failing) program.AddDouble(ZOOMORB_FAILING_SAVER, L"Zoomorb.scr");
        SaverProcess process(program, "/s");
        HWND saver = process.WaitForWindow(L"Zoomorb_Main");
        ASSERT_NE(saver, nullptr);
        EXPECT_EQ(ReadSystemParameterFreshly(kGetScreenSaverRunning), 1u);

        c.end(saver);
        if (c.failing) {
            HWND box = WaitForMessageBox(process.Id(), kEndsAfterEscape);
            ASSERT_NE(box, nullptr) << "no message";
            EXPECT_EQ(MessageBoxText(box), L"Run-time error '6':\n\nOverflow");
            ExpectScreenSaverStateRestored();
            POINT before{};
            GetCursorPos(&before);
            PumpMessagesFor(300ms);
            POINT after{};
            GetCursorPos(&after);
            EXPECT_TRUE(before.x == after.x && before.y == after.y) << "the cursor still circles";
            EXPECT_TRUE(ClickReaches(application)) << "the input is still kept from other programs";
            EXPECT_EQ(CountVisibleWindowsOf(process.Id()), 1) << "more than the message is left";
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        const auto code = process.WaitForExit(kEndsAfterEscape);
        ASSERT_TRUE(code.has_value()) << "still running";
        EXPECT_EQ(*code, c.exitCode);
        ExpectScreenSaverStateRestored();
        EXPECT_TRUE(ClickReaches(application)) << "after the saver";
    }
}

// The key state remembers a press until someone asks: an Escape that closed
// a dialog somewhere before the saver started, and that no program read,
// is no reason to end it. One pressed while it runs is.
TEST(SaverEnding, AnEscapePressedBeforeTheStartDoesNotEndIt) {
    ForgetEscapePresses();
    PressEscape();
    PumpMessagesFor(5s);
    ProgramCopy program;
    SaverProcess process(program, "/s");
    ASSERT_NE(process.WaitForWindow(L"Zoomorb_Main"), nullptr);
    EXPECT_FALSE(process.WaitForExit(10s).has_value()) << "the Escape from before the start ended it";

    const auto pressed = std::chrono::steady_clock::now();
    PressEscape();
    ASSERT_TRUE(process.WaitForExit(kEndsAfterEscape).has_value()) << "still running after Escape";
    EXPECT_LE(std::chrono::steady_clock::now() - pressed, 1s);
}

TEST(SaverEnding, WithoutAnArgumentTheSystemIsNeverToldASaverRuns) {
    ResetScreenSaverState();
    ForgetEscapePresses();
    ProgramCopy program;
    SaverProcess process(program, "");
    ASSERT_NE(process.WaitForWindow(L"Zoomorb_Main"), nullptr);
    EXPECT_EQ(ReadSystemParameterFreshly(kGetScreenSaverRunning), 0u);

    PressEscape();
    ASSERT_TRUE(process.WaitForExit(kEndsAfterEscape).has_value()) << "still running after Escape";
    ExpectScreenSaverStateRestored();
}

int GlassesOnTheScreen() {
    int glasses = 0;
    FindWindowWhere([&](HWND window) {
        glasses += IsWindowVisible(window) && TitleOf(window) == L"Zoomorb_Main";
        return false;
    });
    return glasses;
}

// The title check cannot see a window that is still being created: savers
// started at the same instant must still leave one glass, which one Escape
// ends, with the system told afterwards that no saver runs.
TEST(SaverEnding, TwoSaversStartedTogetherLeaveOneGlassThatOneEscapeEnds) {
    ProgramCopy program;
    for (int attempt = 1; attempt <= 3; ++attempt) {
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        ResetScreenSaverState();
        ForgetEscapePresses();
        SaverProcess first(program, "/s");
        SaverProcess second(program, "/s");
        const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
        while (GlassesOnTheScreen() == 0 && std::chrono::steady_clock::now() < deadline) PumpMessagesFor(20ms);
        PumpMessagesFor(1s);
        EXPECT_EQ(GlassesOnTheScreen(), 1);
        EXPECT_EQ(first.IsRunning() + second.IsRunning(), 1) << "both still run, or neither";

        PressEscape();
        EXPECT_TRUE(first.WaitForExit(kEndsAfterEscape).has_value() && second.WaitForExit(kEndsAfterEscape).has_value())
            << "one Escape left a saver running";
        ExpectScreenSaverStateRestored();
    }
}

// At a low magnification every redraw copies a large part of the screen,
// which may take longer than the redraw's interval: Escape must still end
// the saver within a second.
TEST(SaverEnding, EscapeEndsItWithinASecondAtAnyMagnification) {
    for (const char* percent : {"5", "10", "20", "500"}) {
        SCOPED_TRACE(std::string(percent) + " %");
        ProgramCopy program;
        program.WriteFile(L"Zoomorb.ini", std::string("[Section]\r\n\x94\x7B\x97\xA6=") + percent + "\r\n");
        ForgetEscapePresses();
        SaverProcess process(program, "/s");
        ASSERT_NE(process.WaitForWindow(L"Zoomorb_Main"), nullptr);
        PumpMessagesFor(1s);
        const auto pressed = std::chrono::steady_clock::now();
        PressEscape();
        const bool ended = process.WaitForExit(kEndsAfterEscape).has_value();
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - pressed);
        EXPECT_TRUE(ended && took <= 1s) << (ended ? "ended " + std::to_string(took.count()) + " ms after Escape"
                                                   : std::string("still running after Escape"));
    }
}

bool BelongsTo(HWND window, DWORD processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == processId;
}

TEST(SaverEnding, MouseMovesAndClicksNeitherEndItNorActivateIt) {
    ForgetEscapePresses();
    ProgramCopy program;
    SaverProcess process(program, "/s");
    HWND saver = process.WaitForWindow(L"Zoomorb_Main");
    ASSERT_NE(saver, nullptr);
    TitledWindow other(L"Another program");
    SetForegroundWindow(other.Get());
    PumpMessagesFor(100ms);

    for (int i = 0; i < 20; ++i) {
        SetCursorPos(100 + 30 * i, 600 - 20 * i);
        mouse_event(MOUSEEVENTF_MOVE, 25, -15, 0, 0);
        PumpMessagesFor(25ms);
    }
    // On the lens, on the rim and on the handle.
    int clicksOnTheGlass = 0;
    for (const POINT offset : {POINT{118, 80}, POINT{60, 40}, POINT{117, 175}}) {
        const RECT glass = WindowRectOf(saver);
        const POINT at{glass.left + offset.x, glass.top + offset.y};
        clicksOnTheGlass += BelongsTo(WindowFromPoint(at), process.Id());
        ClickAt(at);
        PumpMessagesFor(200ms);
    }
    EXPECT_EQ(clicksOnTheGlass, 3) << "some clicks missed the glass";
    PumpMessagesFor(500ms);
    EXPECT_TRUE(process.IsRunning());
    EXPECT_NE(GetForegroundWindow(), saver);

    PressEscape();
    EXPECT_TRUE(process.WaitForExit(kEndsAfterEscape).has_value()) << "Escape no longer ends it after the clicks";
}

// Every line of the password double's log: "<owner window> <1 if a window>".
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

TEST(SaverEnding, OnThe9xFamilyEscapeEndsItOnlyOnceThePasswordIsAccepted) {
    ResetScreenSaverState();
    ProgramCopy program;
    program.AddDouble(ZOOMORB_PASSWORD_CPL, L"password.cpl");
    program.WriteFile(L"password_answer.txt", "reject");
    WineAppDefaults wine({/*windows98=*/true, /*nativeMpr=*/false});
    ForgetEscapePresses();
    SaverProcess process(program, "/s");
    HWND saver = process.WaitForWindow(L"Zoomorb_Main");
    ASSERT_NE(saver, nullptr);

    PressEscape();
    const auto deadline = std::chrono::steady_clock::now() + kEndsAfterEscape;
    while (!program.ReadFile(L"password_calls.txt") && std::chrono::steady_clock::now() < deadline)
        PumpMessagesFor(50ms);
    PumpMessagesFor(1s);
    ASSERT_TRUE(process.IsRunning()) << "a rejected password ended the saver";
    const auto calls = LinesOf(program.ReadFile(L"password_calls.txt").value_or(""));
    ASSERT_FALSE(calls.empty()) << "the password was never asked for";
    const std::string ownedBySaver = std::to_string(reinterpret_cast<uintptr_t>(saver)) + " 1";
    for (const std::string& call : calls) EXPECT_EQ(call, ownedBySaver);
    // It goes on as before: the glass still moves.
    const RECT before = WindowRectOf(saver);
    PumpMessagesFor(500ms);
    const RECT after = WindowRectOf(saver);
    EXPECT_FALSE(EqualRect(&before, &after));

    program.WriteFile(L"password_answer.txt", "accept");
    PressEscape();
    ASSERT_TRUE(process.WaitForExit(kEndsAfterEscape).has_value()) << "an accepted password did not end it";
    ExpectScreenSaverStateRestored();
}

// The keys typed while the password dialog is open reach it, Escape among
// them; the saver sees that Escape too, and must not start a second check.
// The cursor keeps still for the user's mouse.
TEST(SaverEnding, OnThe9xFamilyThePasswordDialogGetsTheKeysAndASecondEscapeNoSecondCheck) {
    ResetScreenSaverState();
    ProgramCopy program;
    program.AddDouble(ZOOMORB_PASSWORD_CPL, L"password.cpl");
    program.WriteFile(L"password_answer.txt", "ask");
    WineAppDefaults wine({/*windows98=*/true, /*nativeMpr=*/false});
    ForgetEscapePresses();
    SaverProcess process(program, "/s");
    ASSERT_NE(process.WaitForWindow(L"Zoomorb_Main"), nullptr);

    PressEscape();
    ASSERT_NE(process.WaitForWindow(L"Password double"), nullptr) << "the password was never asked for";
    // The mouse is the user's while the dialog is open: the cursor stays put.
    SetCursorPos(300, 200);
    PumpMessagesFor(300ms);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_TRUE(cursor.x == 300 && cursor.y == 200) << "the saver moved the cursor under the password dialog";
    PressEscape();
    PumpMessagesFor(500ms);
    for (const BYTE key : {BYTE{'O'}, BYTE{'K'}, BYTE{VK_RETURN}}) {
        keybd_event(key, 0, 0, 0);
        keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    }
    // Wine without a window manager takes two seconds to destroy a window in
    // the foreground: the dialog's, and then the saver's, which its owner got.
    ASSERT_TRUE(process.WaitForExit(kEndsAtOnce).has_value()) << "the password typed did not reach the dialog";
    EXPECT_EQ(LinesOf(program.ReadFile(L"password_calls.txt").value_or("")).size(), 1u)
        << "the second Escape started a second check";
    ExpectScreenSaverStateRestored();
}

// Where the saver asks for no password on the 9x family, Escape ends it at
// once: without a password library, and without /s even with one.
TEST(SaverEnding, OnThe9xFamilyEscapeEndsItAtOnceWhereNoPasswordIsAsked) {
    const struct {
        const char* arguments;
        bool passwordLibrary;
    } cases[] = {{"/s", false}, {"", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("arguments \"") + c.arguments + (c.passwordLibrary ? "\" with" : "\" without") +
                     " a password library");
        ResetScreenSaverState();
        ProgramCopy program;
        if (c.passwordLibrary) {
            program.AddDouble(ZOOMORB_PASSWORD_CPL, L"password.cpl");
            program.WriteFile(L"password_answer.txt", "reject");
        }
        WineAppDefaults wine({/*windows98=*/true, /*nativeMpr=*/false});
        ForgetEscapePresses();
        SaverProcess process(program, c.arguments);
        ASSERT_NE(process.WaitForWindow(L"Zoomorb_Main"), nullptr);

        PressEscape();
        ASSERT_TRUE(process.WaitForExit(kEndsAfterEscape).has_value()) << "the user is trapped in the saver";
        EXPECT_FALSE(program.ReadFile(L"password_calls.txt").has_value()) << "a password was asked for";
        ExpectScreenSaverStateRestored();
    }
}

}  // namespace
}  // namespace e2e
