#include "preview_picture.h"

#include "pictures/glass/glass_scene.h"
#include "pictures/sunset.h"

namespace zoomorb::pictures {

Image DrawPreviewPicture(int32_t dotsPerInch) {
    // The scene is laid out in the design's pixels and scaled as a whole, so
    // every drawing of it shows the same picture.
    const double s = static_cast<double>(glass::GlassDpi(dotsPerInch)) / glass::kDesignDpi;
    const GlassLayout layout{80 * s, 78 * s, 70 * s, 60 * s, 80 * s, 130 * s, 80 * s, 186 * s, 20 * s, 30 * s};
    return RenderGlassPicture(glass::ScaledPixels(kPreviewPictureWidth, dotsPerInch),
                              glass::ScaledPixels(kPreviewPictureHeight, dotsPerInch), layout, SunsetAt,
                              LitBackdrop({128, 144, 166}, {78, 92, 116}, 70 * s, 60 * s, 150 * s, 0.25, 200 * s));
}

}  // namespace zoomorb::pictures
