#include "lens_bitmap.h"

#include <cmath>

#include "glass_shading.h"

namespace zoomorb::pictures {

namespace {

// Ellipses are tested at pixel centres; the radii are half a pixel beyond the
// last covered centre so the shapes touch their ranges exactly.
struct Ellipse {
    double centreX, centreY, radiusX, radiusY;

    // 1 on the outline, below 1 inside.
    double Reach(double x, double y) const {
        double dx = (x - centreX) / radiusX, dy = (y - centreY) / radiusY;
        return std::sqrt(dx * dx + dy * dy);
    }
    bool Holds(double x, double y) const { return Reach(x, y) <= 1; }
    double MeanRadius() const { return (radiusX + radiusY) / 2; }
};

// The ellipse that touches the area's first and last columns and rows.
constexpr Ellipse EllipseFilling(const glass::Area& area) {
    return Ellipse{(area.x.first + area.x.last) / 2.0, (area.y.first + area.y.last) / 2.0,
                   (area.x.last - area.x.first + 1) / 2.0, (area.y.last - area.y.first + 1) / 2.0};
}

constexpr Ellipse kOuter = EllipseFilling(glass::kCircle);
constexpr Ellipse kInner = EllipseFilling(glass::kInterior);

constexpr int kHandleLeft = glass::kHandle.x.first, kHandleRight = glass::kHandle.x.last;
constexpr int kHandleTop = glass::kHandle.y.first, kHandleBottom = glass::kHandle.y.last;
constexpr int kGripTop = 168;

constexpr int kSubsamples = 4;

const Colour kWhite{255, 255, 255};

Colour RimAt(double x, double y) {
    double toOuter = (1 - kOuter.Reach(x, y)) * kOuter.MeanRadius();
    double fromInner = (kInner.Reach(x, y) - 1) * kInner.MeanRadius();
    double across = 2 * fromInner / (fromInner + toOuter) - 1;
    double nx = (x - kOuter.centreX) / (kOuter.radiusX * kOuter.radiusX);
    double ny = (y - kOuter.centreY) / (kOuter.radiusY * kOuter.radiusY);
    double length = std::sqrt(nx * nx + ny * ny);
    if (length == 0) return RimShade(across, 0, -1);
    return RimShade(across, nx / length, ny / length);
}

// Averages the glass over the parts of the pixel that lie on the glass only,
// so edge pixels keep a pure glass colour; the inner edge of the rim is
// smoothed into the white.
Colour RimPixel(int x, int y) {
    Colour sum;
    int covered = 0;
    for (int sy = 0; sy < kSubsamples; ++sy) {
        for (int sx = 0; sx < kSubsamples; ++sx) {
            double px = x - 0.5 + (sx + 0.5) / kSubsamples;
            double py = y - 0.5 + (sy + 0.5) / kSubsamples;
            if (!kOuter.Holds(px, py)) continue;
            sum = sum + (kInner.Holds(px, py) ? kWhite : RimAt(px, py));
            ++covered;
        }
    }
    return sum * (1.0 / covered);
}

bool OnHandle(int x, int y) {
    if (x < kHandleLeft || x > kHandleRight || y < kHandleTop || y > kHandleBottom) return false;
    // Rounded end: the corners of the last two rows are cut.
    int inset = y == kHandleBottom ? 2 : (y == kHandleBottom - 1 ? 1 : 0);
    return x >= kHandleLeft + inset && x <= kHandleRight - inset;
}

Colour HandlePixel(int x, int y) {
    const double middle = (kHandleLeft + kHandleRight) / 2.0;
    const double halfWidth = (kHandleRight - kHandleLeft + 1) / 2.0;
    double across = (x - middle) / halfWidth;
    if (y < kGripTop) {
        Colour metal = HandleShade(kFerruleGrey, across, 1, 0);
        // Two rolled ridges: a lit row above a shadowed one.
        int ridge = (y - kHandleTop) % 4;
        if (y > kHandleTop && ridge == 0) return metal * 1.25;
        if (y > kHandleTop && ridge == 1) return metal * 0.75;
        return metal;
    }
    Colour grip = HandleShade(kGripGrey, across, 1, 0);
    if (y >= kHandleBottom - 2) return grip * 0.85;
    return grip;
}

}  // namespace

Image DrawLensBitmap() {
    Image image(kLensBitmapWidth, kLensBitmapHeight, kKeyRed);
    for (int y = 0; y < kLensBitmapHeight; ++y) {
        for (int x = 0; x < kLensBitmapWidth; ++x) {
            if (kOuter.Holds(x, y))
                image.At(x, y) = kInner.Holds(x, y) ? Quantise(kWhite) : Quantise(RimPixel(x, y));
            else if (OnHandle(x, y))
                image.At(x, y) = Quantise(HandlePixel(x, y));
        }
    }
    return image;
}

}  // namespace zoomorb::pictures
