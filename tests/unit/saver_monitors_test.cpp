#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

#include "saver/core/motion/cursor_step.h"
#include "saver/core/motion/desktop.h"
#include "pictures/glass/glass_geometry.h"
#include "saver/core/motion/saver_state.h"
#include "saver/core/motion/window_step.h"

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
        SaverState state =
            SetUpSaverState(desktop.MetricsAt(dpi), forms::Twips{4380}, forms::Twips{3120}, random, 100.0);
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
        const ScreenMetrics alone{
            forms::Twips{screen.Width() * 15}, forms::Twips{screen.Height() * 15}, 15.0f, 15.0f, 96, {}};
        forms::Random randomAlone, randomMonitors;
        SaverState a = SetUpSaverState(alone, forms::Twips{4380}, forms::Twips{3120}, randomAlone, 500.0);
        SaverState b =
            SetUpSaverState(desktop.MetricsAt(96), forms::Twips{4380}, forms::Twips{3120}, randomMonitors, 500.0);
        for (int tick = 0; tick < 20000; ++tick) {
            StepWindow(a.lens, alone, randomAlone, tick * 0.1);
            StepWindow(b.lens, desktop.MetricsAt(96), randomMonitors, tick * 0.1);
            ASSERT_EQ(a.lens.left, b.lens.left) << tick;
            ASSERT_EQ(a.lens.top, b.lens.top) << tick;
            const CursorPoint p = StepCursor(a.orbit, alone);
            const CursorPoint q = StepCursor(b.orbit, desktop.MetricsAt(96));
            ASSERT_EQ(p.x.value, q.x.value) << tick;
            ASSERT_EQ(p.y.value, q.y.value) << tick;
        }
    }
}

