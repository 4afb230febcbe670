#include <gtest/gtest.h>

#include <algorithm>

#include "saver/core/glass_geometry.h"
#include "saver/core/window_step.h"

namespace zoomorb::saver {
namespace {

const ScreenMetrics kScreen1024{15360, 11520, 15.0f, 15.0f};

void ExpectNewSpeed(int32_t step, int sign) {
    EXPECT_EQ(step % 15, 0) << step;
    EXPECT_GE(step * sign, 45);
    EXPECT_LE(step * sign, 150);
}

TEST(SaverWindowStep, TurnsOnceTheCirclePassesTheRightEdge) {
    forms::Random random;
    LensMotion lens{5490, 4200, 45, 15};
    int ticks = 0;
    while (lens.stepX == 45) {
        StepWindow(lens, kScreen1024, random, 100.0 + ticks);
        ASSERT_LT(++ticks, 1000);
    }
    // 5490 + 153 * 45 = 12375 is not beyond 15360 - 199 * 15; one more is,
    // and the window goes there before turning.
    EXPECT_EQ(ticks, 154);
    EXPECT_EQ(lens.left, 12420);
    ExpectNewSpeed(lens.stepX, -1);
}

TEST(SaverWindowStep, TurnsAtTheFixedLeftAndTopLimits) {
    forms::Random random;
    LensMotion lens{-479, 1000, -45, 15};
    StepWindow(lens, kScreen1024, random, 1.0);
    EXPECT_EQ(lens.left, -524);
    EXPECT_EQ(lens.stepX, -45);
    StepWindow(lens, kScreen1024, random, 1.0);
    EXPECT_EQ(lens.left, -569);
    ExpectNewSpeed(lens.stepX, +1);

    lens = {1000, 0, 45, -30};
    StepWindow(lens, kScreen1024, random, 1.0);
    ExpectNewSpeed(lens.stepY, +1);
}

TEST(SaverWindowStep, OnlyTheEdgeMovedTowardsIsTested) {
    forms::Random random;
    LensMotion beyondRightAndBottom{20000, 20000, -45, -45};
    StepWindow(beyondRightAndBottom, kScreen1024, random, 1.0);
    EXPECT_EQ(beyondRightAndBottom.stepX, -45);
    EXPECT_EQ(beyondRightAndBottom.stepY, -45);

    LensMotion beyondLeftAndTop{-2000, -2000, 45, 45};
    StepWindow(beyondLeftAndTop, kScreen1024, random, 1.0);
    EXPECT_EQ(beyondLeftAndTop.stepX, 45);
    EXPECT_EQ(beyondLeftAndTop.stepY, 45);
}

TEST(SaverWindowStep, CrossesA4KScreenToEveryEdge) {
    // Positions beyond 32767 twips: 16-bit ones would overflow here.
    const ScreenMetrics screen{57600, 32400, 15.0f, 15.0f};
    const float rightLimit = 57600 - glass::kColumnsToCircleEnd * 15;
    const float bottomLimit = 32400 - glass::kRowsToCircleEnd * 15;
    forms::Random random;
    LensMotion lens{26610, 14640, 150, 150};
    int32_t minLeft = lens.left, maxLeft = lens.left, minTop = lens.top, maxTop = lens.top;
    for (int tick = 0; tick < 20000; ++tick) {
        StepWindow(lens, screen, random, tick * 0.1);
        minLeft = std::min(minLeft, lens.left);
        maxLeft = std::max(maxLeft, lens.left);
        minTop = std::min(minTop, lens.top);
        maxTop = std::max(maxTop, lens.top);
    }
    EXPECT_LT(minLeft, glass::kLeftTurnTwips);
    EXPECT_GE(minLeft, glass::kLeftTurnTwips - 150);
    EXPECT_GT(maxLeft, rightLimit);
    EXPECT_LE(maxLeft, rightLimit + 150);
    EXPECT_LT(minTop, glass::kTopTurnTwips);
    EXPECT_GE(minTop, glass::kTopTurnTwips - 150);
    EXPECT_GT(maxTop, bottomLimit);
    EXPECT_LE(maxTop, bottomLimit + 150);
}

}  // namespace
}  // namespace zoomorb::saver
