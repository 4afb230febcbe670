#pragma once
// The program's three units of length and the one way between them.
//
// Device pixels are what Windows draws and places windows in. Twips, 1440 to
// the inch, are what forms and their controls are laid out in, so that a
// layout keeps its size on a display of any density. Design pixels are the
// pixels of the pictures and layouts drawn for 96 dots per inch, 15 twips
// each. Each unit is a type of its own, made from a number only by naming
// it, so a length in one cannot be passed where a length in another is
// wanted. Every conversion for a display of some DPI is made here, by one
// function rounding one way: to the nearest whole number, halves to the even
// one, as every real stored into an integer in this program is; a result
// beyond 32 bits is an Overflow, as any stored number's is.

#include <cmath>
#include <cstdint>
#include <limits>

#include "forms/core/numbers.h"
#include "forms/core/runtime_error.h"

namespace forms {

inline constexpr int32_t kTwipsPerInch = 1440;
inline constexpr int32_t kDesignDpi = 96;
inline constexpr int32_t kTwipsPerDesignPixel = kTwipsPerInch / kDesignDpi;

// A whole number of some unit; `value` is the number, for the calls (most of
// the Win32 API) that take one.
template <typename Unit>
struct Length {
    int32_t value = 0;

    constexpr Length() = default;
    constexpr explicit Length(int32_t count) : value(count) {}
    constexpr bool operator==(Length other) const { return value == other.value; }
    constexpr bool operator!=(Length other) const { return value != other.value; }
};

struct TwipsUnit;
struct DevicePixelUnit;
struct DesignPixelUnit;
using Twips = Length<TwipsUnit>;
using Pixels = Length<DevicePixelUnit>;
using DesignPixels = Length<DesignPixelUnit>;

namespace units_detail {

constexpr int32_t UsableDpi(int32_t dotsPerInch) { return dotsPerInch > 0 ? dotsPerInch : kDesignDpi; }

// The one conversion: a length counted `fromPerInch` to the inch, counted
// `toPerInch` to the inch, in exact integer arithmetic.
constexpr int32_t Rescaled(int64_t length, int64_t toPerInch, int64_t fromPerInch) {
    const int64_t rescaled = DivideRoundedHalfEven(length * toPerInch, fromPerInch);
    if (rescaled < std::numeric_limits<int32_t>::min() || rescaled > std::numeric_limits<int32_t>::max())
        Raise(ErrorNumber::Overflow);
    return static_cast<int32_t>(rescaled);
}

}  // namespace units_detail

// Twips per device pixel at a DPI: 15 at 96, 7.5 at 192.
constexpr float TwipsPerPixel(int32_t dotsPerInch) {
    return static_cast<float>(kTwipsPerInch) / static_cast<float>(units_detail::UsableDpi(dotsPerInch));
}

constexpr Pixels TwipsToPixels(Twips twips, int32_t dotsPerInch) {
    return Pixels{units_detail::Rescaled(twips.value, units_detail::UsableDpi(dotsPerInch), kTwipsPerInch)};
}

constexpr Twips PixelsToTwips(Pixels pixels, int32_t dotsPerInch) {
    return Twips{units_detail::Rescaled(pixels.value, kTwipsPerInch, units_detail::UsableDpi(dotsPerInch))};
}

// A length of the 96-DPI design in device pixels at a DPI.
constexpr Pixels DesignToPixels(DesignPixels design, int32_t dotsPerInch) {
    return Pixels{units_detail::Rescaled(design.value, units_detail::UsableDpi(dotsPerInch), kDesignDpi)};
}

constexpr Twips DesignToTwips(DesignPixels design) {
    return Twips{units_detail::Rescaled(design.value, kTwipsPerInch, kDesignDpi)};
}

// The DPI a twips-per-pixel factor stands for. The screen reports one factor
// per axis, 1440 over its whole DPI, which this recovers exactly; a factor
// that is no length at all stands for the design's DPI.
inline int32_t DpiOfFactor(float twipsPerPixel) {
    if (!(twipsPerPixel > 0) || !std::isfinite(twipsPerPixel)) return kDesignDpi;
    const double dotsPerInch = RoundHalfEven(kTwipsPerInch / double{twipsPerPixel});
    if (dotsPerInch < 1) return 1;
    if (dotsPerInch > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(dotsPerInch);
}

// The same for a factor as the screen reports it for one axis (the saver's
// motions keep one per axis): the DPI's conversion, so both give the same
// length for every DPI.
inline Pixels TwipsToPixelsByFactor(Twips twips, float twipsPerPixel) {
    return TwipsToPixels(twips, DpiOfFactor(twipsPerPixel));
}
inline Twips PixelsToTwipsByFactor(Pixels pixels, float twipsPerPixel) {
    return PixelsToTwips(pixels, DpiOfFactor(twipsPerPixel));
}
// A factor is never taken for a DPI.
Pixels TwipsToPixels(Twips, float) = delete;
Pixels TwipsToPixels(Twips, double) = delete;
Twips PixelsToTwips(Pixels, float) = delete;
Twips PixelsToTwips(Pixels, double) = delete;

}  // namespace forms
