#include <gtest/gtest.h>

#include "saver/core/motion/cursor_step.h"

namespace zoomorb::saver {
namespace {

const ScreenMetrics kScreen1024{forms::Twips{15360}, forms::Twips{11520}, 15.0f, 15.0f};

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
    EXPECT_EQ(cursor.x.value, 520);
    EXPECT_EQ(cursor.y.value, 317);
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

TEST(SaverOrbit, EachEdgeTurnsTheCentreBackAndDecidesTheSenseOfRotation) {
    // On 1024 x 768 with radius 68 the circle may touch the edges, not pass
    // them. Four ways of coming off an edge keep the cursor turning clockwise,
    // every other bounce (a corner too) turns it anticlockwise.
    const struct {
        const char* what;
        int32_t x, y, driftX, driftY;
        int32_t nextX, nextY, nextDriftX, nextDriftY;
        bool bounced, reverse;
    } cases[] = {
        {"off the bottom moving right", 512, 700, +1, +1, 513, 699, +1, -1, true, false},
        {"off the right moving up", 956, 384, +1, -1, 955, 383, -1, -1, true, false},
        {"off the top moving left", 512, 68, -1, -1, 511, 69, -1, +1, true, false},
        {"off the left moving down", 68, 384, -1, +1, 69, 385, +1, +1, true, false},
        {"off the bottom moving left", 512, 700, -1, +1, 511, 699, -1, -1, true, true},
        {"off the right moving down", 956, 384, +1, +1, 955, 385, -1, +1, true, true},
        {"off the top moving right", 512, 68, +1, -1, 513, 69, +1, +1, true, true},
        {"off the left moving up", 68, 384, -1, -1, 69, 383, +1, -1, true, true},
        {"into the bottom right corner", 956, 700, +1, +1, 955, 699, -1, -1, true, true},
        {"touching the left", 69, 384, -1, +1, 68, 385, -1, +1, false, false},
        {"touching the top", 512, 69, +1, -1, 513, 68, +1, -1, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OrbitMotion orbit = StartOrbit(c.driftX, c.driftY);
        orbit.centreX = c.x;
        orbit.centreY = c.y;
        // Where it bounces, the sense must be set, not left as it was.
        orbit.reverse = c.bounced && !c.reverse;
        StepCursor(orbit, kScreen1024);
        EXPECT_EQ(orbit.centreX, c.nextX);
        EXPECT_EQ(orbit.centreY, c.nextY);
        EXPECT_EQ(orbit.driftX, c.nextDriftX);
        EXPECT_EQ(orbit.driftY, c.nextDriftY);
        EXPECT_EQ(orbit.reverse, c.reverse);
        EXPECT_EQ(orbit.step, c.reverse ? -1 : 1);
        EXPECT_EQ(orbit.lastDriftX, c.bounced ? c.nextDriftX : c.driftX);
        EXPECT_EQ(orbit.lastDriftY, c.bounced ? c.nextDriftY : c.driftY);
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
