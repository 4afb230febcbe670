#include <gtest/gtest.h>

#include "saver/core/cursor_step.h"

namespace zoomorb::saver {
namespace {

const ScreenMetrics kScreen1024{15360, 11520, 15.0f, 15.0f};

OrbitMotion StartOrbit(int32_t driftX, int32_t driftY) {
    OrbitMotion orbit;
    orbit.radius = 68;
    orbit.centreX = 512;
    orbit.centreY = 384;
    orbit.driftX = orbit.lastDriftX = driftX;
    orbit.driftY = orbit.lastDriftY = driftY;
    return orbit;
}

TEST(SaverOrbit, OffsetsFollowTheFlooredCircleAndItsInexactConstants) {
    const struct {
        int64_t step;
        int32_t dx, dy;
    } cases[] = {{0, 0, -68}, {5, 34, -59}, {15, 68, 0}, {30, 0, 68}, {45, -68, 0}, {60, -1, -68}};
    for (const auto& c : cases) {
        const OrbitOffset offset = OrbitOffsetAt(68, c.step);
        EXPECT_EQ(offset.dx, c.dx) << "step " << c.step;
        EXPECT_EQ(offset.dy, c.dy) << "step " << c.step;
    }
}

TEST(SaverOrbit, FirstTickFromTheScreenCentre) {
    OrbitMotion orbit = StartOrbit(+1, +1);
    const CursorPoint cursor = StepCursor(orbit, kScreen1024);
    EXPECT_EQ(cursor.x, 520);
    EXPECT_EQ(cursor.y, 317);
    EXPECT_EQ(orbit.step, 1);
    EXPECT_EQ(orbit.centreX, 513);
    EXPECT_EQ(orbit.centreY, 385);
}

TEST(SaverOrbit, CentreBouncesOnlyOnceTheCircleWouldPassTheEdge) {
    OrbitMotion orbit = StartOrbit(+1, +1);
    orbit.centreX = 955;
    StepCursor(orbit, kScreen1024);
    EXPECT_EQ(orbit.centreX, 956);
    EXPECT_EQ(orbit.driftX, +1);

    StepCursor(orbit, kScreen1024);
    EXPECT_EQ(orbit.centreX, 955);
    EXPECT_EQ(orbit.driftX, -1);
    EXPECT_EQ(orbit.lastDriftX, -1);
}

TEST(SaverOrbit, BounceDecidesTheSenseOfRotation) {
    // (+1, +1) off the bottom keeps the sense; off the right, or both at once
    // in a corner, reverses it and the counter then counts down.
    const struct {
        int32_t centreX, centreY;
        bool reverse;
    } cases[] = {{512, 700, false}, {956, 384, true}, {956, 700, true}};
    for (const auto& c : cases) {
        OrbitMotion orbit = StartOrbit(+1, +1);
        orbit.centreX = c.centreX;
        orbit.centreY = c.centreY;
        orbit.reverse = !c.reverse;
        StepCursor(orbit, kScreen1024);
        EXPECT_EQ(orbit.reverse, c.reverse) << c.centreX << "," << c.centreY;
        EXPECT_EQ(orbit.step, c.reverse ? -1 : 1);
    }
}

TEST(SaverOrbit, BounceThatLeavesTheDriftUnchangedReverses) {
    // Beyond the right edge and already moving left: the drift stays, yet it
    // counts as a bounce.
    OrbitMotion orbit = StartOrbit(-1, +1);
    orbit.centreX = 1000;
    StepCursor(orbit, kScreen1024);
    EXPECT_EQ(orbit.driftX, -1);
    EXPECT_TRUE(orbit.reverse);
}

}  // namespace
}  // namespace zoomorb::saver
