// The saver on several monitors. scripts/test runs these under an X server
// that shows Wine two monitors, laid out side by side, left of the primary
// and offset; on one monitor they are skipped. The glass and the cursor
// wander over every monitor, the glass never rests where no monitor shows
// it, the lens shows the desktop wherever the glass is, and a monitor
// unplugged or a mode changed while the saver runs leaves both on a monitor
// that exists.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "desktop_pattern.h"
#include "harness.h"
#include "saver/core/glass_geometry.h"

namespace e2e {
namespace {

namespace glass = zoomorb::glass;

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
    reinterpret_cast<std::vector<RECT>*>(list)->push_back(*area);
    return TRUE;
}

// The monitors as the system reports them, the primary first.
std::vector<RECT> CurrentMonitors() {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    std::stable_partition(monitors.begin(), monitors.end(),
                          [](const RECT& m) { return m.left == 0 && m.top == 0; });
    return monitors;
}

// Which monitor shows the point, or -1 for none.
int MonitorIndexAt(const std::vector<RECT>& monitors, POINT point) {
    for (size_t i = 0; i < monitors.size(); ++i)
        if (PtInRect(&monitors[i], point)) return static_cast<int>(i);
    return -1;
}

// Where the glass is: the middle of its circle (these tests run at 96 DPI).
POINT GlassCentre(HWND saver) {
    const RECT window = WindowRectOf(saver);
    const glass::Layout layout = glass::LayoutAtDpi(96);
    return POINT{window.left + static_cast<LONG>(glass::CircleMiddleX(layout)),
                 window.top + static_cast<LONG>(glass::CircleMiddleY(layout))};
}

// Runs xrandr on the X server Wine shows, without waiting: Wine gives no
// handle for a Unix program. The caller waits for the effect instead.
void Xrandr(const std::wstring& arguments) {
    std::wstring commandLine = L"Z:\\usr\\bin\\xrandr " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &info));
    if (info.hProcess) CloseHandle(info.hProcess);
    if (info.hThread) CloseHandle(info.hThread);
}

// Waits until the system reports what `holds` looks for.
bool WaitUntil(const std::function<bool()>& holds, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!holds()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        PumpMessagesFor(20ms);
    }
    return true;
}

// Whether the middle of the lens is black: 8 x 8 pixels, all of them.
bool LensMiddleIsBlack(HWND lens) {
    const RECT area = WindowRectOf(lens);
    const POINT middle{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    const ScreenImage image(RECT{middle.x - 4, middle.y - 4, middle.x + 4, middle.y + 4});
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Red(x, y) > 16 || image.Green(x, y) > 16 || image.Blue(x, y) > 16) return false;
    return true;
}

TEST(Monitors, TheGlassAndTheCursorWanderOverEveryMonitorAndTheLensShowsTheDesktopOnEach) {
    const std::vector<RECT> monitors = CurrentMonitors();
    if (monitors.size() < 2) GTEST_SKIP() << "needs two monitors";
    // Where the monitors meet along less than the smaller one's side, the
    // glass finds the way across less often: it crosses only where its
    // centre's row lies on both. With its random speeds it needs more than
    // 120 s in about 3 runs of 100 on the offset layout, more than 240 s in
    // 7 of 10,000 and more than 300 s in 1 of 10,000 (the window steps of
    // 20,000 runs of the motion, as the native tests drive it).
    const RECT& a = monitors[0];
    const RECT& b = monitors[1];
    const bool sideBySide = a.right == b.left || b.right == a.left;
    const LONG shared = sideBySide ? std::min(a.bottom, b.bottom) - std::max(a.top, b.top)
                                   : std::min(a.right, b.right) - std::max(a.left, b.left);
    const LONG smaller = sideBySide ? std::min(a.bottom - a.top, b.bottom - b.top)
                                    : std::min(a.right - a.left, b.right - b.left);
    const auto timeout = shared < smaller ? 300s : 75s;

    DesktopPattern desktop(DesktopFill::White);
    ProgramCopy program;
    RunningSaver running(program);
    ASSERT_NE(running.lens, nullptr) << "no glass with a lens";

    std::set<int> glassVisits, cursorVisits;
    int samples = 0, glassNowhere = 0, lensChecks = 0, lensBlack = 0;
    std::ostringstream nowhere;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline && running.process.IsRunning() &&
           (glassVisits.size() < monitors.size() || cursorVisits.size() < monitors.size() || lensChecks < 10)) {
        const POINT glassCentre = GlassCentre(running.glass);
        POINT cursor{};
        GetCursorPos(&cursor);
        const int glassOn = MonitorIndexAt(monitors, glassCentre);
        ++samples;
        if (glassOn < 0 && ++glassNowhere <= 3) nowhere << " (" << glassCentre.x << "," << glassCentre.y << ")";
        if (glassOn >= 0) glassVisits.insert(glassOn);
        const int cursorOn = MonitorIndexAt(monitors, cursor);
        if (cursorOn >= 0) cursorVisits.insert(cursorOn);
        // The lens is black where the cursor's surroundings lie on no
        // monitor (a corner of the X screen no monitor shows); between its
        // last redraw and this look the cursor moves a few steps.
        const auto shown = [&](LONG dx, LONG dy) {
            return MonitorIndexAt(monitors, POINT{cursor.x + dx, cursor.y + dy}) >= 0;
        };
        if (glassOn > 0 && shown(-48, -48) && shown(48, -48) && shown(-48, 48) && shown(48, 48)) {
            ++lensChecks;
            lensBlack += LensMiddleIsBlack(running.lens);
        }
        PumpMessagesFor(100ms);
    }
    EXPECT_EQ(glassNowhere, 0) << "of " << samples << " samples the glass's centre lay on no monitor at"
                               << nowhere.str();
    EXPECT_EQ(glassVisits.size(), monitors.size()) << "the glass visited " << glassVisits.size();
    EXPECT_EQ(cursorVisits.size(), monitors.size()) << "the cursor visited " << cursorVisits.size();
    EXPECT_GT(lensChecks, 0);
    EXPECT_EQ(lensBlack, 0) << "of " << lensChecks << " looks at the lens on the second monitor";
    EXPECT_TRUE(running.process.IsRunning());
    PressEscape();
    EXPECT_TRUE(running.process.WaitForExit(kEndsAtOnce).has_value());
}

