#pragma once
// A borrowed look at the pixel memory of a 24-bit surface: 3 bytes per pixel
// in the order blue, green, red, rows padded to a multiple of 4 bytes, rows
// stored bottom-up. The view owns nothing; the surface it was taken from must
// outlive it.

#include <cstddef>
#include <cstdint>

namespace zoomorb::dib {

enum ColourByte : int { kBlue = 0, kGreen = 1, kRed = 2 };

constexpr int kBytesPerPixel = 3;

struct SurfaceView {
    uint8_t* bits;
    int32_t width;
    int32_t height;
    int32_t bytesPerScanLine;

    // Memory row 0 is the bottom row of the picture.
    uint8_t* Row(int32_t memoryRow) const {
        return bits + static_cast<std::ptrdiff_t>(memoryRow) * bytesPerScanLine;
    }
    uint8_t* Pixel(int32_t x, int32_t memoryRow) const {
        return Row(memoryRow) + static_cast<std::ptrdiff_t>(x) * kBytesPerPixel;
    }
    uint8_t& Byte(int32_t x, int32_t memoryRow, ColourByte c) const { return Pixel(x, memoryRow)[c]; }

    int32_t MemoryRowOfPictureRow(int32_t rowFromTop) const { return height - 1 - rowFromTop; }

    bool HasPixels() const { return bits != nullptr && width > 0 && height > 0; }
};

}  // namespace zoomorb::dib
