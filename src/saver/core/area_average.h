#pragma once
// The lens below 100 %: a picture reduced so that each of its pixels is the
// average of the desktop pixels it covers, as the eye would see them from
// afar (a desktop of one-pixel black and white dots becomes an even grey,
// not black, white or a moiré of both).

#include <cstdint>
#include <vector>

#include "forms/core/pixel_rect.h"
#include "saver/core/pixels32.h"
#include "saver/core/summed_copy.h"

namespace zoomorb::saver {

// Working memory of AverageArea, kept between calls so that a redraw
// allocates nothing once it has grown.
struct AverageSums {
    std::vector<uint16_t> columns;
    std::vector<uint32_t> blocks;
};

// Fills the whole of `to` from `area` (virtual-screen pixels) of the
// desktop held by `copies`, which do not overlap; what of the area no copy
// holds counts as black. Each pixel of `to` takes the average of the block
// of `area` it covers, rounded to the nearest (halves up); the blocks tile
// the area without overlap. An area smaller than `to` is enlarged by
// repeating its pixels.
void AverageArea(const std::vector<SummedCopy>& copies, const forms::PixelRect& area, const Pixels32& to,
                 AverageSums& sums);

}  // namespace zoomorb::saver
