#include "randomise_bits.h"

#include "forms/core/numbers.h"

namespace zoomorb::dib {

namespace {

uint8_t DrawByte(forms::Random& random) {
    // The draw is scaled in single precision before it is stored, which is
    // what lets the largest draws reach 255.
    const float scaled = random.Next() * 255.0f;
    return static_cast<uint8_t>(forms::RoundHalfEven(scaled));
}

void FillGray(const SurfaceView& surface, forms::Random& random) {
    for (int32_t m = 0; m < surface.height; ++m) {
        uint8_t* pixel = surface.Row(m);
        for (int32_t x = 0; x < surface.width; ++x, pixel += kBytesPerPixel) {
            const uint8_t value = DrawByte(random);
            pixel[kBlue] = value;
            pixel[kGreen] = value;
            pixel[kRed] = value;
        }
    }
}

void FillGreenRed(const SurfaceView& surface, forms::Random& random) {
    for (int32_t x = 0; x < surface.width; ++x) {
        for (int32_t m = 0; m < surface.height; ++m) {
            uint8_t* pixel = surface.Pixel(x, m);
            pixel[kBlue] = 0;
            pixel[kGreen] = DrawByte(random);
            pixel[kRed] = DrawByte(random);
        }
    }
}

}  // namespace

void RandomiseBits(const SurfaceView& surface, bool gray, forms::Random& random,
                   double secondsSinceMidnight) {
    random.Reseed(static_cast<float>(secondsSinceMidnight));
    if (!surface.HasPixels()) return;
    if (gray) {
        FillGray(surface, random);
    } else {
        FillGreenRed(surface, random);
    }
}

}  // namespace zoomorb::dib
