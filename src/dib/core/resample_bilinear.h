#pragma once
// Bilinear resampling from one 24-bit surface into another of a different
// size.

#include "dib/core/surface_view.h"

namespace zoomorb::dib {

// Fills every pixel of `target` from `source`. Target pixel x samples the
// source at x * (W - 1) / W' (likewise for rows), so the target's last
// column and row fall a little short of the source's last ones. The four
// neighbouring source pixels are blended down their columns first, then
// across, each step rounded halves-to-even, all in single precision. Both
// surfaces are bottom-up, so memory rows map onto memory rows.
//
// Every sample needs its right and upper neighbour. A source that lacks one
// (1 pixel wide or high, or no pixels at all) raises SubscriptOutOfRange
// before any target byte is written. A target without pixels is left alone.
// The padding at the end of rows is neither read nor written.
void ResampleBilinear(const SurfaceView& source, const SurfaceView& target);

}  // namespace zoomorb::dib