// Where monitors meet along part of an edge, a diagonal step past the
// inside corner leads onto no monitor: the glass and the circle turn there,
// instead of being put back onto a monitor a radius away. The move that
// alone stays on a monitor goes on and the other turns back (the vertical
// one, since at the corner either alone would stay), and the cursor's sense
// of rotation follows the turn as off any edge. Steps in every diagonal
// direction from across the corner, at corners whose dead side lies each
// way, between monitors side by side and stacked; only the one towards the
// dead side turns.
TEST(SaverMonitors, AStepPastAnInsideCornerTurnsBackTheMoveThatLeavesEveryMonitor) {
    const Monitor primary{{0, 0, 1024, 768}, 96};
    const std::vector<Monitor> lowerRight{primary, {{1024, 256, 2304, 1280}, 96}};
    const std::vector<Monitor> higherRight{primary, {{1024, -256, 2304, 512}, 96}};
    const std::vector<Monitor> underneath{primary, {{256, 768, 1536, 1792}, 96}};
    const std::vector<Monitor> overhead{primary, {{256, -768, 1536, 0}, 96}};
    const struct {
        const char* what;
        const std::vector<Monitor>& monitors;
        int32_t cornerX, cornerY;
        int32_t deadX, deadY;  // the corner's side that no monitor shows
    } corners[] = {
        {"above the lower monitor on the right", lowerRight, 1024, 256, +1, -1},
        {"below the primary, beside the lower monitor", lowerRight, 1024, 768, -1, +1},
        {"above the primary, beside the higher monitor", higherRight, 1024, 0, -1, -1},
        {"below the higher monitor on the right", higherRight, 1024, 512, +1, +1},
        {"below the primary, beside the monitor under it", underneath, 256, 768, -1, +1},
        {"beside the primary, above the monitor under it", underneath, 1024, 768, +1, -1},
        {"above the primary, beside the monitor over it", overhead, 256, 0, -1, -1},
        {"beside the primary, below the monitor over it", overhead, 1024, 0, +1, +1},
    };
    const glass::Layout layout = glass::LayoutAtDpi(96);
    for (const auto& c : corners) {
        const Desktop desktop(c.monitors);
        const ScreenMetrics metrics = desktop.MetricsAt(96);
        for (const int32_t dx : {-1, +1}) {
            for (const int32_t dy : {-1, +1}) {
                SCOPED_TRACE(testing::Message() << c.what << ", moving " << dx << "," << dy);
                const bool turns = dx == c.deadX && dy == c.deadY;
                // Turning off a bottom edge moving right, or off a top edge
                // moving left, keeps the cursor going clockwise; the other
                // two turns send it anticlockwise.
                const bool anticlockwise = turns && dx != dy;

                // The glass's centre 4.5 pixels across the corner from the
                // dead side, a step of 8 ahead.
                const double fromX = c.cornerX - 4.5 * c.deadX, fromY = c.cornerY - 4.5 * c.deadY;
                const LensMotion lensBefore{
                    static_cast<int32_t>((fromX - glass::CircleMiddleX(layout)) * 15),
                    static_cast<int32_t>((fromY - glass::CircleMiddleY(layout)) * 15), 8 * 15 * dx, 8 * 15 * dy};
                LensMotion lens = lensBefore;
                forms::Random random;
                StepWindow(lens, metrics, random, 1.0);
                EXPECT_EQ(lens.left, lensBefore.left + lensBefore.stepX);
                EXPECT_EQ(lens.stepX, lensBefore.stepX);
                EXPECT_EQ(lens.top, turns ? lensBefore.top : lensBefore.top + lensBefore.stepY);
                EXPECT_GT(lens.stepY * (turns ? -dy : dy), 0) << lens.stepY;
                const PixelPoint glass = GlassCentre(lens, 96);
                EXPECT_TRUE(OnAMonitor(desktop, glass.x, glass.y)) << glass.x << "," << glass.y;

                // The circle's centre on the pixel across the corner from the
                // dead side, drifting a pixel a step.
                OrbitMotion orbit;
                orbit.radius = 68;
                orbit.centreX = c.cornerX - (c.deadX > 0);
                orbit.centreY = c.cornerY - (c.deadY > 0);
                orbit.driftX = orbit.lastDriftX = dx;
                orbit.driftY = orbit.lastDriftY = dy;
                // Where it turns, the sense must be set, not left as it was.
                orbit.reverse = turns && !anticlockwise;
                const OrbitMotion before = orbit;
                StepCursor(orbit, metrics);
                EXPECT_EQ(orbit.centreX, before.centreX + dx);
                EXPECT_EQ(orbit.driftX, dx);
                EXPECT_EQ(orbit.centreY, turns ? before.centreY : before.centreY + dy);
                EXPECT_EQ(orbit.driftY, turns ? -dy : dy);
                EXPECT_EQ(orbit.reverse, anticlockwise);
                EXPECT_EQ(orbit.step, anticlockwise ? -1 : 1);
                EXPECT_EQ(orbit.lastDriftY, orbit.driftY);
                EXPECT_TRUE(OnAMonitor(desktop, orbit.centreX, orbit.centreY))
                    << orbit.centreX << "," << orbit.centreY;
            }
        }
    }
}

// Onto a monitor of another scale the glass's circle stays where it is on
// the screen: the window's place is counted afresh in the new DPI's twips
// (to the nearest twip, halves to even), and the glass is to be drawn anew.
// Its speeds, lengths in twips, stay. On a monitor of the same scale
// nothing changes.
TEST(SaverMonitors, OntoAMonitorOfAnotherScaleTheGlassStaysWhereItIs) {
    const Desktop desktop({{{0, 0, 1024, 768}, 96}, {{1024, 0, 3584, 1440}, 192}, {{-1280, -256, 0, 768}, 144},
                           {{0, 768, 1024, 1536}, 96}});
    const struct {
        const char* what;
        int32_t dpi;
        LensMotion lens;
        int32_t newDpi;
        int32_t left, top;  // in the new DPI's twips
    } crossings[] = {
        // Centre 1030.5, 400.5; the circle's middle at 192 DPI is 235, 161 pixels into the glass.
        {"onto a monitor of twice the scale", 96, {13695, 4800, 45, -150}, 192, 5966, 1796},
        // Centre 995, 361: 877.5 and 280.5 pixels of 15 twips, halves to even.
        {"back onto the primary", 192, {5700, 1500, -60, 30}, 96, 13162, 4208},
        // Centre -10.43, -100.37; the middle at 144 DPI is 176, 120.5.
        {"onto a monitor left of and above the primary", 96, {-1919, -2713, -90, -45}, 144, -1864, -2209},
        {"onto a monitor of the same scale", 96, {5490, 12000, 45, 45}, 96, 5490, 12000},
    };
    for (const auto& c : crossings) {
        SCOPED_TRACE(c.what);
        LensMotion lens = c.lens;
        int32_t dpi = c.dpi;
        const PixelPoint before = GlassCentre(lens, dpi);
        EXPECT_EQ(FollowMonitorDpi(lens, dpi, desktop), c.newDpi != c.dpi);
        EXPECT_EQ(dpi, c.newDpi);
        EXPECT_EQ(lens.left, c.left);
        EXPECT_EQ(lens.top, c.top);
        EXPECT_EQ(lens.stepX, c.lens.stepX);
        EXPECT_EQ(lens.stepY, c.lens.stepY);
        const PixelPoint after = GlassCentre(lens, dpi);
        const double aTwip = 1 / forms::TwipsPerPixel(dpi);
        EXPECT_NEAR(after.x, before.x, aTwip);
        EXPECT_NEAR(after.y, before.y, aTwip);
    }
}

