#include <gtest/gtest.h>

#include "saver/core/view_source.h"

namespace zoomorb::saver {
namespace {

constexpr int32_t kViewWidth = 156, kViewHeight = 151;

void ExpectSource(const SourceRect& rect, int32_t x, int32_t y, int32_t width, int32_t height) {
    EXPECT_EQ(rect.x, x);
    EXPECT_EQ(rect.y, y);
    EXPECT_EQ(rect.width, width);
    EXPECT_EQ(rect.height, height);
}

TEST(SaverViewSource, AreaAroundTheCursorShrinksWithTheMagnification) {
    ExpectSource(ViewSourceRect(512, 384, 200, kViewWidth, kViewHeight), 473, 346, 78, 76);
    ExpectSource(ViewSourceRect(0, 0, 200, kViewWidth, kViewHeight), -39, -38, 78, 76);
    ExpectSource(ViewSourceRect(512, 384, 500, kViewWidth, kViewHeight), 496, 369, 31, 30);
}

TEST(SaverViewSource, OddHalvesRoundToEven) {
    EXPECT_EQ(ViewSourceRect(0, 400, 100, kViewWidth, kViewHeight).y, 324);
    EXPECT_EQ(ViewSourceRect(0, 401, 100, kViewWidth, kViewHeight).y, 326);
    EXPECT_EQ(ViewSourceRect(0, 401, 100, kViewWidth, kViewHeight).height, 151);
}

TEST(SaverViewSource, UnusableMagnificationsStillGiveASource) {
    for (int32_t magnification : {0, -1, -200, INT32_MIN})
        ExpectSource(ViewSourceRect(512, 384, magnification, kViewWidth, kViewHeight), 473, 346,
                     78, 76);
    // Huge ones would round the area to nothing, which the scaled copy cannot take.
    ExpectSource(ViewSourceRect(512, 384, 40000, kViewWidth, kViewHeight), 512, 384, 1, 1);
    ExpectSource(ViewSourceRect(512, 384, INT32_MAX, kViewWidth, kViewHeight), 512, 384, 1, 1);
}

}  // namespace
}  // namespace zoomorb::saver
