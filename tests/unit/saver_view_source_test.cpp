#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "saver/core/area_average.h"
#include "saver/core/mirror_rows.h"
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

// A grey picture of 32-bit pixels whose value at (x, y) is `value(x, y)`.
struct Picture {
    template <typename Value>
    Picture(int32_t width, int32_t height, Value value) : bytes(static_cast<size_t>(width) * height * 4) {
        pixels = Pixels32{bytes.data(), width, height, std::ptrdiff_t{width} * 4};
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                uint8_t* pixel = pixels.Pixel(x, y);
                pixel[0] = pixel[1] = pixel[2] = static_cast<uint8_t>(value(x, y));
            }
    }
    std::vector<uint8_t> bytes;
    Pixels32 pixels;
};

TEST(SaverAreaAverage, EachLensPixelIsTheAverageOfTheDesktopPixelsItCovers) {
    const auto checkerboard = [](int32_t x, int32_t y) { return (x + y) % 2 ? 255 : 0; };
    const auto white = [](int32_t, int32_t) { return 255; };
    const auto columnsAt20 = [](int32_t x, int32_t) { return x < 20 ? 200 : 100; };
    const auto loneDots = [](int32_t x, int32_t y) { return x % 10 == 3 && y % 10 == 7 ? 255 : 0; };
    const struct Case {
        const char* what;
        Picture desktop;
        PixelRect area;  // in the desktop's pixels; beyond it is black
        int32_t lensWidth, lensHeight;
        int32_t lensX, lensY;  // a pixel to look at
        uint8_t expected;
    } cases[] = {
        {"a one-pixel checkerboard at 10 % is an even grey", Picture(200, 200, checkerboard),
         {0, 0, 160, 150}, 16, 15, 7, 7, 128},
        {"also where the blocks have an odd number of pixels", Picture(200, 200, checkerboard),
         {0, 0, 165, 155}, 16, 15, 3, 9, 128},
        {"one white pixel in each block of a hundred: 255 / 100", Picture(200, 200, loneDots), {0, 0, 160, 150},
         16, 15, 8, 8, 3},
        {"white stays white", Picture(200, 200, white), {10, 10, 170, 160}, 16, 15, 15, 14, 255},
        {"half off the desktop: half black", Picture(100, 100, white), {-5, 0, 5, 10}, 1, 1, 0, 0, 128},
        {"wholly off the desktop: black", Picture(100, 100, white), {100, 100, 110, 110}, 1, 1, 0, 0, 0},
        {"blocks do not mix: left of the edge", Picture(100, 100, columnsAt20), {0, 0, 40, 40}, 4, 4, 1, 1,
         200},
        {"blocks do not mix: right of the edge", Picture(100, 100, columnsAt20), {0, 0, 40, 40}, 4, 4, 2, 1,
         100},
        {"an area smaller than the lens repeats its pixels", Picture(100, 100, columnsAt20), {18, 0, 22, 4}, 8,
         8, 3, 3, 200},
    };
    std::vector<uint16_t> narrowSums;
    std::vector<uint32_t> wideSums;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Picture lens(c.lensWidth, c.lensHeight, [](int32_t, int32_t) { return 77; });
        AverageArea(c.desktop.pixels, c.area, lens.pixels, narrowSums, wideSums);
        const uint8_t* pixel = lens.pixels.Pixel(c.lensX, c.lensY);
        EXPECT_NEAR(pixel[0], c.expected, 1);
        EXPECT_EQ(pixel[0], pixel[1]);
        EXPECT_EQ(pixel[0], pixel[2]);
    }
}

TEST(SaverMirrorRows, NewRowsAtOnceAndTheOthersInTurnWithinTheBudget) {
    MirrorRows rows;
    rows.Forget(100);
    const auto total = [](const std::vector<RowSpan>& spans) {
        int32_t n = 0;
        for (const RowSpan& s : spans) n += s.end - s.first;
        return n;
    };
    // Never read: all of them now, whatever the budget.
    const auto first = rows.RowsToRead(10, 50, 5);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].first, 10);
    EXPECT_EQ(first[0].end, 50);
    // Then the budget, and every row of the area comes round within area / budget redraws.
    std::vector<int32_t> timesRead(100, 0);
    for (int redraw = 0; redraw < 8; ++redraw) {
        const auto spans = rows.RowsToRead(10, 50, 5);
        EXPECT_EQ(total(spans), 5);
        for (const RowSpan& s : spans)
            for (int32_t row = s.first; row < s.end; ++row) ++timesRead[row];
    }
    for (int32_t row = 10; row < 50; ++row) EXPECT_EQ(timesRead[row], 1) << "row " << row;
    // The area moves down: its new rows at once, plus the budget.
    EXPECT_EQ(total(rows.RowsToRead(20, 60, 5)), 10 + 5);
    // Beyond the copy: nothing.
    EXPECT_TRUE(rows.RowsToRead(100, 120, 5).empty());
    rows.Forget(100);
    EXPECT_EQ(total(rows.RowsToRead(-20, 30, 5)), 30);
}

}  // namespace
}  // namespace zoomorb::saver