// A monitor goes, or the primary's mode shrinks: the glass and the circle,
// left where no monitor shows them, are on the nearest monitor within one
// step, the circle wholly; also from a dead corner below or above one
// monitor and beside another.
TEST(SaverMonitors, AfterTheLayoutChangesBothAreOnTheNearestMonitorWithinOneStep) {
    const Monitor primary{{0, 0, 1024, 768}, 96};
    const std::vector<Monitor> lowerRight{primary, {{1024, 256, 2304, 1280}, 96}};
    const std::vector<Monitor> lowerLeft{primary, {{-1280, 256, 0, 1280}, 96}};
    const struct {
        const char* what;
        std::vector<Monitor> after;
        int32_t x, y;  // where both were left, in pixels
        size_t nearest;
    } changes[] = {
        {"far out on a monitor unplugged", {primary}, 2200, 900, 0},
        {"far out beside the primary, now smaller", {{{0, 0, 640, 480}, 96}}, 2200, 900, 0},
        {"far out beside the primary, now on the other side", {{{0, 0, 1280, 1024}, 96}, {{-1024, 0, 0, 768}, 96}},
         2200, 900, 0},
        {"below the primary, nearer the monitor beside it", lowerRight, 960, 1300, 1},
        {"below the primary, nearer it than the monitor beside it", lowerRight, 700, 1000, 0},
        {"above the monitor on the left, nearer it than the primary", lowerLeft, -300, 100, 1},
        {"above the monitor on the left, nearer the primary", lowerLeft, -50, 100, 0},
    };
    const glass::Layout layout = glass::LayoutAtDpi(96);
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        const Desktop desktop(change.after);
        const PixelRect& nearest = desktop.Monitors()[change.nearest].area;
        forms::Random random;
        LensMotion lens{static_cast<int32_t>((change.x + 0.5 - glass::CircleMiddleX(layout)) * 15),
                        static_cast<int32_t>((change.y + 0.5 - glass::CircleMiddleY(layout)) * 15), 45, 45};
        int32_t dpi = 96;
        StepWindow(lens, desktop.MetricsAt(dpi), random, 1.0);
        FollowMonitorDpi(lens, dpi, desktop);
        const PixelPoint glass = GlassCentre(lens, dpi);
        EXPECT_TRUE(nearest.Contains(glass.x, glass.y)) << glass.x << "," << glass.y;

        OrbitMotion orbit;
        orbit.radius = 68;
        orbit.centreX = change.x;
        orbit.centreY = change.y;
        StepCursor(orbit, desktop.MetricsAt(dpi));
        const PixelRect circle{orbit.centreX - orbit.radius, orbit.centreY - orbit.radius,
                               orbit.centreX + orbit.radius, orbit.centreY + orbit.radius};
        EXPECT_TRUE(nearest.Contains(circle)) << orbit.centreX << "," << orbit.centreY;
    }
}

}  // namespace
}  // namespace zoomorb::saver
