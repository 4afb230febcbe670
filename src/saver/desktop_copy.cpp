#include "saver/desktop_copy.h"

#include <algorithm>

namespace zoomorb::saver {
namespace {

// Under Wine a read from the screen slows sharply beyond about 600 KB
// (720 KB took nine times as long as 600 KB): larger rectangles are read in
// parts of at most this many pixels, whole bands of rows each.
constexpr int32_t kMostPixelsPerRead = 144 * 1024;
// The widths of the pictures reads land in, besides the widest monitor's.
constexpr int32_t kNarrowReadWidths[] = {2 * RefreshPlan::kTileWidth, 8 * RefreshPlan::kTileWidth};

int32_t RowsPerRead(int32_t width) {
    const int32_t rows = kMostPixelsPerRead / std::max(width, 1);
    return std::max(rows / SummedCopy::kBandRows * SummedCopy::kBandRows, SummedCopy::kBandRows);
}

}  // namespace

bool DesktopCopy::Follow(const std::vector<forms::PixelRect>& monitors) {
    reads_.clear();
    if (!mirror_.Follow(monitors, kMostBytes)) return false;
    int32_t widest = 0;
    for (const forms::PixelRect& monitor : monitors) widest = std::max(widest, monitor.Width());
    std::vector<int32_t> widths;
    for (const int32_t width : kNarrowReadWidths)
        if (width < widest) widths.push_back(width);
    widths.push_back(widest);
    reads_.resize(widths.size());
    for (size_t i = 0; i < widths.size(); ++i) {
        if (reads_[i].Create(widths[i], RowsPerRead(widths[i]))) continue;
        reads_.clear();
        mirror_.Follow({}, 0);
        return false;
    }
    return true;
}

void DesktopCopy::Refresh(HDC screen, const forms::PixelRect& area, double nowMs) {
    if (reads_.empty()) return;
    for (const forms::PixelRect& read : mirror_.ReadsFor(area, nowMs)) {
        const auto fits = std::find_if(reads_.begin(), reads_.end(),
                                       [&](const Bitmap32& picture) { return picture.Pixels().width >= read.Width(); });
        if (fits == reads_.end()) continue;
        const int32_t rows = fits->Pixels().height;
        for (int32_t top = read.top; top < read.bottom; top += rows) {
            const forms::PixelRect part{read.left, top, read.right, std::min(read.bottom, top + rows)};
            // Each read lies on one monitor: a copy that reaches past the
            // screen's edge gives black throughout under Wine. What cannot
            // be read at all is kept black, as what no monitor shows.
            const Pixels32& pixels = fits->Pixels();
            const bool read =
                BitBlt(fits->Dc(), 0, 0, part.Width(), part.Height(), screen, part.left, part.top, SRCCOPY);
            GdiFlush();
            if (!read)
                for (int32_t row = 0; row < part.Height(); ++row)
                    std::fill_n(pixels.Pixel(0, row), std::size_t{4} * part.Width(), uint8_t{0});
            mirror_.Store(part, pixels);
        }
    }
}

}  // namespace zoomorb::saver
