#pragma once
// The program's three units of length and the one way between them.
//
// Device pixels are what Windows draws and places windows in. Twips, 1440 to
// the inch, are what forms and their controls are laid out in, so that a
// layout keeps its size on a display of any density. Design pixels are the
// pixels of the pictures and layouts drawn for 96 dots per inch, 15 twips
// each. Every conversion for a display of some DPI is made here, rounded one
// way: to the nearest whole number, halves to the even one, as every real
// stored into an integer in this program is.

#include <cstdint>

#include "forms/core/numbers.h"

namespace forms {

inline constexpr int32_t kTwipsPerInch = 1440;
inline constexpr int32_t kDesignDpi = 96;
inline constexpr int32_t kTwipsPerDesignPixel = kTwipsPerInch / kDesignDpi;

namespace units_detail {

// numerator / denominator (denominator > 0) to the nearest whole number,
// halves to even, in exact integer arithmetic.
constexpr int64_t DivideRounded(int64_t numerator, int64_t denominator) {
    int64_t whole = numerator / denominator;
    int64_t rest = numerator % denominator;
    if (rest < 0) {
        rest += denominator;
        --whole;
    }
    const bool up = 2 * rest > denominator || (2 * rest == denominator && whole % 2 != 0);
    return up ? whole + 1 : whole;
}

constexpr int32_t UsableDpi(int32_t dotsPerInch) { return dotsPerInch > 0 ? dotsPerInch : kDesignDpi; }

}  // namespace units_detail

// Twips per device pixel at a DPI: 15 at 96, 7.5 at 192.
constexpr float TwipsPerPixel(int32_t dotsPerInch) {
    return static_cast<float>(kTwipsPerInch) / static_cast<float>(units_detail::UsableDpi(dotsPerInch));
}

constexpr int32_t TwipsToPixels(int64_t twips, int32_t dotsPerInch) {
    return static_cast<int32_t>(
        units_detail::DivideRounded(twips * units_detail::UsableDpi(dotsPerInch), kTwipsPerInch));
}

constexpr int32_t PixelsToTwips(int64_t pixels, int32_t dotsPerInch) {
    return static_cast<int32_t>(
        units_detail::DivideRounded(pixels * kTwipsPerInch, units_detail::UsableDpi(dotsPerInch)));
}

// A length of the 96-DPI design in device pixels at a DPI.
constexpr int32_t DesignToPixels(int64_t designPixels, int32_t dotsPerInch) {
    return static_cast<int32_t>(
        units_detail::DivideRounded(designPixels * units_detail::UsableDpi(dotsPerInch), kDesignDpi));
}

constexpr int32_t DesignToTwips(int32_t designPixels) { return designPixels * kTwipsPerDesignPixel; }

// The same for a twips-per-pixel factor as the screen reports it for one
// axis (the saver's motions keep one per axis). At every whole DPI that
// divides 1440 evenly (96, 120, 144, 192, 288) they agree with the above.
inline int32_t TwipsToPixelsByFactor(int64_t twips, float twipsPerPixel) {
    return ToInt32(static_cast<double>(twips) / static_cast<double>(twipsPerPixel));
}
inline int32_t PixelsToTwipsByFactor(int64_t pixels, float twipsPerPixel) {
    return ToInt32(static_cast<double>(pixels) * static_cast<double>(twipsPerPixel));
}
// A factor is never taken for a DPI.
int32_t TwipsToPixels(int64_t, float) = delete;
int32_t TwipsToPixels(int64_t, double) = delete;
int32_t PixelsToTwips(int64_t, float) = delete;
int32_t PixelsToTwips(int64_t, double) = delete;

}  // namespace forms
