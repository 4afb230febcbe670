#include "refresh_plan.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zoomorb::saver {
namespace {

constexpr double kNever = -std::numeric_limits<double>::infinity();

}  // namespace

void RefreshPlan::Follow(const std::vector<forms::PixelRect>& regions) {
    grids_.clear();
    readMs_.clear();
    pixels_.clear();
    for (const forms::PixelRect& area : regions) {
        if (area.IsEmpty()) continue;
        Grid grid{area, (area.Width() + kTileWidth - 1) / kTileWidth, (area.Height() + kTileHeight - 1) / kTileHeight,
                  readMs_.size(), {}, {}};
        for (int32_t row = 0; row < grid.rows; ++row)
            for (int32_t column = 0; column < grid.columns; ++column)
                pixels_.push_back(static_cast<uint16_t>(std::min(kTileWidth, area.Width() - column * kTileWidth) *
                                                        std::min(kTileHeight, area.Height() - row * kTileHeight)));
        grid.acrossSourceMs.assign(static_cast<size_t>(grid.rows), kNever);
        grid.wholeMs.assign(static_cast<size_t>(grid.rows), kNever);
        readMs_.resize(pixels_.size(), kNever);
        grids_.push_back(std::move(grid));
    }
    chosen_.assign(readMs_.size(), 0);
    redrawn_ = false;
}

RefreshPlan::TileRange RefreshPlan::Grid::TilesOf(const forms::PixelRect& rect) const {
    const forms::PixelRect part = forms::Intersection(area, rect);
    if (part.IsEmpty()) return TileRange{0, 0, 0, 0};
    return TileRange{(part.left - area.left) / kTileWidth, (part.top - area.top) / kTileHeight,
                     (part.right - area.left + kTileWidth - 1) / kTileWidth,
                     (part.bottom - area.top + kTileHeight - 1) / kTileHeight};
}

void RefreshPlan::Choose(size_t tile, int64_t& budget) {
    if (chosen_[tile]) return;
    chosen_[tile] = 1;
    budget -= pixels_[tile];
}

void RefreshPlan::ChooseRow(const Grid& grid, int32_t row, int32_t left, int32_t right, int64_t& budget) {
    for (int32_t column = left; column < right; ++column) Choose(grid.Tile(row, column), budget);
}

void RefreshPlan::Sweep(const std::vector<Rows>& rows, double roundMs, double sinceMs, double nowMs,
                        int64_t& budget) {
    struct Row {
        double readMs;
        size_t rows;
        int32_t row;
    };
    std::vector<Row> order;
    int64_t pixels = 0, overdue = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int64_t rowPixels = int64_t{rows[i].range.right - rows[i].range.left} * kTileWidth * kTileHeight;
        for (int32_t row = rows[i].range.top; row < rows[i].range.bottom; ++row) {
            const double readMs = (*rows[i].readMs)[static_cast<size_t>(row)];
            order.push_back(Row{readMs, i, row});
            pixels += rowPixels;
            if (nowMs - readMs >= roundMs) overdue += rowPixels;
        }
    }
    // Of rows read at once, the first in their grid first: rows read
    // together stay together, in few rectangles.
    std::sort(order.begin(), order.end(), [](const Row& a, const Row& b) {
        return a.readMs < b.readMs ||
               (a.readMs == b.readMs && (a.rows < b.rows || (a.rows == b.rows && a.row < b.row)));
    });
    const int64_t given =
        std::min(budget, std::max(overdue, static_cast<int64_t>(std::ceil(pixels * sinceMs / roundMs))));
    int64_t share = given;
    for (size_t done = 0; done < order.size() && share > 0; ++done) {
        const Rows& some = rows[order[done].rows];
        ChooseRow(*some.grid, order[done].row, some.range.left, some.range.right, share);
        (*some.readMs)[static_cast<size_t>(order[done].row)] = nowMs;
    }
    budget -= given - share;
}

