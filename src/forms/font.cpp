#include "font.h"

#include "forms/core/numbers.h"
#include "forms/core/units.h"
#include "forms/screen.h"

namespace forms {
namespace {

constexpr float kTwipsPerPoint = 20;

LOGFONTW SystemDialogFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return metrics.lfMessageFont;
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

// A negative height asks for the character height without the leading, as
// point sizes are meant.
LONG HeightOf(float points, int32_t dotsPerInch) {
    return -TwipsToPixels(Twips{ToInt32(points * kTwipsPerPoint)}, dotsPerInch).value;
}

}  // namespace

UniqueFont CreateDesignFont(const FontDesign& design, int32_t dotsPerInch) {
    if (design.face.empty()) {
        LOGFONTW font = SystemDialogFont();
        // The system gives its font for the screen's DPI.
        font.lfHeight = design.points > 0 ? HeightOf(design.points, dotsPerInch)
                                          : MulDiv(font.lfHeight, dotsPerInch, DotsPerInch());
        font.lfUnderline = design.underline;
        return UniqueFont(CreateFontIndirectW(&font));
    }
    LOGFONTW font{};
    font.lfHeight = HeightOf(design.points, dotsPerInch);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = design.underline;
    font.lfCharSet = design.charset;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(font.lfFaceName, design.face.c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace forms
