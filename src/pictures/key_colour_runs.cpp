#include "key_colour_runs.h"

#include <cstddef>

#include "forms/core/runtime_error.h"

namespace zoomorb::pictures {

uint32_t PackedPixel(const uint8_t* pixel) {
    return uint32_t{pixel[0]} | uint32_t{pixel[1]} << 8 | uint32_t{pixel[2]} << 16;
}

uint32_t WalkNonKeyRuns(const uint8_t* bits, int32_t width, int32_t height,
                        int32_t bytesPerScanLine, std::optional<uint32_t> keyColour,
                        const KeyRunVisitor& onRun) {
    const bool hasPixels = width > 0 && height > 0;
    if (width < 0 || height < 0 ||
        (hasPixels && (bits == nullptr || bytesPerScanLine < int64_t{width} * 3))) {
        forms::Raise(forms::ErrorNumber::InvalidProcedureCall);
    }
    if (!keyColour) {
        if (!hasPixels) forms::Raise(forms::ErrorNumber::SubscriptOutOfRange);
        keyColour = PackedPixel(bits);
    }
    const uint32_t key = *keyColour;
    if (!hasPixels) return key;

    // Compare bytes in place rather than packing every pixel.
    const bool keyCanMatch = key <= 0xFFFFFFu;
    const uint8_t keyBlue = key & 0xFF;
    const uint8_t keyGreen = (key >> 8) & 0xFF;
    const uint8_t keyRed = (key >> 16) & 0xFF;
    auto isKey = [&](const uint8_t* pixel) {
        return keyCanMatch && pixel[0] == keyBlue && pixel[1] == keyGreen && pixel[2] == keyRed;
    };

    for (int32_t memoryRow = 0; memoryRow < height; ++memoryRow) {
        const uint8_t* row = bits + static_cast<ptrdiff_t>(memoryRow) * bytesPerScanLine;
        const int32_t pictureRow = height - 1 - memoryRow;
        int32_t x = 0;
        while (x < width) {
            while (x < width && isKey(row + ptrdiff_t{x} * 3)) ++x;
            if (x == width) break;
            const int32_t start = x;
            while (x < width && !isKey(row + ptrdiff_t{x} * 3)) ++x;
            onRun(pictureRow, start, x);
        }
    }
    return key;
}

}  // namespace zoomorb::pictures
