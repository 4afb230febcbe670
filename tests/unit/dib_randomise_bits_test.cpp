#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "dib/core/randomise_bits.h"
#include "dib/core/scan_line.h"
#include "forms/core/numbers.h"

namespace zoomorb::dib {
namespace {

constexpr uint8_t kUntouched = 0xAB;
constexpr double kNoon = 43200.0;

struct Surface {
    Surface(int32_t width, int32_t height)
        : memory(static_cast<size_t>(ImageSize(width, height)), kUntouched),
          view{memory.data(), width, height, BytesPerScanLine(width)} {}
    Surface(const Surface&) = delete;

    std::vector<uint8_t> memory;
    SurfaceView view;
};

std::vector<uint8_t> Randomised(int32_t width, int32_t height, bool gray, double seconds) {
    Surface surface(width, height);
    forms::Random random;
    RandomiseBits(surface.view, gray, random, seconds);
    return surface.memory;
}

// The values the fill should draw, in order, from a generator seeded alike.
std::vector<int> ExpectedDraws(double seconds, int count) {
    forms::Random random;
    random.Reseed(seconds);
    std::vector<int> draws;
    for (int i = 0; i < count; ++i) draws.push_back(static_cast<int>(forms::RoundHalfEven(random.Next() * 255.0f)));
    return draws;
}

void ExpectPaddingUntouched(const Surface& surface) {
    const int32_t used = surface.view.width * kBytesPerPixel;
    for (int32_t m = 0; m < surface.view.height; ++m)
        for (int32_t i = used; i < surface.view.bytesPerScanLine; ++i)
            EXPECT_EQ(surface.view.Row(m)[i], kUntouched) << m << ':' << i;
}

TEST(DibRandomiseBits, GrayFillsRowByRowOneDrawPerPixel) {
    Surface surface(5, 3);
    forms::Random random;
    RandomiseBits(surface.view, true, random, kNoon);

    const std::vector<int> draws = ExpectedDraws(kNoon, 15);
    for (int m = 0; m < 3; ++m) {
        for (int x = 0; x < 5; ++x) {
            const uint8_t* p = surface.view.Pixel(x, m);
            EXPECT_EQ(p[kBlue], draws[m * 5 + x]) << x << ',' << m;
            EXPECT_EQ(p[kGreen], p[kBlue]);
            EXPECT_EQ(p[kRed], p[kBlue]);
        }
    }
    ExpectPaddingUntouched(surface);
}

TEST(DibRandomiseBits, ColourFillsColumnByColumnGreenThenRedOnBlackBlue) {
    Surface surface(5, 3);
    forms::Random random;
    RandomiseBits(surface.view, false, random, kNoon);

    const std::vector<int> draws = ExpectedDraws(kNoon, 30);
    for (int x = 0; x < 5; ++x) {
        for (int m = 0; m < 3; ++m) {
            const uint8_t* p = surface.view.Pixel(x, m);
            const int n = x * 3 + m;
            EXPECT_EQ(p[kBlue], 0) << x << ',' << m;
            EXPECT_EQ(p[kGreen], draws[2 * n]) << x << ',' << m;
            EXPECT_EQ(p[kRed], draws[2 * n + 1]) << x << ',' << m;
        }
    }
    ExpectPaddingUntouched(surface);
}

TEST(DibRandomiseBits, SameClockTickGivesSamePixels) {
    // Seconds are kept in single precision: near noon its step is 1/256 s.
    EXPECT_EQ(Randomised(7, 4, true, kNoon + 0.0010), Randomised(7, 4, true, kNoon + 0.0011));
    EXPECT_EQ(Randomised(7, 4, false, kNoon), Randomised(7, 4, false, kNoon));
    EXPECT_NE(Randomised(7, 4, false, kNoon), Randomised(7, 4, false, kNoon + 1));
}

TEST(DibRandomiseBits, ValuesSpreadOverTheWholeByteRange) {
    Surface surface(64, 64);
    forms::Random random;
    RandomiseBits(surface.view, true, random, 12345.5);
    std::set<int> seen;
    for (int m = 0; m < 64; ++m)
        for (int x = 0; x < 64; ++x) seen.insert(surface.view.Byte(x, m, kBlue));
    EXPECT_LE(*seen.begin(), 3);
    EXPECT_GE(*seen.rbegin(), 252);
    EXPECT_GT(seen.size(), 240u);
}

TEST(DibRandomiseBits, SurfaceWithoutColumnsIsLeftAlone) {
    std::vector<uint8_t> memory(16, kUntouched);
    const SurfaceView noColumns{memory.data(), 0, 4, 0};
    forms::Random random;
    RandomiseBits(noColumns, false, random, kNoon);
    RandomiseBits(noColumns, true, random, kNoon);
    EXPECT_TRUE(std::all_of(memory.begin(), memory.end(), [](uint8_t b) { return b == kUntouched; }));
}

}  // namespace
}  // namespace zoomorb::dib
