// The copy of the desktop the lens is reduced from below 100 %: the
// averages it gives, exactly, on any layout of monitors, and how fresh its
// refresh plan keeps what the lens shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "saver/core/lens/desktop_mirror.h"
#include "saver/core/lens/refresh_plan.h"
#include "saver/core/lens/view_source.h"

namespace zoomorb::saver {
namespace {

using forms::PixelRect;

// Blue, green and red of a desktop pixel, by its virtual-screen position.
using Colour = std::array<uint8_t, 3>;
using Paint = std::function<Colour(int32_t x, int32_t y)>;

Paint Grey(const std::function<int(int32_t x, int32_t y)>& value) {
    return [value](int32_t x, int32_t y) {
        const auto v = static_cast<uint8_t>(value(x, y));
        return Colour{v, v, v};
    };
}

// A picture of 32-bit pixels, its unused bytes set so that nothing may read them.
struct Picture {
    Picture(int32_t width, int32_t height) : bytes(static_cast<size_t>(width) * height * 4, 0xA5) {
        pixels = Pixels32{bytes.data(), width, height, std::ptrdiff_t{width} * 4};
    }
    Colour At(int32_t x, int32_t y) const {
        const uint8_t* pixel = pixels.Pixel(x, y);
        return Colour{pixel[0], pixel[1], pixel[2]};
    }
    std::vector<uint8_t> bytes;
    Pixels32 pixels;
};

// Reads what the plan asks for from `paint`, as the saver reads the screen.
void Refresh(DesktopMirror& mirror, const PixelRect& area, const Paint& paint) {
    for (const PixelRect& read : mirror.ReadsFor(area, 0)) {
        Picture picture(read.Width(), read.Height());
        for (int32_t y = 0; y < read.Height(); ++y)
            for (int32_t x = 0; x < read.Width(); ++x) {
                const Colour colour = paint(read.left + x, read.top + y);
                std::copy(colour.begin(), colour.end(), picture.pixels.Pixel(x, y));
            }
        mirror.Store(read, picture.pixels);
    }
}

Picture Reduced(const std::vector<PixelRect>& monitors, const Paint& paint, const PixelRect& area, int32_t width,
                int32_t height) {
    DesktopMirror mirror;
    EXPECT_TRUE(mirror.Follow(monitors, 1 << 30));
    Refresh(mirror, area, paint);
    Picture lens(width, height);
    mirror.Average(area, lens.pixels);
    return lens;
}

TEST(SaverAreaAverage, EachLensPixelIsTheRoundedAverageOfTheDesktopPixelsItCovers) {
    const std::vector<PixelRect> one200{{0, 0, 200, 200}}, one100{{0, 0, 100, 100}};
    // Monitors left of and above the primary, and one below another.
    const std::vector<PixelRect> leftAbove{{0, 0, 100, 100}, {-60, -40, 0, 60}};
    const std::vector<PixelRect> stacked{{0, 0, 100, 100}, {0, 100, 100, 200}};
    const Paint checkerboard = Grey([](int32_t x, int32_t y) { return (x + y) % 2 ? 255 : 0; });
    const Paint white = Grey([](int32_t, int32_t) { return 255; });
    const Paint columnsAt20 = Grey([](int32_t x, int32_t) { return x < 20 ? 200 : 100; });
    const Paint loneDots = Grey([](int32_t x, int32_t y) { return x % 10 == 3 && y % 10 == 7 ? 255 : 0; });
    const Paint oneInFour = Grey([](int32_t x, int32_t y) { return x % 2 == 0 && y % 2 == 0 ? 201 : 0; });
    const Paint colours = [](int32_t, int32_t) { return Colour{10, 20, 30}; };
    const Paint onesAndNoughts = Grey([](int32_t x, int32_t y) { return (x + y) % 2 == 0 ? 1 : 0; });
    const Paint byMonitor = Grey([](int32_t x, int32_t y) { return x < 0 ? 50 : y < 100 ? 200 : 100; });
    const struct Case {
        const char* what;
        const std::vector<PixelRect>& monitors;
        Paint paint;
        PixelRect area;
        int32_t lensWidth, lensHeight;
        int32_t lensX, lensY;  // a pixel to look at
        Colour expected;
    } cases[] = {
        {"a one-pixel checkerboard at 10 % is an even grey: 127.5 rounds up", one200, checkerboard,
         {0, 0, 160, 150}, 16, 15, 7, 7, {128, 128, 128}},
        {"also where the blocks have an odd number of pixels: 55 of 110", one200, checkerboard, {0, 0, 165, 155},
         16, 15, 3, 9, {128, 128, 128}},
        {"one white pixel in each block of a hundred: 2.55 rounds to 3", one200, loneDots, {0, 0, 160, 150}, 16,
         15, 8, 8, {3, 3, 3}},
        {"201 in one pixel of four: 50.25 rounds down", one200, oneInFour, {1, 1, 9, 9}, 4, 4, 2, 1, {50, 50, 50}},
        {"25 ones in 49 pixels: 0.51 rounds to 1", one200, onesAndNoughts, {0, 0, 7, 7}, 1, 1, 0, 0, {1, 1, 1}},
        {"white stays white", one200, white, {10, 10, 170, 160}, 16, 15, 15, 14, {255, 255, 255}},
        {"each colour on its own", one200, colours, {3, 5, 163, 155}, 16, 15, 4, 4, {10, 20, 30}},
        {"half off the desktop: half black", one100, white, {-5, 0, 5, 10}, 1, 1, 0, 0, {128, 128, 128}},
        {"wholly off the desktop: black", one100, white, {100, 100, 110, 110}, 1, 1, 0, 0, {0, 0, 0}},
        {"blocks do not mix: left of the edge", one100, columnsAt20, {0, 0, 40, 40}, 4, 4, 1, 1, {200, 200, 200}},
        {"blocks do not mix: right of the edge", one100, columnsAt20, {0, 0, 40, 40}, 4, 4, 2, 1,
         {100, 100, 100}},
        {"an area smaller than the lens repeats its pixels", one100, columnsAt20, {18, 0, 22, 4}, 8, 8, 3, 3,
         {200, 200, 200}},
        {"a monitor left of and above the primary", leftAbove, byMonitor, {-30, -20, 30, 40}, 2, 2, 0, 0,
         {50, 50, 50}},
        {"beside it, above the primary's top, black; 10 rows of 30 on the primary", leftAbove, byMonitor,
         {-30, -20, 30, 40}, 2, 2, 1, 0, {67, 67, 67}},
        {"half on each of two monitors one above the other", stacked, byMonitor, {0, 90, 10, 110}, 1, 1, 0, 0,
         {150, 150, 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Picture lens = Reduced(c.monitors, c.paint, c.area, c.lensWidth, c.lensHeight);
        EXPECT_EQ(lens.At(c.lensX, c.lensY), c.expected);
    }
}

// The rule itself, pixel by pixel: block i of `size` pixels cut for `count`
// runs from floor(i * size / count) to the next block's start (at least one
// pixel); what no monitor shows adds black; halves round up.
Colour ExpectedAverage(const std::vector<PixelRect>& monitors, const Paint& paint, const PixelRect& area,
                       int32_t width, int32_t height, int32_t u, int32_t v) {
    const auto start = [](int32_t i, int32_t size, int32_t count) {
        return static_cast<int32_t>(int64_t{i} * size / count);
    };
    const int32_t left = area.left + start(u, area.Width(), width);
    const int32_t right = std::max(area.left + start(u + 1, area.Width(), width), left + 1);
    const int32_t top = area.top + start(v, area.Height(), height);
    const int32_t bottom = std::max(area.top + start(v + 1, area.Height(), height), top + 1);
    uint64_t sums[3] = {0, 0, 0};
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = left; x < right; ++x)
            if (std::any_of(monitors.begin(), monitors.end(), [&](const PixelRect& m) { return m.Contains(x, y); })) {
                const Colour colour = paint(x, y);
                for (int channel = 0; channel < 3; ++channel) sums[channel] += colour[channel];
            }
    const uint64_t count = uint64_t(right - left) * uint64_t(bottom - top);
    Colour average;
    for (int channel = 0; channel < 3; ++channel)
        average[channel] = static_cast<uint8_t>((sums[channel] + count / 2) / count);
    return average;
}

// Every pixel of the lens, on layouts that one mirror follows in turn (as
// the saver's does when monitors come and go): monitors at negative
// coordinates (one larger than a redraw reads), one above another, with gaps, overlapping, with heights that
// end inside a band, and blocks taller than 16-bit sums allow.
TEST(SaverAreaAverage, EveryPixelFollowsTheRuleOnEveryLayoutInTurn) {
    const Paint paint = [](int32_t x, int32_t y) {
        return Colour{static_cast<uint8_t>(x * 7 + y * 3), static_cast<uint8_t>(x ^ y),
                      static_cast<uint8_t>((x * y) >> 3)};
    };
    const struct Case {
        const char* what;
        std::vector<PixelRect> monitors;
        PixelRect area;
        int32_t lensWidth, lensHeight;
    } cases[] = {
        {"one monitor, the area beyond its corner", {{0, 0, 301, 203}}, {-37, 150, 263, 249}, 13, 11},
        {"left of and above the primary", {{0, 0, 160, 120}, {-150, -61, 0, 99}}, {-101, -43, 95, 101}, 17, 9},
        // More than a redraw reads: only what the source covers is read.
        {"a large monitor left of and above it", {{0, 0, 160, 120}, {-1280, -512, 0, 512}}, {-101, -43, 95, 101}, 17,
         9},
        {"one above another, with a gap beside", {{0, 0, 90, 70}, {10, 70, 70, 133}}, {-3, 13, 101, 130}, 11, 13},
        {"overlapping, the second one mirroring part of the first", {{0, 0, 120, 90}, {40, 30, 200, 90}},
         {17, 2, 190, 89}, 9, 7},
        {"blocks of 300 rows", {{0, 0, 150, 700}}, {5, 3, 125, 603}, 3, 2},
        {"a lens larger than the area", {{0, 0, 64, 64}}, {20, 21, 27, 25}, 15, 9},
    };
    DesktopMirror mirror;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(mirror.Follow(c.monitors, 1 << 30));
        Refresh(mirror, c.area, paint);
        Picture lens(c.lensWidth, c.lensHeight);
        mirror.Average(c.area, lens.pixels);
        int wrong = 0;
        for (int32_t v = 0; v < c.lensHeight; ++v)
            for (int32_t u = 0; u < c.lensWidth; ++u) {
                const Colour expected = ExpectedAverage(c.monitors, paint, c.area, c.lensWidth, c.lensHeight, u, v);
                if (lens.At(u, v) != expected && ++wrong <= 3)
                    ADD_FAILURE() << "lens pixel " << u << "," << v << ": " << int{lens.At(u, v)[0]} << " "
                                  << int{lens.At(u, v)[1]} << " " << int{lens.At(u, v)[2]} << ", expected "
                                  << int{expected[0]} << " " << int{expected[1]} << " " << int{expected[2]};
            }
        EXPECT_EQ(wrong, 0);
    }
}

// A copy larger than it may take is not made: the lens is then reduced
// without one.
TEST(SaverAreaAverage, NoCopyBeyondTheMemoryItMayTake) {
    DesktopMirror mirror;
    EXPECT_TRUE(mirror.Follow({{0, 0, 100, 100}}, 40000));
    EXPECT_FALSE(mirror.Follow({{0, 0, 100, 100}, {100, 0, 101, 1}}, 40000));
    EXPECT_TRUE(mirror.ReadsFor({0, 0, 100, 100}, 0).empty());
}

// When each tile of the monitors was last read, judged from the
// rectangles the plan asks to read rather than from its own books.
class TilesRead {
public:
    explicit TilesRead(const std::vector<PixelRect>& monitors) : monitors_(monitors) {
        for (const PixelRect& monitor : monitors)
            readMs_.emplace_back(static_cast<size_t>(Columns(monitor) * Rows(monitor)),
                                 -std::numeric_limits<double>::infinity());
    }
    // Tiles that `read` covers whole count as read at `nowMs`.
    void Read(const PixelRect& read, double nowMs) {
        ForTiles(read, [&](const PixelRect& tile, double& readMs) {
            if (forms::Intersection(tile, read) == tile) readMs = nowMs;
        });
    }
    // When the longest unread tile `source` touches was read.
    double Oldest(const PixelRect& source) {
        double oldest = std::numeric_limits<double>::infinity();
        ForTiles(source, [&](const PixelRect&, double& readMs) { oldest = std::min(oldest, readMs); });
        return oldest;
    }

private:
    static int32_t Columns(const PixelRect& m) {
        return (m.Width() + RefreshPlan::kTileWidth - 1) / RefreshPlan::kTileWidth;
    }
    static int32_t Rows(const PixelRect& m) {
        return (m.Height() + RefreshPlan::kTileHeight - 1) / RefreshPlan::kTileHeight;
    }
    // Calls `visit` for each tile that `rect` touches, clipped to its monitor.
    template <typename Visit>
    void ForTiles(const PixelRect& rect, Visit visit) {
        for (size_t i = 0; i < monitors_.size(); ++i) {
            const PixelRect& m = monitors_[i];
            const PixelRect part = forms::Intersection(m, rect);
            if (part.IsEmpty()) continue;
            constexpr int32_t w = RefreshPlan::kTileWidth, h = RefreshPlan::kTileHeight;
            for (int32_t row = (part.top - m.top) / h; row * h < part.bottom - m.top; ++row)
                for (int32_t column = (part.left - m.left) / w; column * w < part.right - m.left; ++column) {
                    const PixelRect tile = forms::Intersection(
                        m, {m.left + column * w, m.top + row * h, m.left + (column + 1) * w, m.top + (row + 1) * h});
                    visit(tile, readMs_[i][static_cast<size_t>(row * Columns(m) + column)]);
                }
        }
    }

