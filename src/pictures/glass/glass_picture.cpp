#include "glass_picture.h"

#include "pictures/glass/glass_ring.h"
#include "pictures/glass/glass_shading.h"

namespace zoomorb::pictures {

namespace {

// The ellipse that touches the area's first and last columns and rows.
// Ellipses are tested at pixel centres; the radii are half a pixel beyond the
// last covered centre so the shapes touch their ranges exactly.
constexpr Ellipse EllipseFilling(const glass::Area& area) {
    return Ellipse{(area.x.first + area.x.last) / 2.0, (area.y.first + area.y.last) / 2.0,
                   (area.x.last - area.x.first + 1) / 2.0, (area.y.last - area.y.first + 1) / 2.0};
}

// Where the handle's grip begins below the ferrule, in the design's rows.
constexpr int32_t kGripTop = 168;

constexpr int kSubsamples = 4;

const Colour kWhite{255, 255, 255};

// The glass at one DPI. The handle's details (ridges, rounded end, darker
// last rows) are counted in the design's rows and columns, so that they keep
// their proportions at every scale.
class LensPainter {
public:
    explicit LensPainter(int32_t dotsPerInch)
        : dpi_(dotsPerInch),
          layout_(glass::LayoutAtDpi(dotsPerInch)),
          ring_{EllipseFilling(layout_.circle), EllipseFilling(layout_.interior)},
          handle_(layout_.handle),
          gripTop_(glass::ScaledPixels(kGripTop, dotsPerInch)) {}

    Image Draw() const {
        Image image(layout_.pictureWidth, layout_.pictureHeight, kKeyRed);
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                if (ring_.outer.Holds(x, y))
                    image.At(x, y) = ring_.inner.Holds(x, y) ? Quantise(kWhite) : Quantise(RimPixel(x, y));
                else if (OnHandle(x, y))
                    image.At(x, y) = Quantise(HandlePixel(x, y));
            }
        }
        return image;
    }

private:
    // The design's row (or column) that holds a pixel `pixels` from an edge.
    int32_t DesignCount(int32_t pixels) const {
        return pixels * glass::kDesignDpi / glass::GlassDpi(dpi_);
    }

    // Averages the glass over the parts of the pixel that lie on the glass
    // only, so edge pixels keep a pure glass colour; the inner edge of the rim
    // is smoothed into the white, which the lens shows until the saver lays
    // its view over it.
    Colour RimPixel(int x, int y) const {
        const auto white = [](double, double) { return kWhite; };
        return GlassOver(x - 0.5, y - 0.5, kSubsamples,
                         [&](double px, double py) { return SampleRing(ring_, white, px, py); })
            .mean;
    }

    bool OnHandle(int x, int y) const {
        if (x < handle_.x.first || x > handle_.x.last || y < handle_.y.first || y > handle_.y.last) return false;
        // Rounded end: the corners of the last two rows are cut.
        const int32_t fromBottom = DesignCount(handle_.y.last - y);
        const int32_t inset = glass::ScaledPixels(fromBottom == 0 ? 2 : (fromBottom == 1 ? 1 : 0), dpi_);
        return x >= handle_.x.first + inset && x <= handle_.x.last - inset;
    }

    Colour HandlePixel(int x, int y) const {
        const double middle = (handle_.x.first + handle_.x.last) / 2.0;
        const double halfWidth = (handle_.x.last - handle_.x.first + 1) / 2.0;
        double across = (x - middle) / halfWidth;
        if (y < gripTop_) {
            Colour metal = HandleShade(kFerruleGrey, across, 1, 0);
            // Two rolled ridges: a lit row above a shadowed one.
            const int32_t row = DesignCount(y - handle_.y.first);
            if (row > 0 && row % 4 == 0) return metal * 1.25;
            if (row > 0 && row % 4 == 1) return metal * 0.75;
            return metal;
        }
        Colour grip = HandleShade(kGripGrey, across, 1, 0);
        if (DesignCount(handle_.y.last - y) <= 2) return grip * 0.85;
        return grip;
    }

    int32_t dpi_;
    glass::Layout layout_;
    Ring ring_;
    glass::Area handle_;
    int32_t gripTop_;
};

}  // namespace

Image DrawLensBitmap(int32_t dotsPerInch) { return LensPainter(dotsPerInch).Draw(); }

}  // namespace zoomorb::pictures
