#pragma once
// Sizes of a surface's pixel memory, in the 32-bit signed arithmetic the
// bitmap header uses. Sizes beyond that range raise Overflow rather than
// wrap, because a wrapped size would let the pixel walkers run past the
// memory actually allocated.

#include <cstdint>

#include "dib/core/surface_view.h"

namespace zoomorb::dib {

// Bytes of one row: bytesPerPixel bytes a pixel (3 in our 24-bit surfaces),
// rounded up to a multiple of 4.
int32_t BytesPerScanLine(int32_t width, int32_t bytesPerPixel = kBytesPerPixel);

// Bytes of the whole surface (the header's biSizeImage): height rows.
int32_t ImageSize(int32_t width, int32_t height, int32_t bytesPerPixel = kBytesPerPixel);

}  // namespace zoomorb::dib
