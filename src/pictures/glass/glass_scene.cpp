#include "glass_scene.h"

#include <algorithm>
#include <cmath>

#include "pictures/glass/glass_shading.h"

namespace zoomorb::pictures {

namespace {

constexpr int kSubsamples = 4;

const Colour kWhite{255, 255, 255};
const Colour kShadow{0, 0, 0};

struct Axis {
    double unitX, unitY, length;
};

Axis HandleAxis(const GlassLayout& g) {
    double dx = g.handleEndX - g.handleStartX, dy = g.handleEndY - g.handleStartY;
    double length = std::sqrt(dx * dx + dy * dy);
    return {dx / length, dy / length, length};
}

double DistanceToHandle(const GlassLayout& g, double x, double y) {
    Axis axis = HandleAxis(g);
    double along = std::clamp((x - g.handleStartX) * axis.unitX + (y - g.handleStartY) * axis.unitY, 0.0, axis.length);
    double ex = x - (g.handleStartX + along * axis.unitX), ey = y - (g.handleStartY + along * axis.unitY);
    return std::sqrt(ex * ex + ey * ey) - g.handleWidth / 2;
}

// Lens glass is never perfectly clear: a glare arc at the upper left and a
// darker margin where the view meets the rim.
Colour ThroughGlass(const Colour& view, double u, double v) {
    double reach = std::sqrt(u * u + v * v);
    Colour seen = view * (1 - 0.3 * SmoothStep(0.8, 1.0, reach));
    if (reach == 0) return seen;
    double towardsLight = -(u + v) / (reach * std::sqrt(2.0));
    double arc = SmoothStep(0.66, 0.74, reach) * SmoothStep(0.88, 0.80, reach);
    return Mix(seen, kWhite, 0.5 * arc * SmoothStep(0.45, 0.9, towardsLight));
}

}  // namespace

Backdrop LitBackdrop(Colour top, Colour bottom, double lightX, double lightY, double lightRadius, double lightAmount,
                     double height) {
    return [=](double x, double y) {
        Colour base = Mix(top, bottom, y / height);
        double dx = (x - lightX) / lightRadius, dy = (y - lightY) / lightRadius;
        double pool = 1 - std::sqrt(dx * dx + dy * dy);
        return pool > 0 ? Mix(base, {255, 255, 255}, lightAmount * pool * pool) : base;
    };
}

GlassSample SampleGlass(const GlassLayout& g, const LensView& view, double x, double y) {
    const Ring ring{{g.centreX, g.centreY, g.outerRadius, g.outerRadius},
                    {g.centreX, g.centreY, g.innerRadius, g.innerRadius}};
    const auto behindGlass = [&view](double u, double v) { return ThroughGlass(view(u, v), u, v); };
    if (const GlassSample round = SampleRing(ring, behindGlass, x, y); round.onGlass) return round;
    if (DistanceToHandle(g, x, y) > 0) return {false, {}};
    Axis axis = HandleAxis(g);
    double along = (x - g.handleStartX) * axis.unitX + (y - g.handleStartY) * axis.unitY;
    double sideX = -axis.unitY, sideY = axis.unitX;
    double across = ((x - g.handleStartX) * sideX + (y - g.handleStartY) * sideY) / (g.handleWidth / 2);
    if (along < g.ferruleLength) {
        Colour metal = HandleShade(kFerruleGrey, across, sideX, sideY);
        // A rolled ridge around the ferrule, a little before the grip.
        double ridge = std::fabs(along - g.ferruleLength * 0.7) / (g.handleWidth * 0.12);
        return {true, metal * (1 + 0.3 * SmoothStep(1.0, 0.0, ridge))};
    }
    return {true, HandleShade(kGripGrey, across, sideX, sideY)};
}

namespace {

double ShadowStrength(const GlassLayout& g, double x, double y) {
    const double offset = g.outerRadius * 0.06, blur = g.outerRadius * 0.08;
    double sx = x - offset, sy = y - offset * 1.3;
    double dx = sx - g.centreX, dy = sy - g.centreY;
    double distance = std::min(std::sqrt(dx * dx + dy * dy) - g.outerRadius, DistanceToHandle(g, sx, sy));
    return 0.4 * SmoothStep(blur, -blur, distance);
}

}  // namespace

Image RenderGlassPicture(int width, int height, const GlassLayout& layout, const LensView& view,
                         const Backdrop& backdrop) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour sum;
            ForEachSubsample(x, y, kSubsamples, [&](double px, double py) {
                GlassSample sample = SampleGlass(layout, view, px, py);
                sum = sum + (sample.onGlass ? sample.colour
                                            : Mix(backdrop(px, py), kShadow, ShadowStrength(layout, px, py)));
            });
            image.At(x, y) = Quantise(sum * (1.0 / (kSubsamples * kSubsamples)));
        }
    }
    return image;
}

}  // namespace zoomorb::pictures
