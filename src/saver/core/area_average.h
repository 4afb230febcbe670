#pragma once
// The lens below 100 %: a picture reduced so that each of its pixels is the
// average of the desktop pixels it covers, as the eye would see them from
// afar (a desktop of one-pixel black and white dots becomes an even grey,
// not black, white or a moiré of both).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "forms/core/pixel_rect.h"

namespace zoomorb::saver {

// A borrowed look at 32-bit pixels, blue, green, red and an unused byte,
// rows top-down, `stride` bytes apart.
struct Pixels32 {
    uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    std::ptrdiff_t stride = 0;

    uint8_t* Pixel(int32_t x, int32_t y) const { return bits + y * stride + std::ptrdiff_t{x} * 4; }
};

// Fills the whole of `to` from `area` of `from` (in the pixels of `from`;
// what of it lies outside `from` counts as black). Each pixel of `to` takes
// the average of the block of `area` it covers; the blocks tile the area
// without overlap. The two vectors are working memory kept between calls,
// so that a redraw allocates nothing once they have grown (the narrow one
// serves every magnification of 1 % and above). An area smaller than `to`
// is enlarged by repeating its pixels.
void AverageArea(const Pixels32& from, const forms::PixelRect& area, const Pixels32& to,
                 std::vector<uint16_t>& narrowSums, std::vector<uint32_t>& wideSums);

}  // namespace zoomorb::saver
