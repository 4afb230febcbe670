#pragma once
// Which parts of the desktop the saver reads again at a redraw below 100 %.
// Reading the screen is most of what such a redraw costs, and each read
// asks the X server under Wine, so few large reads cost less than many
// small ones. The copy the lens is reduced from (see summed_copy.h) is kept
// in tiles, each with the time it was read, and brought up to date in rows
// of tiles, within a budget of pixels per redraw:
// - What the lens shows first, on each monitor. Tiles it shows that were
//   never read, or that came into view at the ends of a row since that row
//   was last read across the source, are read at once whatever the budget,
//   so that nothing the lens shows is older than the row it lies in. Then
//   rows across the source, the longest unread first, as many as bring
//   them all round within 0.4 s: they stay in long runs from one redraw to
//   the next.
// - Then, as far as the budget goes, the rest of the desktop, whole rows of
//   each monitor the same way, round within 4 s, so that what comes into
//   view is seldom old.
// Where the source is small, a redraw reads far less than the budget.

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
    // The most pixels read per redraw, at 50 redraws a second: enough to
    // keep whatever the lens shows within half a second old even at 5 % on
    // a 4K monitor, where its source covers 3120 x 2160 pixels (6.9 million
    // in whole tiles) and sweeps 512 pixels to and fro with the cursor's
    // circle; reading them takes Wine and the X server one to three
    // milliseconds. A redraw that comes later than 20 ms after the one
    // before may read as much more (up to three times as much, as on a host
    // too busy for 50 redraws a second), one that comes sooner as much less
    // (down to half), so that what is read each second stays the same.
    static constexpr int64_t kPixelsPerRedraw = 336 * 1024;
    static constexpr double kRedrawMs = 20;
    // How soon rows across the source, and all of the desktop, come round.
    static constexpr double kSourceRoundMs = 400;
    static constexpr double kDesktopRoundMs = 4000;

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
    struct TileRange {
        int32_t left, top, right, bottom;  // in tiles
    };
    // The tiles of one region, row by row, from `first` on in readMs_.
    struct Grid {
        forms::PixelRect area;
        int32_t columns;
        int32_t rows;
        size_t first;
        // When each row of tiles was last read across the source, and from
        // edge to edge.
        std::vector<double> acrossSourceMs;
        std::vector<double> wholeMs;

        size_t Tile(int32_t row, int32_t column) const { return first + static_cast<size_t>(row) * columns + column; }
        TileRange TilesOf(const forms::PixelRect& rect) const;
    };
    // Rows of tiles of some grids, each a range of their columns, with when
    // each row was last read across that range.
    struct Rows {
        Grid* grid;
        TileRange range;
        std::vector<double>* readMs;
    };

    void Choose(size_t tile, int64_t& budget);
    void ChooseRow(const Grid& grid, int32_t row, int32_t left, int32_t right, int64_t& budget);
    // Reads rows of `rows`, the longest unread first: as many as bring them
    // all round within `roundMs` (`sinceMs` after the last redraw), and all
    // that are older than that, as far as the budget goes.
    void Sweep(const std::vector<Rows>& rows, double roundMs, double sinceMs, double nowMs, int64_t& budget);
    void AddReads(const Grid& grid, std::vector<forms::PixelRect>& reads) const;

    std::vector<Grid> grids_;
    // For each tile: when it was last read (minus infinity for never), and
    // its pixels (fewer along a region's right and bottom edges).
    std::vector<double> readMs_;
    std::vector<uint16_t> pixels_;
    double lastRedrawMs_ = 0;
    bool redrawn_ = false;
    // The tiles chosen at this redraw.
    std::vector<uint8_t> chosen_;
};

}  // namespace zoomorb::saver
