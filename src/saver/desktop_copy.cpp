#include "saver/desktop_copy.h"

#include <algorithm>

namespace zoomorb::saver {
namespace {

// Under Wine a read from the screen slows sharply beyond about 600 KB
// (1.2 MB took 40 times as long as 600 KB): larger rectangles are read in
// parts of at most this many pixels, whole bands of rows each.
constexpr int32_t kMostPixelsPerRead = 144 * 1024;
// The rows the picture a read lands in holds; narrow rectangles are read
// in parts of at most this many rows.
constexpr int32_t kMostRowsPerRead = 256;

int32_t RowsPerRead(int32_t width) {
    const int32_t rows = std::min(kMostRowsPerRead, kMostPixelsPerRead / std::max(width, 1));
    return std::max(rows / SummedCopy::kBandRows * SummedCopy::kBandRows, SummedCopy::kBandRows);
}

}  // namespace

bool DesktopCopy::Follow(const std::vector<forms::PixelRect>& monitors) {
    read_.Create(0, 0);
    if (!mirror_.Follow(monitors, kMostBytes)) return false;
    int32_t widest = 0;
    for (const forms::PixelRect& monitor : monitors) widest = std::max(widest, monitor.Width());
    if (read_.Create(widest, kMostRowsPerRead)) return true;
    mirror_.Follow({}, 0);
    return false;
}

void DesktopCopy::Refresh(HDC screen, const forms::PixelRect& area, double nowMs) {
    if (!read_) return;
    for (const forms::PixelRect& read : mirror_.ReadsFor(area, nowMs)) {
        const int32_t rows = RowsPerRead(read.Width());
        for (int32_t top = read.top; top < read.bottom; top += rows) {
            const forms::PixelRect part{read.left, top, read.right, std::min(read.bottom, top + rows)};
            // Each read lies on one monitor: a copy that reaches past the
            // screen's edge gives black throughout under Wine.
            if (!BitBlt(read_.Dc(), 0, 0, part.Width(), part.Height(), screen, part.left, part.top, SRCCOPY)) continue;
            GdiFlush();
            mirror_.Store(part, read_.Pixels());
        }
    }
}

}  // namespace zoomorb::saver
