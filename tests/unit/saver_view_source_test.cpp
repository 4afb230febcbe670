#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "saver/core/view_source.h"

namespace zoomorb::saver {
namespace {

using forms::PixelRect;

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

// What the monitors show of the source and where each part lands in the
// lens: the parts tile what is shown, meet without gaps, and leave black
// exactly what lies on no monitor.
TEST(SaverViewSource, TheMonitorsPartsOfTheSourceAndTheirPlaceInTheLens) {
    const std::vector<PixelRect> one{{0, 0, 1024, 768}};
    const std::vector<PixelRect> sideBySide{{0, 0, 1024, 768}, {1024, 0, 2304, 1024}};
    const std::vector<PixelRect> leftOfPrimary{{0, 0, 1024, 768}, {-1280, -256, 0, 768}};
    const std::vector<PixelRect> withGap{{0, 0, 1024, 768}, {1100, 0, 2124, 768}};
    const PixelRect whole{0, 0, kViewWidth, kViewHeight};
    const struct Case {
        const char* what;
        int32_t x, y, magnification;
        const std::vector<PixelRect>& monitors;
        std::vector<ViewPiece> pieces;
    } cases[] = {
        {"inside, 200 %", 512, 384, 200, one, {{{473, 346, 551, 422}, whole}}},
        {"inside, 500 %", 512, 384, 500, one, {{{496, 369, 527, 399}, whole}}},
        {"inside, 100 %", 512, 384, 100, one, {{{434, 308, 590, 459}, whole}}},
        {"across the left edge", 10, 384, 200, one, {{{0, 346, 49, 422}, {58, 0, 156, 151}}}},
        {"across the top edge", 512, 20, 200, one, {{{473, 0, 551, 58}, {0, 36, 156, 151}}}},
        {"across the right edge", 1000, 384, 200, one, {{{961, 346, 1024, 422}, {0, 0, 126, 151}}}},
        {"across the bottom edge", 512, 760, 200, one, {{{473, 722, 551, 768}, {0, 0, 156, 91}}}},
        {"across the bottom-right corner", 1020, 760, 200, one, {{{981, 722, 1024, 768}, {0, 0, 86, 91}}}},
        {"across the top-left corner", 0, 0, 500, one, {{{0, 0, 15, 15}, {81, 76, 156, 151}}}},
        {"off every monitor", -500, -500, 200, one, {}},
        {"larger than the screen, 10 %", 512, 384, 10, one, {{{0, 0, 1024, 768}, {27, 37, 129, 114}}}},
        {"larger than the screen, 5 %", 512, 384, 5, one, {{{0, 0, 1024, 768}, {52, 56, 104, 95}}}},
        {"across two monitors", 1024, 384, 200, sideBySide,
         {{{985, 346, 1024, 422}, {0, 0, 78, 151}}, {{1024, 346, 1063, 422}, {78, 0, 156, 151}}}},
        {"on a monitor at negative coordinates", -640, 100, 200, leftOfPrimary,
         {{{-679, 62, -601, 138}, whole}}},
        {"across two monitors with a gap between them", 1062, 384, 200, withGap,
         {{{1023, 346, 1024, 422}, {0, 0, 2, 151}}, {{1100, 346, 1101, 422}, {154, 0, 156, 151}}}},
        {"across two monitors with a gap, 10 %", 1062, 384, 10, withGap,
         {{{282, 0, 1024, 768}, {0, 37, 74, 114}}, {{1100, 0, 1842, 768}, {82, 37, 156, 114}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LensView view = LensViewAt(c.x, c.y, c.magnification, kViewWidth, kViewHeight, c.monitors);
        ASSERT_EQ(view.pieces.size(), c.pieces.size());
        for (size_t i = 0; i < c.pieces.size(); ++i) {
            EXPECT_EQ(view.pieces[i].source, c.pieces[i].source) << "piece " << i;
            EXPECT_EQ(view.pieces[i].view, c.pieces[i].view) << "piece " << i;
        }
        EXPECT_EQ(view.OnOneMonitor(), c.pieces.size() == 1 && c.pieces[0].view == whole);
        EXPECT_EQ(view.Reduces(kViewWidth, kViewHeight), c.magnification < 100);
    }
}

}  // namespace
}  // namespace zoomorb::saver
