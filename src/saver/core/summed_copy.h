#pragma once
// The copy of one part of the desktop that the lens is reduced from below
// 100 %. Reducing adds up every desktop pixel the lens covers (at 5 % a
// whole 4K monitor's worth) fifty times a second, and read pixel by pixel
// that is more memory traffic than all else the saver does. So each pixel is
// kept as the running sum, down its column, of its band of four rows from
// the band's first row to its own: blue, green and red in ten bits each,
// which four pixels of 255 just fill, in the four bytes a pixel takes. The
// sum of a column over any rows then takes one or two values per band of
// four rows instead of one per row.

#include <cstdint>
#include <memory>

#include "forms/core/pixel_rect.h"
#include "saver/core/pixels32.h"

namespace zoomorb::saver {

class SummedCopy {
public:
    // Rows of a band; a part stored at once begins at a band's first row.
    static constexpr int32_t kBandRows = 4;
    // The most rows one call of ColumnSums may add up: their sums must fit
    // in 16 bits.
    static constexpr int32_t kMostSummedRows = 256;

    // A copy of `area` (virtual-screen pixels) holding nothing yet; false,
    // and no copy, when the memory cannot be had.
    bool Make(const forms::PixelRect& area);
    const forms::PixelRect& Area() const { return area_; }

    // Takes in `pixels`, read from `part` of the screen. The part lies in
    // Area() (what does not is ignored), begins at a band's first row and
    // ends at one or at the area's bottom, so that no band is left half new.
    void Store(const forms::PixelRect& part, const Pixels32& pixels);

    // The sums of blue, green and red down rows [top, end) of the columns
    // [left, right) (in Area(), at most kMostSummedRows rows), as four 16-bit
    // values a column (blue, green, red, 0) from `sums` on; added to what
    // `sums` holds when `add`, else in its place.
    void ColumnSums(int32_t top, int32_t end, int32_t left, int32_t right, uint16_t* sums, bool add) const;

private:
    forms::PixelRect area_;
    std::unique_ptr<uint32_t[]> sums_;
};

}  // namespace zoomorb::saver