std::vector<forms::PixelRect> RefreshPlan::ReadsFor(const forms::PixelRect& source, double nowMs) {
    const double sinceMs = redrawn_ ? std::clamp(nowMs - lastRedrawMs_, kRedrawMs / 2, 3 * kRedrawMs) : kRedrawMs;
    int64_t budget = static_cast<int64_t>(kPixelsPerRedraw * sinceMs / kRedrawMs);
    lastRedrawMs_ = nowMs;
    redrawn_ = true;
    std::vector<Rows> acrossSource, whole;
    for (Grid& grid : grids_) {
        whole.push_back(Rows{&grid, TileRange{0, 0, grid.columns, grid.rows}, &grid.wholeMs});
        const TileRange shown = grid.TilesOf(source);
        if (shown.top == shown.bottom) continue;
        acrossSource.push_back(Rows{&grid, shown, &grid.acrossSourceMs});
        for (int32_t row = shown.top; row < shown.bottom; ++row) {
            double& rowReadMs = grid.acrossSourceMs[static_cast<size_t>(row)];
            if (rowReadMs == kNever) {
                // A row never read is read across the source at once.
                ChooseRow(grid, row, shown.left, shown.right, budget);
                rowReadMs = nowMs;
                continue;
            }
            // So are tiles at its ends that came into view since it was.
            for (int32_t column = shown.left; column < shown.right; ++column) {
                const size_t tile = grid.Tile(row, column);
                if (readMs_[tile] < rowReadMs) Choose(tile, budget);
            }
        }
    }
    Sweep(acrossSource, kSourceRoundMs, sinceMs, nowMs, budget);
    Sweep(whole, kDesktopRoundMs, sinceMs, nowMs, budget);
    std::vector<forms::PixelRect> reads;
    for (const Grid& grid : grids_) AddReads(grid, reads);
    for (size_t tile = 0; tile < chosen_.size(); ++tile)
        if (chosen_[tile]) {
            readMs_[tile] = nowMs;
            chosen_[tile] = 0;
        }
    return reads;
}

void RefreshPlan::AddReads(const Grid& grid, std::vector<forms::PixelRect>& reads) const {
    // Each row of tiles in runs of chosen ones. A rectangle from the rows
    // above goes on down through any run that spans its columns, so that a
    // strip of tiles that came into view at a row's ends stays one read
    // where it crosses rows read across; what of a run no rectangle goes on
    // through starts a new one.
    struct Open {
        int32_t left, right;
        size_t read;
    };
    std::vector<Open> open, next;
    std::vector<uint8_t> covered;
    for (int32_t row = 0; row < grid.rows; ++row) {
        next.clear();
        const uint8_t* const chosen = chosen_.data() + grid.Tile(row, 0);
        covered.assign(static_cast<size_t>(grid.columns), 0);
        const int32_t bottom = std::min(grid.area.top + (row + 1) * kTileHeight, grid.area.bottom);
        for (const Open& rect : open) {
            if (!std::all_of(chosen + rect.left, chosen + rect.right, [](uint8_t c) { return c != 0; })) continue;
            reads[rect.read].bottom = bottom;
            std::fill(covered.begin() + rect.left, covered.begin() + rect.right, uint8_t{1});
            next.push_back(rect);
        }
        for (int32_t column = 0; column < grid.columns;) {
            if (!chosen[column] || covered[static_cast<size_t>(column)]) {
                ++column;
                continue;
            }
            const int32_t left = column;
            while (column < grid.columns && chosen[column] && !covered[static_cast<size_t>(column)]) ++column;
            next.push_back(Open{left, column, reads.size()});
            reads.push_back(forms::PixelRect{grid.area.left + left * kTileWidth, grid.area.top + row * kTileHeight,
                                             std::min(grid.area.left + column * kTileWidth, grid.area.right),
                                             bottom});
        }
        std::swap(open, next);
    }
}

double RefreshPlan::OldestReadMs(const forms::PixelRect& source) const {
    double oldest = std::numeric_limits<double>::infinity();
    for (const Grid& grid : grids_) {
        const TileRange shown = grid.TilesOf(source);
        for (int32_t row = shown.top; row < shown.bottom; ++row)
            for (int32_t column = shown.left; column < shown.right; ++column)
                oldest = std::min(oldest, readMs_[grid.Tile(row, column)]);
    }
    return oldest;
}

}  // namespace zoomorb::saver
