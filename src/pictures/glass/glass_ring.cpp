#include "glass_ring.h"

#include <cmath>

#include "pictures/glass/glass_shading.h"

namespace zoomorb::pictures {

double Ellipse::Reach(double x, double y) const {
    double dx = (x - centreX) / radiusX, dy = (y - centreY) / radiusY;
    return std::sqrt(dx * dx + dy * dy);
}

Colour RimColourAt(const Ring& ring, double x, double y) {
    const Ellipse &outer = ring.outer, &inner = ring.inner;
    // How far across the tube the point lies, from -1 at the lens to +1 at
    // the outer edge, by its distances to the two edges.
    double toOuter = (1 - outer.Reach(x, y)) * outer.MeanRadius();
    double fromInner = (inner.Reach(x, y) - 1) * inner.MeanRadius();
    double across = 2 * fromInner / (fromInner + toOuter) - 1;
    // The tube faces outwards along the outer edge's normal.
    double nx = (x - outer.centreX) / (outer.radiusX * outer.radiusX);
    double ny = (y - outer.centreY) / (outer.radiusY * outer.radiusY);
    double length = std::sqrt(nx * nx + ny * ny);
    if (length == 0) return RimShade(across, 0, -1);
    return RimShade(across, nx / length, ny / length);
}

}  // namespace zoomorb::pictures
