#pragma once
// The glass picture's layout, in its own pixels, on which the saver window,
// the picture generator and the tests agree: the window is cut out of the
// picture, its lens view lies over the picture's white interior, and the
// window turns back at the screen's edges by where the glass's circle lies.
// The constants are the design at 96 DPI; LayoutAtDpi gives the same glass
// for a display of more dots per inch, so that it keeps its size on screen.

#include <cstdint>

#include "forms/core/units.h"

namespace zoomorb::glass {

// Columns or rows of the picture, the first and the last included.
struct Span {
    int32_t first;
    int32_t last;
};

struct Area {
    Span x;
    Span y;
};

// The picture, and so the saver window once it is cut to the glass.
inline constexpr int32_t kPictureWidth = 203;
inline constexpr int32_t kPictureHeight = 197;

// The round lens with its rim, the white interior within it, and the handle
// below, which joins the rim. Every other pixel is the key colour.
inline constexpr Area kCircle{{36, 198}, {2, 158}};
inline constexpr Area kInterior{{40, 194}, {6, 155}};
inline constexpr Area kHandle{{108, 126}, {159, 194}};

// The lens view: a child window over the interior, cut to the ellipse that
// runs from its top-left corner over kLensEllipseWidth x kLensEllipseHeight
// pixels, a little beyond the window itself.
inline constexpr int32_t kLensLeft = 40;
inline constexpr int32_t kLensTop = 5;
inline constexpr int32_t kLensWidth = 156;
inline constexpr int32_t kLensHeight = 151;
inline constexpr int32_t kLensEllipseWidth = 157;
inline constexpr int32_t kLensEllipseHeight = 153;

// The window turns back once the circle has passed the screen's right or
// bottom edge: once its left edge lies further right than the screen's width
// less these columns (or its top lower than the height less these rows).
inline constexpr int32_t kColumnsToCircleEnd = kCircle.x.last + 1;
inline constexpr int32_t kRowsToCircleEnd = kCircle.y.last + 1;
// It turns back at the left and top edges once the circle has about reached
// them, at 15 twips per pixel. These limits are fixed numbers of twips, a
// length on the display rather than a count of pixels, so they grow with the
// DPI just as the glass does.
inline constexpr int32_t kLeftTurnTwips = -524;
inline constexpr int32_t kTopTurnTwips = -29;

// The design's dots per inch. On a display of D DPI every length of the
// design becomes that length times D / 96, rounded to the nearest pixel
// (halves to even, as every rounding in the program). A display below 96 DPI
// keeps the design's size: the glass is never drawn smaller than designed.
inline constexpr int32_t kDesignDpi = forms::kDesignDpi;

// The dots per inch the glass is drawn for on a display of `dotsPerInch`.
constexpr int32_t GlassDpi(int32_t dotsPerInch) { return dotsPerInch < kDesignDpi ? kDesignDpi : dotsPerInch; }

constexpr int32_t ScaledPixels(int32_t designPixels, int32_t dotsPerInch) {
    return forms::DesignToPixels(forms::DesignPixels{designPixels}, GlassDpi(dotsPerInch)).value;
}

// A span scales by its edges, so that spans that meet at 96 DPI still meet.
constexpr Span ScaledSpan(Span span, int32_t dotsPerInch) {
    return {ScaledPixels(span.first, dotsPerInch), ScaledPixels(span.last + 1, dotsPerInch) - 1};
}

constexpr Area ScaledArea(Area area, int32_t dotsPerInch) {
    return {ScaledSpan(area.x, dotsPerInch), ScaledSpan(area.y, dotsPerInch)};
}

// The glass as it is drawn and placed on a display of some DPI.
struct Layout {
    int32_t pictureWidth;
    int32_t pictureHeight;
    Area circle;
    Area interior;
    Area handle;
    int32_t lensLeft;
    int32_t lensTop;
    int32_t lensWidth;
    int32_t lensHeight;
    int32_t lensEllipseWidth;
    int32_t lensEllipseHeight;
    int32_t columnsToCircleEnd;
    int32_t rowsToCircleEnd;
};

constexpr Layout LayoutAtDpi(int32_t dotsPerInch) {
    const auto scaled = [dotsPerInch](int32_t pixels) { return ScaledPixels(pixels, dotsPerInch); };
    return Layout{scaled(kPictureWidth),
                  scaled(kPictureHeight),
                  ScaledArea(kCircle, dotsPerInch),
                  ScaledArea(kInterior, dotsPerInch),
                  ScaledArea(kHandle, dotsPerInch),
                  scaled(kLensLeft),
                  scaled(kLensTop),
                  scaled(kLensWidth),
                  scaled(kLensHeight),
                  scaled(kLensEllipseWidth),
                  scaled(kLensEllipseHeight),
                  scaled(kColumnsToCircleEnd),
                  scaled(kRowsToCircleEnd)};
}

// The middle of the glass's circle, in the picture's pixels from its
// top-left corner: where the glass is, as far as the monitors are concerned.
constexpr double CircleMiddleX(const Layout& layout) { return (layout.circle.x.first + layout.circle.x.last + 1) / 2.0; }
constexpr double CircleMiddleY(const Layout& layout) { return (layout.circle.y.first + layout.circle.y.last + 1) / 2.0; }

}  // namespace zoomorb::glass
