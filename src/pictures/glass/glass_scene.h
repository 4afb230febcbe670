#pragma once
// The glass as an illustration, for the preview and dialog pictures and the
// icon: a round lens with a purple tube rim and a handle, drawn with
// supersampling over any background and with any view through the lens.

#include <functional>

#include "pictures/glass/glass_ring.h"
#include "pictures/rgb_image.h"

namespace zoomorb::pictures {

struct GlassLayout {
    double centreX, centreY;  // pixel coordinates, pixel centres at integers + 0.5
    double outerRadius, innerRadius;
    // The handle's axis, starting under the rim; the grip begins after
    // ferruleLength along it.
    double handleStartX, handleStartY, handleEndX, handleEndY;
    double handleWidth, ferruleLength;
};

// What the lens shows, for (u, v) in the unit disc, v growing downwards;
// the glass adds its glare and its darker margin.
using LensView = std::function<Colour(double u, double v)>;
using Backdrop = std::function<Colour(double x, double y)>;

// A vertical gradient from `top` to `bottom` over `height`, with a soft pool
// of light of the given radius and strength around (lightX, lightY).
Backdrop LitBackdrop(Colour top, Colour bottom, double lightX, double lightY, double lightRadius, double lightAmount,
                     double height);

// What lies at a point of the picture: the glass and its colour, or nothing.
GlassSample SampleGlass(const GlassLayout& layout, const LensView& view, double x, double y);

// The glass over the backdrop, casting a soft shadow down and to the right.
Image RenderGlassPicture(int width, int height, const GlassLayout& layout, const LensView& view,
                         const Backdrop& backdrop);

}  // namespace zoomorb::pictures
