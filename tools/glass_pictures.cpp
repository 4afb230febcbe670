#include "glass_pictures.h"

#include <cmath>

#include "glass_scene.h"
#include "sunset.h"

namespace zoomorb::pictures {

namespace {

Colour ClearGlass(double u, double v) {
    return Mix({236, 246, 255}, {150, 192, 236}, (u + v + 2) / 4);
}

// A vertical gradient with a soft pool of light behind the lens.
Backdrop LitBackdrop(Colour top, Colour bottom, double lightX, double lightY, double lightRadius, double lightAmount,
                     double height) {
    return [=](double x, double y) {
        Colour base = Mix(top, bottom, y / height);
        double dx = (x - lightX) / lightRadius, dy = (y - lightY) / lightRadius;
        double pool = 1 - std::sqrt(dx * dx + dy * dy);
        return pool > 0 ? Mix(base, {255, 255, 255}, lightAmount * pool * pool) : base;
    };
}

}  // namespace

Image DrawPreviewPicture() {
    const GlassLayout glass{80, 78, 70, 60, 80, 130, 80, 186, 20, 30};
    return RenderGlassPicture(179, 200, glass, SunsetAt,
                              LitBackdrop({128, 144, 166}, {78, 92, 116}, 70, 60, 150, 0.25, 200));
}

Image DrawDialogPicture() {
    const GlassLayout glass{57, 54, 48, 41, 57, 88, 57, 119, 14, 24};
    return RenderGlassPicture(120, 128, glass, SunsetAt,
                              LitBackdrop({214, 222, 240}, {148, 162, 198}, 50, 40, 110, 0.35, 128));
}

std::vector<IconImage> DrawIconImages() {
    const GlassLayout small{6.5, 6.5, 6.4, 4.3, 9.9, 9.9, 14.7, 14.7, 3.6, 3.0};
    const GlassLayout large{12.5, 12.5, 11.6, 8.2, 19.5, 19.5, 29.6, 29.6, 6.0, 6.0};
    return {RenderGlassIcon(16, small, ClearGlass), RenderGlassIcon(32, large, ClearGlass)};
}

}  // namespace zoomorb::pictures
