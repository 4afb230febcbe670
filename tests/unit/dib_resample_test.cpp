#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "dib/core/resample_bilinear.h"
#include "dib/core/scan_line.h"
#include "forms/core/runtime_error.h"

namespace zoomorb::dib {
namespace {

constexpr uint8_t kUntouched = 0xAB;

// Pixel memory of its own, every byte (padding included) preset to a marker.
struct Surface {
    Surface(int32_t width, int32_t height)
        : memory(static_cast<size_t>(ImageSize(width, height)), kUntouched),
          view{memory.data(), width, height, BytesPerScanLine(width)} {}
    // Moving keeps the vector's buffer, so the view stays valid; a copy would not.
    Surface(Surface&&) = default;
    Surface(const Surface&) = delete;

    void Set(int32_t x, int32_t m, uint8_t b, uint8_t g, uint8_t r) {
        uint8_t* p = view.Pixel(x, m);
        p[kBlue] = b;
        p[kGreen] = g;
        p[kRed] = r;
    }
    // Every colour byte of the pixel at once: a grey level.
    void SetGrey(int32_t x, int32_t m, uint8_t level) { Set(x, m, level, level, level); }
    int Grey(int32_t x, int32_t m) const { return view.Byte(x, m, kBlue); }

    std::vector<uint8_t> memory;
    SurfaceView view;
};

int ErrorOf(const Surface& source, const Surface& target) {
    try {
        ResampleBilinear(source.view, target.view);
    } catch (const forms::RuntimeError& error) {
        return error.Code();
    }
    return 0;
}

// Source (memory rows, bottom first):  m=1: 200 40
//                                       m=0:   0 100
// with green the inverse of blue and red a constant, so a swapped byte shows.
Surface TwoByTwo() {
    Surface s(2, 2);
    s.Set(0, 0, 0, 255, 7);
    s.Set(1, 0, 100, 155, 7);
    s.Set(0, 1, 200, 55, 7);
    s.Set(1, 1, 40, 215, 7);
    return s;
}

TEST(DibResampleBilinear, UpscalingTwoByTwoSamplesQuarterSteps) {
    const Surface source = TwoByTwo();
    Surface target(4, 4);
    ResampleBilinear(source.view, target.view);

    EXPECT_EQ(target.view.Byte(0, 0, kBlue), 0);
    EXPECT_EQ(target.view.Byte(0, 0, kGreen), 255);
    EXPECT_EQ(target.view.Byte(0, 0, kRed), 7);
    // Along the bottom row, 0 .. 100 at 0, 0.25, 0.5, 0.75: never the last column.
    for (int x = 0; x < 4; ++x) EXPECT_EQ(target.view.Byte(x, 0, kBlue), 25 * x) << x;
    // Up the left column, 0 .. 200 likewise: never the last row.
    for (int m = 0; m < 4; ++m) EXPECT_EQ(target.view.Byte(0, m, kBlue), 50 * m) << m;
    // The middle: columns give 100 and 70, across 85; green mirrors it.
    EXPECT_EQ(target.view.Byte(2, 2, kBlue), 85);
    EXPECT_EQ(target.view.Byte(2, 2, kGreen), 170);
    EXPECT_EQ(target.view.Byte(3, 3, kRed), 7);
}

TEST(DibResampleBilinear, HalvesRoundToEvenAndColumnsBlendFirst) {
    Surface source(2, 2);
    source.Set(0, 0, 0, 0, 0);
    source.Set(1, 0, 255, 1, 2);
    source.Set(0, 1, 0, 0, 1);
    source.Set(1, 1, 255, 1, 3);
    // One row high: every target pixel sits on source row 0 (fy = 0).
    Surface flat(4, 1);
    ResampleBilinear(source.view, flat.view);
    EXPECT_EQ(flat.view.Byte(2, 0, kBlue), 128);  // 127.5
    EXPECT_EQ(flat.view.Byte(2, 0, kGreen), 0);   // 0.5

    // fx = fy = 0.5 on red: the left column gives 0.5 -> 0, the right one
    // 2.5 -> 2, across 1. Blending rows first, or all four at once, gives 2.
    Surface square(4, 4);
    ResampleBilinear(source.view, square.view);
    EXPECT_EQ(square.view.Byte(2, 2, kRed), 1);
}

TEST(DibResampleBilinear, MemoryRowsMapBottomUp) {
    Surface source(2, 3);
    for (int x = 0; x < 2; ++x) {
        source.SetGrey(x, 0, 10);
        source.SetGrey(x, 1, 20);
        source.SetGrey(x, 2, 30);
    }
    Surface target(2, 4);
    ResampleBilinear(source.view, target.view);
    const int expected[] = {10, 15, 20, 25};
    for (int m = 0; m < 4; ++m) EXPECT_EQ(target.Grey(1, m), expected[m]) << m;
}

TEST(DibResampleBilinear, PaddingIsNeitherReadNorWritten) {
    // Three pixels need 9 bytes of each 12-byte row; the source's padding
    // holds the marker too and must not leak into the result.
    Surface source(3, 2);
    for (int x = 0; x < 3; ++x) {
        source.SetGrey(x, 0, 0);
        source.SetGrey(x, 1, 0);
    }
    Surface target(3, 5);
    ResampleBilinear(source.view, target.view);
    for (int m = 0; m < 5; ++m) {
        for (int i = 0; i < 9; ++i) EXPECT_EQ(target.view.Row(m)[i], 0) << m << ':' << i;
        for (int i = 9; i < 12; ++i) EXPECT_EQ(target.view.Row(m)[i], kUntouched) << m << ':' << i;
    }
}

TEST(DibResampleBilinear, SourceWithoutASecondColumnOrRowFailsBeforeWriting) {
    const Surface oneWide(1, 5);
    const Surface oneHigh(5, 1);
    const Surface none(0, 0);
    Surface target(4, 4);
    const std::vector<uint8_t> before = target.memory;

    EXPECT_EQ(ErrorOf(oneWide, target), 9);
    EXPECT_EQ(ErrorOf(oneHigh, target), 9);
    EXPECT_EQ(ErrorOf(none, target), 9);
    EXPECT_EQ(target.memory, before);

    // A target without pixels asks for no samples at all.
    Surface empty(0, 4);
    EXPECT_EQ(ErrorOf(oneWide, empty), 0);
}

}  // namespace
}  // namespace zoomorb::dib
