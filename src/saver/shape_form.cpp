#include "saver/shape_form.h"

#include <windows.h>

#include <optional>

#include "dib/c_dib_section.h"
#include "forms/core/numbers.h"
#include "forms/form.h"
#include "forms/handles.h"
#include "pictures/key_colour_runs.h"

namespace Zoomorb_B {

void ShapeFormFromPicture(forms::Form& frmThis, uint32_t& lKeyColor) {
    zoomorb::dib::cDIBSection surface;
    surface.CreateFromPicture(frmThis.Picture());
    const int32_t width = surface.Width();
    const int32_t height = surface.Height();

    frmThis.SetScaleMode(forms::ScaleMode::Pixels);
    // Frame and caption, so that the region (in window coordinates) lines up
    // with the client area the picture is shown in.
    const float outerWidth = frmThis.ScaleX(static_cast<float>(frmThis.Width()), forms::ScaleMode::Twips,
                                            forms::ScaleMode::Pixels);
    const float outerHeight = frmThis.ScaleY(static_cast<float>(frmThis.Height()), forms::ScaleMode::Twips,
                                             forms::ScaleMode::Pixels);
    const int32_t border = forms::ToInt32((outerWidth - frmThis.ScaleWidth()) / 2.0f);
    const int32_t top = forms::ToInt32((outerHeight - frmThis.ScaleHeight()) - static_cast<float>(border));

    frmThis.SetWidth(frmThis.ToTwips(width + 2 * border));
    frmThis.SetHeight(frmThis.ToTwips(border + height + top));

    // The pixels were written by GDI: make sure they have landed before reading.
    GdiFlush();
    forms::UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    const std::optional<uint32_t> key =
        lKeyColor == kKeyFromPicture ? std::nullopt : std::optional<uint32_t>(lKeyColor);
    const uint32_t usedKey = zoomorb::pictures::WalkNonKeyRuns(
        surface.DIBSectionBitsPtr(), width, height, surface.BytesPerScanLine(), key,
        [&](int32_t pictureRow, int32_t start, int32_t end) {
            forms::UniqueRegion run(
                CreateRectRgn(border + start, top + pictureRow, border + end, top + pictureRow + 1));
            CombineRgn(shape.Get(), shape.Get(), run.Get(), RGN_OR);
        });
    lKeyColor = usedKey;
    // The window owns the region once it has taken it; until then it is ours.
    if (SetWindowRgn(frmThis.Hwnd(), shape.Get(), TRUE)) shape.Release();
}

}  // namespace Zoomorb_B
