#pragma once
// Which parts of the desktop the saver reads again at a redraw below 100 %.
// Reading the screen is most of what such a redraw costs, so the copy the
// lens is reduced from (see summed_copy.h) is brought up to date a budget
// of pixels at a time, in tiles. First what the lens shows: the tiles its
// source covers on each monitor, those never read all at once whatever the
// budget (the lens never shows what was not read), then the longest unread.
// Then, with what is left of the budget, the rest of the desktop, the
// longest unread first, so that what comes into view is seldom old.

#include <cstdint>
#include <vector>

#include "forms/core/pixel_rect.h"

namespace zoomorb::saver {

class RefreshPlan {
public:
    // Tiles begin at their region's top-left corner; their height is a
    // whole number of the summed copy's bands.
    static constexpr int32_t kTileWidth = 64;
    static constexpr int32_t kTileHeight = 16;
    // Pixels read per redraw, at 50 redraws a second: whatever the lens
    // shows stays within half a second old even at 5 % on a 4K monitor,
    // where its source covers 3120 x 2160 pixels (6.9 million in whole
    // tiles) and sweeps 512 pixels to and fro with the cursor's circle.
    // Reading them takes Wine and the X server about a millisecond. A
    // redraw that comes later than 20 ms after the one before reads as much
    // more (up to three times as much, as on a host too busy for 50 redraws
    // a second), one that comes sooner as much less (down to half), so that
    // what is read each second stays the same.
    static constexpr int64_t kPixelsPerRedraw = 336 * 1024;
    static constexpr double kRedrawMs = 20;

    // The regions of the desktop to keep (virtual-screen pixels, not
    // overlapping), none of them read yet.
    void Follow(const std::vector<forms::PixelRect>& regions);
    // What to read for a redraw at `nowMs` whose lens shows `source`
    // (virtual-screen pixels): rectangles of whole tiles, each in one
    // region. They count as read at `nowMs` from now on.
    std::vector<forms::PixelRect> ReadsFor(const forms::PixelRect& source, double nowMs);
    // When the longest unread tile that `source` covers was read; infinity
    // when it covers none.
    double OldestReadMs(const forms::PixelRect& source) const;

private:
    // The tiles of one region, row by row, from `first` on in readMs_.
    struct Grid {
        forms::PixelRect area;
        int32_t columns;
        int32_t rows;
        size_t first;
    };
    struct TileRange {
        int32_t left, top, right, bottom;  // in tiles
    };
    static TileRange TilesOf(const Grid& grid, const forms::PixelRect& rect);
    void Choose(size_t tile, int64_t& budget);
    void ChooseOldest(int64_t& budget);
    void AddReads(const Grid& grid, std::vector<forms::PixelRect>& reads);

    std::vector<Grid> grids_;
    // For each tile: when it was last read (minus infinity for never), and
    // its pixels (fewer along a region's right and bottom edges).
    std::vector<double> readMs_;
    std::vector<uint16_t> pixels_;
    double lastRedrawMs_ = 0;
    bool redrawn_ = false;
    // Working memory of ReadsFor: the tiles in line for the budget, and
    // those chosen at this redraw.
    std::vector<size_t> candidates_;
    std::vector<uint8_t> chosen_;
};

}  // namespace zoomorb::saver