TEST(Monitors, AMonitorUnpluggedOrTheModeChangedWhileItRunsLeavesItOnAMonitorThatExists) {
    const std::vector<RECT> monitors = CurrentMonitors();
    if (monitors.size() != 2 || monitors[1].left != monitors[0].right || monitors[1].top != monitors[0].top)
        GTEST_SKIP() << "needs a second monitor right of the primary";
    DesktopPattern desktop(DesktopFill::White);
    ForgetEscapePresses();
    ProgramCopy program;
    SaverProcess process(program, "/s");
    HWND saver = process.WaitForWindow(L"Zoomorb_Main");
    ASSERT_NE(saver, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return MonitorIndexAt(monitors, GlassCentre(saver)) == 1; }, 75s))
        << "the glass never came onto the second monitor";

    // Unplugged: the glass and the cursor come back onto the primary.
    Xrandr(L"--output DUMMY1 --off");
    ASSERT_TRUE(WaitUntil([] { return GetSystemMetrics(SM_CMONITORS) == 1; }, 10s)) << "xrandr did not unplug it";
    const std::vector<RECT> primaryOnly{monitors[0]};
    const auto onPrimary = [&] {
        POINT cursor{};
        GetCursorPos(&cursor);
        return MonitorIndexAt(primaryOnly, GlassCentre(saver)) == 0 && MonitorIndexAt(primaryOnly, cursor) == 0;
    };
    EXPECT_TRUE(WaitUntil(onPrimary, 1s)) << "the glass at " << GlassCentre(saver).x << "," << GlassCentre(saver).y;

    // The primary's mode shrinks under it: the glass comes within it.
    Xrandr(L"--addmode DUMMY0 800x600");
    Xrandr(L"--output DUMMY0 --mode 800x600");
    ASSERT_TRUE(WaitUntil([] { return GetSystemMetrics(SM_CXSCREEN) == 800; }, 10s)) << "xrandr did not change it";
    const std::vector<RECT> smaller{RECT{0, 0, 800, 600}};
    EXPECT_TRUE(WaitUntil([&] { return MonitorIndexAt(smaller, GlassCentre(saver)) == 0; }, 1s))
        << "the glass at " << GlassCentre(saver).x << "," << GlassCentre(saver).y;

    EXPECT_TRUE(process.IsRunning());
    const auto pressed = std::chrono::steady_clock::now();
    PressEscape();
    EXPECT_TRUE(process.WaitForExit(1s).has_value())
        << "still running " << std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - pressed).count() << " ms after Escape";

    // As it was, for whatever runs next on this server.
    Xrandr(L"--output DUMMY0 --mode 1024x768 --primary --output DUMMY1 --mode 1280x1024 --pos 1024x0");
    EXPECT_TRUE(WaitUntil([] { return GetSystemMetrics(SM_CMONITORS) == 2; }, 10s));
}

}  // namespace
}  // namespace e2e
