#include "gradient.h"

#include <cmath>

#include "forms/core/numbers.h"

namespace zoomorb::settings_dialog {

namespace {
// A rounded pi, kept as it is: the rows where the band peaks depend on it.
constexpr double kRoundedPi = 3.142;
constexpr double kBrightest = 220;
constexpr int32_t kBlueLift = 30;
}  // namespace

RowColour GradientRowColour(int32_t row, int32_t picHeightPixels) {
    // A box with no height shows none of its lines; without this guard the
    // period would be zero and the division would end the dialog.
    if (picHeightPixels == 0) return {0, 0, kBlueLift};
    const double rowsPerRadian = picHeightPixels / kRoundedPi;
    const int32_t grey = forms::ToInt16(std::fabs(std::sin(row / rowsPerRadian) * kBrightest));
    return {grey, grey, grey + kBlueLift};
}

std::vector<int32_t> GradientRows(int32_t clientHeightPixels) {
    std::vector<int32_t> rows;
    if (clientHeightPixels < 0) return rows;
    rows.reserve(static_cast<size_t>(clientHeightPixels) + 1);
    for (int64_t row = 0; row <= clientHeightPixels; ++row) rows.push_back(static_cast<int32_t>(row));
    return rows;
}

}  // namespace zoomorb::settings_dialog
