#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "saver/core/cursor_step.h"
#include "saver/core/desktop.h"
#include "saver/core/saver_state.h"
#include "saver/core/window_step.h"

namespace zoomorb::saver {
namespace {

using forms::PixelRect;

bool OnAMonitor(const Desktop& desktop, double x, double y) {
    for (const Monitor& monitor : desktop.Monitors()) {
        const PixelRect& a = monitor.area;
        if (x >= a.left && x < a.right && y >= a.top && y < a.bottom) return true;
    }
    return false;
}

size_t MonitorIndex(const Desktop& desktop, double x, double y) {
    return static_cast<size_t>(&desktop.MonitorAt(x, y) - desktop.Monitors().data());
}

// Both motions, as the saver runs them, over a layout for a long while: the
// glass's and the circle's centres are always on a monitor, both visit every
// monitor, and the glass is always drawn for the DPI of the monitor it is on.
TEST(SaverMonitors, TheGlassAndTheCircleWanderOverEveryMonitorAndBounceOnlyOffItsOuterEdges) {
    const struct Layout {
        const char* what;
        std::vector<Monitor> monitors;
    } layouts[] = {
        {"one monitor", {{{0, 0, 1024, 768}, 96}}},
        {"side by side", {{{0, 0, 1024, 768}, 96}, {{1024, 0, 2304, 1024}, 96}}},
        {"stacked", {{{0, 0, 1024, 768}, 96}, {{0, 768, 1280, 1792}, 96}}},
        {"offset, with dead corners", {{{0, 0, 1024, 768}, 96}, {{1024, 256, 2304, 1280}, 96}}},
        {"left of and above the primary", {{{0, 0, 1024, 768}, 96}, {{-1280, -256, 0, 768}, 96}}},
        {"L-shaped, three sizes",
         {{{0, 0, 1920, 1080}, 96}, {{1920, 0, 3200, 1024}, 96}, {{0, 1080, 1280, 2104}, 96}}},
        {"different DPI", {{{0, 0, 1024, 768}, 96}, {{1024, 0, 3584, 1440}, 192}}},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.what);
        const Desktop desktop(layout.monitors);
        int32_t dpi = desktop.Primary().dotsPerInch;
        forms::Random random;
        SaverState state = SetUpSaverState(desktop.MetricsAt(dpi), 4380, 3120, random, 100.0);
        std::set<size_t> glassVisits, circleVisits;
        int glassOff = 0, circleOff = 0, wrongDpi = 0;
        ScreenMetrics metrics = desktop.MetricsAt(dpi);
        for (int tick = 0; tick < 12000; ++tick) {
            StepWindow(state.lens, metrics, random, tick * 0.1);
            if (FollowMonitorDpi(state.lens, dpi, desktop)) metrics = desktop.MetricsAt(dpi);
            const PixelPoint glass = GlassCentre(state.lens, dpi);
            glassOff += !OnAMonitor(desktop, glass.x, glass.y);
            wrongDpi += desktop.MonitorAt(glass.x, glass.y).dotsPerInch != dpi;
            glassVisits.insert(MonitorIndex(desktop, glass.x, glass.y));
            for (int cursorTick = 0; cursorTick < 10; ++cursorTick) {
                StepCursor(state.orbit, metrics);
                circleOff += !OnAMonitor(desktop, state.orbit.centreX, state.orbit.centreY);
                circleVisits.insert(MonitorIndex(desktop, state.orbit.centreX, state.orbit.centreY));
            }
        }
        EXPECT_EQ(glassOff, 0);
        EXPECT_EQ(circleOff, 0);
        EXPECT_EQ(wrongDpi, 0);
        EXPECT_EQ(glassVisits.size(), layout.monitors.size());
        EXPECT_EQ(circleVisits.size(), layout.monitors.size());
    }
}

// With one monitor the motions are exactly what they were when the saver
// knew only the screen: the same positions, step for step.
TEST(SaverMonitors, OneMonitorMovesExactlyAsTheScreenAlone) {
    for (const PixelRect screen : {PixelRect{0, 0, 1024, 768}, PixelRect{0, 0, 3840, 2160}}) {
        const Desktop desktop({{screen, 96}});
        const ScreenMetrics alone{screen.Width() * 15, screen.Height() * 15, 15.0f, 15.0f, 96, {}};
        forms::Random randomAlone, randomMonitors;
        SaverState a = SetUpSaverState(alone, 4380, 3120, randomAlone, 500.0);
        SaverState b = SetUpSaverState(desktop.MetricsAt(96), 4380, 3120, randomMonitors, 500.0);
        for (int tick = 0; tick < 20000; ++tick) {
            StepWindow(a.lens, alone, randomAlone, tick * 0.1);
            StepWindow(b.lens, desktop.MetricsAt(96), randomMonitors, tick * 0.1);
            ASSERT_EQ(a.lens.left, b.lens.left) << tick;
            ASSERT_EQ(a.lens.top, b.lens.top) << tick;
            const CursorPoint p = StepCursor(a.orbit, alone);
            const CursorPoint q = StepCursor(b.orbit, desktop.MetricsAt(96));
            ASSERT_EQ(p.x, q.x) << tick;
            ASSERT_EQ(p.y, q.y) << tick;
        }
    }
}

// A monitor goes, or the primary's mode shrinks: the glass and the circle
// are back on a monitor that exists within one step.
TEST(SaverMonitors, AfterTheLayoutChangesBothAreOnAMonitorWithinOneStep) {
    const Desktop before({{{0, 0, 1024, 768}, 96}, {{1024, 0, 2304, 1024}, 96}});
    const struct {
        const char* what;
        Desktop after;
    } changes[] = {
        {"the second monitor unplugged", Desktop({{{0, 0, 1024, 768}, 96}})},
        {"the primary smaller", Desktop({{{0, 0, 640, 480}, 96}})},
        {"the primary now on the other side", Desktop({{{0, 0, 1280, 1024}, 96}, {{-1024, 0, 0, 768}, 96}})},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        forms::Random random;
        // Both far out on the second monitor.
        LensMotion lens{1900 * 15, 700 * 15, 45, 45};
        OrbitMotion orbit;
        orbit.radius = 68;
        orbit.centreX = 2200;
        orbit.centreY = 900;
        int32_t dpi = 96;
        StepWindow(lens, change.after.MetricsAt(dpi), random, 1.0);
        FollowMonitorDpi(lens, dpi, change.after);
        const PixelPoint glass = GlassCentre(lens, dpi);
        EXPECT_TRUE(OnAMonitor(change.after, glass.x, glass.y)) << glass.x << "," << glass.y;
        StepCursor(orbit, change.after.MetricsAt(dpi));
        EXPECT_TRUE(OnAMonitor(change.after, orbit.centreX - orbit.radius, orbit.centreY - orbit.radius));
        EXPECT_TRUE(OnAMonitor(change.after, orbit.centreX + orbit.radius - 1, orbit.centreY + orbit.radius - 1));
    }
}

}  // namespace
}  // namespace zoomorb::saver
