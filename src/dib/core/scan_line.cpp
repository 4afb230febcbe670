#include "scan_line.h"

#include "forms/core/numbers.h"

namespace zoomorb::dib {

int32_t BytesPerScanLine(int32_t width) {
    const int32_t rowBytesPlusSlack = forms::CheckedInt32(int64_t{3} * width + 3);
    return rowBytesPlusSlack & ~int32_t{3};
}

int32_t ImageSize(int32_t width, int32_t height) {
    return forms::CheckedInt32(int64_t{height} * BytesPerScanLine(width));
}

}  // namespace zoomorb::dib
