#pragma once
// The glass's round part, which every drawing of the glass (the saver's
// picture, the preview and dialog pictures, the icon) paints with these: a
// lens framed by the rim, a tube bent into a ring between two ellipses (in
// the illustrations two circles about one centre). The lens shows whatever
// the drawing puts there: white where the saver lays its view over it, a
// scene behind glass in the illustrations.

#include "pictures/rgb_image.h"

namespace zoomorb::pictures {

struct Ellipse {
    double centreX, centreY, radiusX, radiusY;

    // 1 on the outline, below 1 inside.
    double Reach(double x, double y) const;
    bool Holds(double x, double y) const { return Reach(x, y) <= 1; }
    double MeanRadius() const { return (radiusX + radiusY) / 2; }
};

struct Ring {
    Ellipse outer;
    Ellipse inner;  // the lens
};

// What lies at a point of a drawing of the glass: the glass and its colour,
// or nothing.
struct GlassSample {
    bool onGlass;
    Colour colour;
};

// The rim's colour at a point on it, lit as a tube.
Colour RimColourAt(const Ring& ring, double x, double y);

// The rim or the lens at a point, and nothing beyond the rim. The lens shows
// view(u, v), for (u, v) in the unit disc of the lens, v growing downwards.
template <typename View>
GlassSample SampleRing(const Ring& ring, const View& view, double x, double y) {
    if (!ring.outer.Holds(x, y)) return {false, {}};
    const Ellipse& lens = ring.inner;
    if (!lens.Holds(x, y)) return {true, RimColourAt(ring, x, y)};
    return {true, view((x - lens.centreX) / lens.radiusX, (y - lens.centreY) / lens.radiusY)};
}

// The points at which a pixel is sampled: n x n, evenly over the unit square
// from (left, top). Each is given to `visit` row by row, which is the order
// in which every painter adds their colours up.
template <typename Visit>
void ForEachSubsample(double left, double top, int n, Visit visit) {
    for (int sy = 0; sy < n; ++sy)
        for (int sx = 0; sx < n; ++sx) visit(left + (sx + 0.5) / n, top + (sy + 0.5) / n);
}

// The mean colour of the glass over the pixel's subsamples that lie on it,
// and how many do.
struct Coverage {
    Colour mean;
    int covered;
};
template <typename Sample>
Coverage GlassOver(double left, double top, int n, Sample sample) {
    Colour sum;
    int covered = 0;
    ForEachSubsample(left, top, n, [&](double x, double y) {
        const GlassSample at = sample(x, y);
        if (!at.onGlass) return;
        sum = sum + at.colour;
        ++covered;
    });
    return {covered == 0 ? sum : sum * (1.0 / covered), covered};
}

}  // namespace zoomorb::pictures
