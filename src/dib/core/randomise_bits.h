#pragma once
// Fills a surface with random pixels, grey or in shades of green and red.

#include "dib/core/surface_view.h"
#include "forms/core/random.h"

namespace zoomorb::dib {

// Reseeds `random` from the clock (seconds since midnight, kept in single
// precision, so two calls within one clock tick give the same pixels), then
// draws one value 0..255 per byte written.
// gray: row by row from the bottom, one value per pixel for blue, green and
//       red alike.
// otherwise: column by column from the left, bottom to top within a column;
//       blue 0, then one value for green and one for red.
// The padding at the end of each row is never written; a view without
// pixels is left alone.
void RandomiseBits(const SurfaceView& surface, bool gray, forms::Random& random,
                   double secondsSinceMidnight);

}  // namespace zoomorb::dib
