#include "view_source.h"

#include <algorithm>

#include "forms/core/numbers.h"
#include "shared/core/settings_value.h"

namespace zoomorb::saver {

SourceRect ViewSourceRect(int32_t cursorX, int32_t cursorY, int32_t magnification,
                          int32_t viewWidth, int32_t viewHeight) {
    const int32_t percent = magnification > 0 ? magnification : kDefaultMagnification;
    // Kept in this form, with the reciprocal taken first: the rounding of the
    // odd halves below depends on the exact doubles it gives.
    const double scale = 1 / (percent / 100.0);
    const int32_t width = std::max(forms::ToInt32(scale * viewWidth), 1);
    const int32_t height = std::max(forms::ToInt32(scale * viewHeight), 1);
    // An odd size puts the area half a pixel off the cursor; which way follows
    // from rounding the half to even.
    return {forms::ToInt32(cursorX - width / 2.0), forms::ToInt32(cursorY - height / 2.0), width,
            height};
}

}  // namespace zoomorb::saver
