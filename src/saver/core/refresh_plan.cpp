#include "refresh_plan.h"

#include <algorithm>
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
        const Grid grid{area, (area.Width() + kTileWidth - 1) / kTileWidth,
                        (area.Height() + kTileHeight - 1) / kTileHeight, readMs_.size()};
        for (int32_t row = 0; row < grid.rows; ++row)
            for (int32_t column = 0; column < grid.columns; ++column)
                pixels_.push_back(static_cast<uint16_t>(std::min(kTileWidth, area.Width() - column * kTileWidth) *
                                                        std::min(kTileHeight, area.Height() - row * kTileHeight)));
        readMs_.resize(pixels_.size(), kNever);
        grids_.push_back(grid);
    }
    chosen_.assign(readMs_.size(), 0);
    redrawn_ = false;
}

RefreshPlan::TileRange RefreshPlan::TilesOf(const Grid& grid, const forms::PixelRect& rect) {
    const forms::PixelRect part = forms::Intersection(grid.area, rect);
    if (part.IsEmpty()) return TileRange{0, 0, 0, 0};
    return TileRange{(part.left - grid.area.left) / kTileWidth, (part.top - grid.area.top) / kTileHeight,
                     (part.right - grid.area.left + kTileWidth - 1) / kTileWidth,
                     (part.bottom - grid.area.top + kTileHeight - 1) / kTileHeight};
}

void RefreshPlan::Choose(size_t tile, int64_t& budget) {
    chosen_[tile] = 1;
    budget -= pixels_[tile];
}

void RefreshPlan::ChooseOldest(int64_t& budget) {
    // The longest unread first; of those read at once, the first in the
    // region's rows, so that what is read at once stays in long runs.
    const auto older = [this](size_t a, size_t b) {
        return readMs_[a] < readMs_[b] || (readMs_[a] == readMs_[b] && a < b);
    };
    auto next = candidates_.begin();
    while (budget > 0 && next != candidates_.end()) {
        const auto wanted = std::min<int64_t>(candidates_.end() - next, budget / (kTileWidth * kTileHeight) + 1);
        const auto last = next + static_cast<std::ptrdiff_t>(wanted);
        std::nth_element(next, last - 1, candidates_.end(), older);
        std::sort(next, last, older);
        for (; next != last && budget > 0; ++next) Choose(*next, budget);
    }
}

std::vector<forms::PixelRect> RefreshPlan::ReadsFor(const forms::PixelRect& source, double nowMs) {
    const double share = redrawn_ ? std::clamp((nowMs - lastRedrawMs_) / kRedrawMs, 0.5, 3.0) : 1.0;
    int64_t budget = static_cast<int64_t>(kPixelsPerRedraw * share);
    lastRedrawMs_ = nowMs;
    redrawn_ = true;
    candidates_.clear();
    for (const Grid& grid : grids_) {
        const TileRange shown = TilesOf(grid, source);
        for (int32_t row = shown.top; row < shown.bottom; ++row)
            for (int32_t column = shown.left; column < shown.right; ++column) {
                const size_t tile = grid.first + static_cast<size_t>(row) * grid.columns + column;
                if (readMs_[tile] == kNever)
                    Choose(tile, budget);
                else
                    candidates_.push_back(tile);
            }
    }
    ChooseOldest(budget);
    if (budget > 0) {
        candidates_.clear();
        for (const Grid& grid : grids_) {
            const TileRange shown = TilesOf(grid, source);
            for (int32_t row = 0; row < grid.rows; ++row)
                for (int32_t column = 0; column < grid.columns; ++column) {
                    const bool inSource =
                        row >= shown.top && row < shown.bottom && column >= shown.left && column < shown.right;
                    if (!inSource) candidates_.push_back(grid.first + static_cast<size_t>(row) * grid.columns + column);
                }
        }
        ChooseOldest(budget);
    }
    std::vector<forms::PixelRect> reads;
    for (const Grid& grid : grids_) AddReads(grid, reads);
    for (size_t tile = 0; tile < chosen_.size(); ++tile)
        if (chosen_[tile]) {
            readMs_[tile] = nowMs;
            chosen_[tile] = 0;
        }
    return reads;
}

void RefreshPlan::AddReads(const Grid& grid, std::vector<forms::PixelRect>& reads) {
    // Runs of chosen tiles along each row of tiles, each continuing the
    // rectangle of the same columns in the row above where there is one.
    struct Run {
        int32_t left, right;
        size_t read;
    };
    std::vector<Run> above, here;
    for (int32_t row = 0; row < grid.rows; ++row) {
        here.clear();
        const uint8_t* const chosen = chosen_.data() + grid.first + static_cast<size_t>(row) * grid.columns;
        for (int32_t column = 0; column < grid.columns;) {
            if (!chosen[column]) {
                ++column;
                continue;
            }
            const int32_t left = column;
            while (column < grid.columns && chosen[column]) ++column;
            const auto same = std::find_if(above.begin(), above.end(),
                                           [&](const Run& run) { return run.left == left && run.right == column; });
            const int32_t bottom = std::min(grid.area.top + (row + 1) * kTileHeight, grid.area.bottom);
            if (same != above.end()) {
                reads[same->read].bottom = bottom;
                here.push_back(Run{left, column, same->read});
            } else {
                here.push_back(Run{left, column, reads.size()});
                reads.push_back(forms::PixelRect{grid.area.left + left * kTileWidth, grid.area.top + row * kTileHeight,
                                                 std::min(grid.area.left + column * kTileWidth, grid.area.right),
                                                 bottom});
            }
        }
        std::swap(above, here);
    }
}

double RefreshPlan::OldestReadMs(const forms::PixelRect& source) const {
    double oldest = std::numeric_limits<double>::infinity();
    for (const Grid& grid : grids_) {
        const TileRange shown = TilesOf(grid, source);
        for (int32_t row = shown.top; row < shown.bottom; ++row)
            for (int32_t column = shown.left; column < shown.right; ++column)
                oldest = std::min(oldest, readMs_[grid.first + static_cast<size_t>(row) * grid.columns + column]);
    }
    return oldest;
}

}  // namespace zoomorb::saver