    std::vector<PixelRect> monitors_;
    std::vector<std::vector<double>> readMs_;
};

// A lens circling over the desktop as the saver's cursor does (a circle of
// a fifteenth of the primary's width, 12 degrees and a drift of 2 pixels
// each way per redraw, bouncing off the desktop's edges) for 30 s at 50
// redraws a second: whatever it shows was read within half a second (as
// its reads show, and as it counts it itself for the bench), and each
// redraw reads no more than the budget, besides what it shows for the
// first time.
TEST(SaverRefreshPlan, WhatTheLensShowsIsNeverOlderThanHalfASecond) {
    constexpr double kRedrawMs = 20;
    constexpr int kRedraws = 1500;
    constexpr int32_t kLensWidth = 156, kLensHeight = 151;
    const auto monitorsInARow = [](int count, int32_t width, int32_t height) {
        std::vector<PixelRect> monitors;
        for (int i = 0; i < count; ++i) monitors.push_back({i * width, 0, (i + 1) * width, height});
        return monitors;
    };
    const struct Layout {
        const char* what;
        std::vector<PixelRect> monitors;
    } layouts[] = {
        {"1920x1080", monitorsInARow(1, 1920, 1080)},
        {"3840x2160", monitorsInARow(1, 3840, 2160)},
        {"two 3840x2160 side by side", monitorsInARow(2, 3840, 2160)},
        {"three 3840x2160 in a row", monitorsInARow(3, 3840, 2160)},
    };
    for (const Layout& layout : layouts) {
        const PixelRect& primary = layout.monitors.front();
        const int32_t desktopWidth = layout.monitors.back().right;
        const int32_t radius = primary.Width() / 15;
        for (int32_t magnification : {5, 10, 50}) {
            SCOPED_TRACE(std::string(layout.what) + " at " + std::to_string(magnification) + " %");
            RefreshPlan plan;
            plan.Follow(layout.monitors);
            TilesRead tilesRead(layout.monitors);
            int miscounted = 0;
            int32_t centreX = primary.Width() / 2, centreY = primary.Height() / 2, driftX = 2, driftY = 2;
            double oldestMs = 0;
            int64_t pixelsRead = 0;
            for (int redraw = 0; redraw < kRedraws; ++redraw) {
                if (centreX + driftX + radius > desktopWidth || centreX + driftX - radius < 0) driftX = -driftX;
                if (centreY + driftY + radius > primary.bottom || centreY + driftY - radius < 0) driftY = -driftY;
                centreX += driftX;
                centreY += driftY;
                const double angle = redraw * 12 * std::acos(-1.0) / 180;
                const SourceRect s = ViewSourceRect(centreX + static_cast<int32_t>(radius * std::sin(angle)),
                                                    centreY - static_cast<int32_t>(radius * std::cos(angle)),
                                                    magnification, kLensWidth, kLensHeight);
                const PixelRect source{s.x, s.y, s.x + s.width, s.y + s.height};
                const double now = redraw * kRedrawMs;
                for (const PixelRect& read : plan.ReadsFor(source, now)) {
                    pixelsRead += int64_t{read.Width()} * read.Height();
                    tilesRead.Read(read, now);
                }
                const double shownReadMs = tilesRead.Oldest(source);
                oldestMs = std::max(oldestMs, now - shownReadMs);
                miscounted += plan.OldestReadMs(source) != shownReadMs;
            }
            EXPECT_LE(oldestMs, 500);
            EXPECT_EQ(miscounted, 0) << "redraws at which the plan's own oldest tile shown was not what it read";
            int64_t desktopPixels = 0;
            for (const PixelRect& monitor : layout.monitors)
                desktopPixels += int64_t{monitor.Width()} * monitor.Height();
            // It reads whole rows of tiles: the last may go past the budget.
            const int64_t row = int64_t{primary.Width()} * RefreshPlan::kTileHeight;
            EXPECT_LE(pixelsRead, kRedraws * (RefreshPlan::kPixelsPerRedraw + row) + desktopPixels);
        }
    }
}

}  // namespace
}  // namespace zoomorb::saver
