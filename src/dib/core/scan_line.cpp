#include "scan_line.h"

#include "forms/core/numbers.h"

namespace zoomorb::dib {

int32_t BytesPerScanLine(int32_t width, int32_t bytesPerPixel) {
    const int32_t rowBytesPlusSlack = forms::CheckedInt32(int64_t{bytesPerPixel} * width + 3);
    return rowBytesPlusSlack & ~int32_t{3};
}

int32_t ImageSize(int32_t width, int32_t height, int32_t bytesPerPixel) {
    return forms::CheckedInt32(int64_t{height} * BytesPerScanLine(width, bytesPerPixel));
}

}  // namespace zoomorb::dib
