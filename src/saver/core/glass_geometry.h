#pragma once
// The glass picture's layout, in its own pixels, on which the saver window,
// the picture generator and the tests agree: the window is cut out of the
// picture, its lens view lies over the picture's white interior, and the
// window turns back at the screen's edges by where the glass's circle lies.

#include <cstdint>

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
// them, at 15 twips per pixel. These limits are fixed numbers of twips: they
// do not scale with the pixel size.
inline constexpr int32_t kLeftTurnTwips = -524;
inline constexpr int32_t kTopTurnTwips = -29;

}  // namespace zoomorb::glass
