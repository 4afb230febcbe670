#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

#include "saver/core/cursor_step.h"
#include "saver/core/desktop.h"
#include "saver/core/glass_geometry.h"
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

// Where monitors meet along part of an edge, a diagonal step past the
// inside corner leads onto no monitor: the glass and the circle turn off the
// edge there, instead of being put back onto a monitor a radius away.
TEST(SaverMonitors, AStepPastAnInsideCornerTurnsThereInsteadOfJumping) {
    const std::vector<Monitor> shorterRight{{{0, 0, 1920, 1080}, 96}, {{1920, 0, 3200, 600}, 96}};
    const std::vector<Monitor> offset{{{0, 0, 1024, 768}, 96}, {{1024, 256, 2304, 1280}, 96}};
    const struct {
        const char* what;
        const std::vector<Monitor>& monitors;
        int32_t cornerX, cornerY;
        int32_t dx, dy;  // towards the corner's dead side
    } corners[] = {
        {"below a shorter monitor on the right", shorterRight, 1920, 600, +1, +1},
        {"above an offset monitor", offset, 1024, 256, +1, -1},
        {"below the primary, from the offset monitor", offset, 1024, 768, -1, +1},
    };
    const glass::Layout layout = glass::LayoutAtDpi(96);
    for (const auto& c : corners) {
        SCOPED_TRACE(c.what);
        const Desktop desktop(c.monitors);
        forms::Random random;
        // The glass's centre 4 pixels short of the corner, a step of 8 ahead.
        const double fromX = c.cornerX - 4 * c.dx - (c.dx > 0), fromY = c.cornerY - 4 * c.dy - (c.dy > 0);
        LensMotion lens{static_cast<int32_t>(std::lround((fromX - glass::CircleMiddleX(layout)) * 15)),
                        static_cast<int32_t>(std::lround((fromY - glass::CircleMiddleY(layout)) * 15)), 8 * 15 * c.dx,
                        8 * 15 * c.dy};
        const PixelPoint before = GlassCentre(lens, 96);
        StepWindow(lens, desktop.MetricsAt(96), random, 1.0);
        const PixelPoint glass = GlassCentre(lens, 96);
        EXPECT_TRUE(OnAMonitor(desktop, glass.x, glass.y)) << glass.x << "," << glass.y;
        EXPECT_LE(std::abs(glass.x - before.x), 8.0);
        EXPECT_LE(std::abs(glass.y - before.y), 8.0);

        // The circle's centre a pixel short of it, drifting a pixel a step.
        OrbitMotion orbit;
        orbit.radius = 68;
        orbit.centreX = c.cornerX - (c.dx > 0);
        orbit.centreY = c.cornerY - (c.dy > 0);
        orbit.driftX = orbit.lastDriftX = c.dx;
        orbit.driftY = orbit.lastDriftY = c.dy;
        const OrbitMotion last = orbit;
        StepCursor(orbit, desktop.MetricsAt(96));
        EXPECT_TRUE(OnAMonitor(desktop, orbit.centreX, orbit.centreY)) << orbit.centreX << "," << orbit.centreY;
        EXPECT_LE(std::abs(orbit.centreX - last.centreX), 1);
        EXPECT_LE(std::abs(orbit.centreY - last.centreY), 1);
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
