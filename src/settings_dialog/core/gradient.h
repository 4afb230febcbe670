#pragma once
// The settings dialog's background: a grey-blue band that rises from dark at
// the top of the picture box to light in its middle and falls back to dark
// at its bottom, one horizontal line per pixel row.

#include <cstdint>
#include <vector>

namespace zoomorb::settings_dialog {

struct RowColour {
    int32_t r;
    int32_t g;
    int32_t b;
};

// The colour of line `row` in a picture box `picHeightPixels` high: one half
// period of a sine over the box's height, grey level 0..220, blue 30 above
// the grey.
RowColour GradientRowColour(int32_t row, int32_t picHeightPixels);

// The rows drawn on a resize: 0 to the dialog's client height, inclusive.
// Rows past the picture box's own height fall outside it and are not seen.
std::vector<int32_t> GradientRows(int32_t clientHeightPixels);

}  // namespace zoomorb::settings_dialog
