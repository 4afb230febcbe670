#pragma once
// The settings dialog's layout: where each of its parts lies, in the pixels
// of its design at 96 DPI, and the same at any DPI (a move onto a monitor of
// another scale lays it out anew): every place and size times DPI / 96,
// rounded as every conversion of units is.

#include <cstdint>

#include "forms/core/units.h"

namespace zoomorb::settings_dialog {

struct DesignRect {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

struct DialogLayout {
    DesignRect background;  // the picture box the client area holds exactly
    DesignRect scrollBar;
    DesignRect okButton;
    DesignRect picture;
    DesignRect value;
    DesignRect escapeNote;
    DesignRect link;
    DesignRect magnification;
    DesignRect credit;
};

inline constexpr DialogLayout kDialogDesign{
    {0, 0, 378, 208},   {148, 48, 113, 17}, {288, 144, 77, 21}, {12, 12, 124, 132}, {268, 52, 30, 12},
    {12, 152, 203, 13}, {12, 172, 214, 13}, {148, 32, 26, 13},  {148, 12, 165, 13},
};

constexpr DesignRect AtDpi(DesignRect rect, int32_t dotsPerInch) {
    return {forms::DesignToPixels(rect.left, dotsPerInch), forms::DesignToPixels(rect.top, dotsPerInch),
            forms::DesignToPixels(rect.width, dotsPerInch), forms::DesignToPixels(rect.height, dotsPerInch)};
}

constexpr DialogLayout LayoutAtDpi(int32_t dotsPerInch) {
    const DialogLayout& d = kDialogDesign;
    return {AtDpi(d.background, dotsPerInch), AtDpi(d.scrollBar, dotsPerInch), AtDpi(d.okButton, dotsPerInch),
            AtDpi(d.picture, dotsPerInch),    AtDpi(d.value, dotsPerInch),     AtDpi(d.escapeNote, dotsPerInch),
            AtDpi(d.link, dotsPerInch),       AtDpi(d.magnification, dotsPerInch), AtDpi(d.credit, dotsPerInch)};
}

}  // namespace zoomorb::settings_dialog
