#include "saver/desktop_copy.h"

#include <algorithm>

namespace zoomorb::saver {
namespace {

// Rows read again per redraw, counted in pixels: about a tenth of a
// 1920 x 1080 screen, which Wine reads in well under a millisecond, so that
// a source of a whole screen is fresh again within half a second.
constexpr int64_t kPixelsPerRedraw = 192 * 1024;

}  // namespace

bool DesktopCopy::Follow(const std::vector<forms::PixelRect>& monitors) {
    monitors_ = monitors;
    bounds_ = forms::PixelRect{};
    rows_.Forget(0);
    if (monitors.empty()) return false;
    forms::PixelRect bounds = monitors.front();
    for (const forms::PixelRect& monitor : monitors) {
        bounds.left = std::min(bounds.left, monitor.left);
        bounds.top = std::min(bounds.top, monitor.top);
        bounds.right = std::max(bounds.right, monitor.right);
        bounds.bottom = std::max(bounds.bottom, monitor.bottom);
    }
    // Black to begin with: what no monitor shows stays so.
    if (!copy_.Create(bounds.Width(), bounds.Height())) return false;
    bounds_ = bounds;
    rows_.Forget(bounds.Height());
    return true;
}

void DesktopCopy::Refresh(HDC screen, const forms::PixelRect& area) {
    if (!copy_) return;
    const int32_t budget = static_cast<int32_t>(std::max<int64_t>(kPixelsPerRedraw / bounds_.Width(), 1));
    for (const RowSpan& span : rows_.RowsToRead(area.top - bounds_.top, area.bottom - bounds_.top, budget)) {
        const forms::PixelRect band{bounds_.left, bounds_.top + span.first, bounds_.right, bounds_.top + span.end};
        // Only from a monitor: a copy that reaches past the screen's edge
        // gives black throughout under Wine, not only outside.
        for (const forms::PixelRect& monitor : monitors_) {
            const forms::PixelRect part = forms::Intersection(band, monitor);
            if (part.IsEmpty()) continue;
            BitBlt(copy_.Dc(), part.left - bounds_.left, part.top - bounds_.top, part.Width(), part.Height(), screen,
                   part.left, part.top, SRCCOPY);
        }
    }
    GdiFlush();
}

}  // namespace zoomorb::saver
