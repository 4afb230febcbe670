#pragma once
// Sizes of a 24-bit surface's pixel memory, in the 32-bit signed arithmetic
// the bitmap header uses. Sizes beyond that range raise Overflow rather than
// wrap, because a wrapped size would let the pixel walkers run past the
// memory actually allocated.

#include <cstdint>

namespace zoomorb::dib {

// Bytes of one row: 3 bytes per pixel, rounded up to a multiple of 4.
int32_t BytesPerScanLine(int32_t width);

// Bytes of the whole surface (the header's biSizeImage): height rows.
int32_t ImageSize(int32_t width, int32_t height);

}  // namespace zoomorb::dib
