#include "view_source.h"

#include <algorithm>

#include "forms/core/numbers.h"
#include "shared/core/settings_value.h"

namespace zoomorb::saver {
namespace {

// The view column (or row) at which a source column `offset` pixels into the
// source area begins: the same rounding for the end of one piece and the
// start of its neighbour, so that pieces meet exactly. Halves go up, as the
// pieces have always been cut.
int32_t ViewEdge(int64_t offset, int32_t viewSize, int32_t sourceSize) {
    return static_cast<int32_t>(forms::DivideRoundedHalfUp(offset * viewSize, sourceSize));
}

}  // namespace

SourceRect ViewSourceRect(int32_t cursorX, int32_t cursorY, int32_t magnification,
                          int32_t viewWidth, int32_t viewHeight) {
    const int32_t percent = magnification > 0 ? magnification : kDefaultMagnification;
    // Kept in this form, with the reciprocal taken first: the rounding of the
    // odd halves below depends on the exact doubles it gives.
    const double scale = 1 / (percent / 100.0);
    const int32_t width = std::max(forms::ToInt32(scale * viewWidth), 1);
    const int32_t height = std::max(forms::ToInt32(scale * viewHeight), 1);
    // An odd size puts the area half a pixel off the cursor; which way follows
    // from rounding the half to even.
    return {forms::ToInt32(cursorX - width / 2.0), forms::ToInt32(cursorY - height / 2.0), width,
            height};
}

bool LensView::OnOneMonitor() const {
    const forms::PixelRect whole{source.x, source.y, source.x + source.width, source.y + source.height};
    return std::any_of(pieces.begin(), pieces.end(),
                       [&whole](const ViewPiece& piece) { return piece.source == whole; });
}

LensView LensViewAt(int32_t cursorX, int32_t cursorY, int32_t magnification, int32_t viewWidth,
                    int32_t viewHeight, const std::vector<forms::PixelRect>& monitors) {
    LensView view{ViewSourceRect(cursorX, cursorY, magnification, viewWidth, viewHeight), {}};
    const SourceRect& s = view.source;
    const forms::PixelRect whole{s.x, s.y, s.x + s.width, s.y + s.height};
    for (const forms::PixelRect& monitor : monitors) {
        const forms::PixelRect shown = forms::Intersection(whole, monitor);
        if (shown.IsEmpty()) continue;
        const forms::PixelRect place{ViewEdge(shown.left - int64_t{s.x}, viewWidth, s.width),
                                     ViewEdge(shown.top - int64_t{s.y}, viewHeight, s.height),
                                     ViewEdge(shown.right - int64_t{s.x}, viewWidth, s.width),
                                     ViewEdge(shown.bottom - int64_t{s.y}, viewHeight, s.height)};
        view.pieces.push_back(ViewPiece{shown, place});
    }
    return view;
}

}  // namespace zoomorb::saver
