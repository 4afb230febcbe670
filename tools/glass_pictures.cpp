#include "glass_pictures.h"

#include "pictures/glass/glass_scene.h"
#include "pictures/sunset.h"

namespace zoomorb::pictures {

namespace {

constexpr int kIconSubsamples = 8;

Colour ClearGlass(double u, double v) {
    return Mix({236, 246, 255}, {150, 192, 236}, (u + v + 2) / 4);
}

// The glass alone, square, for an icon: a pixel is opaque when at least half
// of it is glass, and then shows only the glass's own colours.
IconImage RenderGlassIcon(int size, const GlassLayout& layout, const LensView& view) {
    IconImage icon{Image(size, size), std::vector<bool>(static_cast<size_t>(size) * size, true)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Coverage glass = GlassOver(x, y, kIconSubsamples, [&](double px, double py) {
                return SampleGlass(layout, view, px, py);
            });
            if (2 * glass.covered < kIconSubsamples * kIconSubsamples) continue;
            icon.colours.At(x, y) = Quantise(glass.mean);
            icon.transparent[static_cast<size_t>(y) * size + x] = false;
        }
    }
    return icon;
}

}  // namespace

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
