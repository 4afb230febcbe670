#pragma once
// The copy of the desktop the lens is reduced from below 100 %: one summed
// copy per monitor (where monitors overlap, the overlap is kept once), kept
// up to date by a refresh plan. What it needs from the screen it asks for:
// the caller reads those rectangles and stores their pixels.

#include <cstddef>
#include <vector>

#include "forms/core/pixel_rect.h"
#include "saver/core/area_average.h"
#include "saver/core/pixels32.h"
#include "saver/core/refresh_plan.h"
#include "saver/core/summed_copy.h"

namespace zoomorb::saver {

class DesktopMirror {
public:
    // A copy of the desktop that `monitors` (virtual-screen pixels) show,
    // nothing of it read yet. False, and no copy, when it would take more
    // than `mostBytes` or the memory cannot be had.
    bool Follow(const std::vector<forms::PixelRect>& monitors, size_t mostBytes);
    // What to read from the screen for a redraw at `nowMs` whose lens shows
    // `source`; each rectangle lies on one monitor.
    std::vector<forms::PixelRect> ReadsFor(const forms::PixelRect& source, double nowMs);
    // Takes in the pixels read from `part`: one of the rectangles ReadsFor
    // gave, or a part of one from a row a multiple of four rows below its
    // top to its bottom or another such row.
    void Store(const forms::PixelRect& part, const Pixels32& pixels);
    // Fills `to` with `area` (virtual-screen pixels) reduced; what no
    // monitor shows is black (see AverageArea).
    void Average(const forms::PixelRect& area, const Pixels32& to);
    // When the longest unread part of the last redraw's source was read;
    // infinity when the source lay on no monitor.
    double OldestShownMs() const { return oldestShownMs_; }

private:
    std::vector<SummedCopy> copies_;
    RefreshPlan plan_;
    AverageSums sums_;
    double oldestShownMs_ = 0;
};

// The area the monitors show, cut into rectangles that do not overlap: each
// monitor less what those before it show.
std::vector<forms::PixelRect> DisjointAreas(const std::vector<forms::PixelRect>& monitors);

}  // namespace zoomorb::saver
