#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "pictures/glass/glass_geometry.h"
#include "saver/core/motion/window_step.h"

namespace zoomorb::saver {
namespace {

const ScreenMetrics kScreen1024{forms::Twips{15360}, forms::Twips{11520}, 15.0f, 15.0f};

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
    const ScreenMetrics screen{forms::Twips{57600}, forms::Twips{32400}, 15.0f, 15.0f};
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

// At D DPI the glass is the 96-DPI design times D / 96, rounded halves to
// even: its picture, its lens view, the columns and rows to its circle's end
// (the far turning limits) and its speeds.
struct ScaledGlassCase {
    int32_t dpi;
    int32_t pictureWidth, pictureHeight;
    int32_t lensLeft, lensTop, lensWidth, lensHeight;
    int32_t ellipseWidth, ellipseHeight;
    int32_t columnsToCircleEnd, rowsToCircleEnd;
    std::set<int32_t> speeds;  // pixels per window tick
};

const ScaledGlassCase kScaledGlass[] = {
    // Below 96 DPI the glass keeps its design size.
    {72, 203, 197, 40, 5, 156, 151, 157, 153, 199, 159, {3, 4, 5, 6, 7, 8, 9, 10}},
    {96, 203, 197, 40, 5, 156, 151, 157, 153, 199, 159, {3, 4, 5, 6, 7, 8, 9, 10}},
    {120, 254, 246, 50, 6, 195, 189, 196, 191, 249, 199, {4, 5, 6, 8, 9, 10, 11, 12}},
    {144, 304, 296, 60, 8, 234, 226, 236, 230, 298, 238, {4, 6, 8, 9, 10, 12, 14, 15}},
    {192, 406, 394, 80, 10, 312, 302, 314, 306, 398, 318, {6, 8, 10, 12, 14, 16, 18, 20}},
    {288, 609, 591, 120, 15, 468, 453, 471, 459, 597, 477, {9, 12, 15, 18, 21, 24, 27, 30}},
};

TEST(SaverWindowStep, TheGlassItsSpeedsAndItsFarLimitsScaleWithTheDpi) {
    for (const ScaledGlassCase& c : kScaledGlass) {
        SCOPED_TRACE(c.dpi);
        const glass::Layout layout = glass::LayoutAtDpi(c.dpi);
        EXPECT_EQ(layout.pictureWidth, c.pictureWidth);
        EXPECT_EQ(layout.pictureHeight, c.pictureHeight);
        EXPECT_EQ(layout.lensLeft, c.lensLeft);
        EXPECT_EQ(layout.lensTop, c.lensTop);
        EXPECT_EQ(layout.lensWidth, c.lensWidth);
        EXPECT_EQ(layout.lensHeight, c.lensHeight);
        EXPECT_EQ(layout.lensEllipseWidth, c.ellipseWidth);
        EXPECT_EQ(layout.lensEllipseHeight, c.ellipseHeight);
        EXPECT_EQ(layout.columnsToCircleEnd, c.columnsToCircleEnd);
        EXPECT_EQ(layout.rowsToCircleEnd, c.rowsToCircleEnd);

        // A 1024 x 768 screen at this DPI; the glass starts at the top-left
        // and runs into the right and bottom edges, turning on the first
        // tick beyond each far limit with a new speed of the scaled set.
        const float twips = 1440.0f / static_cast<float>(c.dpi);
        const ScreenMetrics screen{forms::Twips{static_cast<int32_t>(1024 * twips)},
                                   forms::Twips{static_cast<int32_t>(768 * twips)}, twips, twips, c.dpi};
        const float rightLimit = static_cast<float>(screen.widthTwips.value) - c.columnsToCircleEnd * twips;
        const float bottomLimit = static_cast<float>(screen.heightTwips.value) - c.rowsToCircleEnd * twips;
        forms::Random random;
        const int32_t firstStep = static_cast<int32_t>(*c.speeds.begin() * twips);
        LensMotion lens{0, 0, firstStep, firstStep};
        std::set<int32_t> speedsSeen;
        for (int tick = 0; tick < 5000; ++tick) {
            const LensMotion before = lens;
            StepWindow(lens, screen, random, tick * 0.37);
            if (before.stepX > 0 && lens.stepX < 0) {
                EXPECT_GT(lens.left, rightLimit);
                EXPECT_LE(before.left, rightLimit);
            }
            if (before.stepY > 0 && lens.stepY < 0) {
                EXPECT_GT(lens.top, bottomLimit);
                EXPECT_LE(before.top, bottomLimit);
            }
            for (const int32_t step : {lens.stepX, lens.stepY}) {
                const int32_t pixels = static_cast<int32_t>(std::lround(std::abs(step) / twips));
                EXPECT_NEAR(std::abs(step), pixels * twips, 0.5f);
                speedsSeen.insert(pixels);
            }
        }
        EXPECT_EQ(speedsSeen, c.speeds);
    }
}

}  // namespace
}  // namespace zoomorb::saver
