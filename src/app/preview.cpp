#include "app/preview.h"

#include "app/core/command_line.h"
#include "app/core/preview_picture.h"
#include "forms/core/numbers.h"
#include "forms/core/units.h"
#include "forms/core/runtime_error.h"
#include "forms/program.h"
#include "forms/screen.h"
#include "resources/resource_ids.h"
#include "saver/core/glass_geometry.h"
#include "saver/drawn_bitmap.h"

namespace zoomorb::preview {
namespace {

constexpr UINT kPaneWatchIntervalMs = 250;

// Design: 2595 x 1935 twips, white, no border; the picture at (60, 60) twips,
// 179 x 200 pixels, its own size.
forms::FormDesign PreviewDesign() {
    forms::FormDesign design;
    design.caption = L"Preview Window";
    design.border = forms::BorderStyle::None;
    design.backColor = RGB(255, 255, 255);
    design.widthTwips = 2595;
    design.heightTwips = 1935;
    design.toolWindow = true;
    return design;
}

// A pane is a small window of the display settings. The desktop, or any
// window as large as the screen, is none: a preview covering it would put a
// white window over everything, which nothing would end.
bool CanBePreviewPane(HWND window) {
    RECT rect{};
    if (!window || !IsWindow(window) || window == GetDesktopWindow() || !GetWindowRect(window, &rect)) return false;
    return rect.right - rect.left < GetSystemMetrics(SM_CXSCREEN) ||
           rect.bottom - rect.top < GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace

Zoomorb_R::Zoomorb_R()
    : forms::Form(PreviewDesign()),
      Img_Prev(*this, forms::TwipsRect{60, 60, 2685, 3000}, IDB_PREVIEW),
      paneWatch_(*this, kPaneWatchIntervalMs, [this] { PaneWatch_Timer(); }) {
    SetScaleMode(forms::ScaleMode::Pixels);
}

void Zoomorb_R::WatchPane(HWND pane) { pane_ = pane; }

void Zoomorb_R::PaneWatch_Timer() {
    // The display settings may close the pane without closing us with it.
    if (pane_ && !IsWindow(pane_)) Unload();
}

Zoomorb_R& PreviewForm() {
    static Zoomorb_R form;
    return form;
}

void StartPreview(const std::string& handleText) {
    long long handleValue = 0;
    try {
        handleValue = PreviewHandleFromText(handleText);
    } catch (const forms::RuntimeError&) {
        handleValue = 0;
    }
    HWND pane = reinterpret_cast<HWND>(static_cast<intptr_t>(handleValue));
    // Without a pane there is nothing to draw into and nothing that would ever
    // close us: end at once instead of living on invisibly.
    if (!CanBePreviewPane(pane)) {
        forms::EndProgram(0);
        return;
    }

    RECT paneRect{};
    GetWindowRect(pane, &paneRect);
    // Sizes in 32 bits: panes beyond 2184 pixels do not fit 16-bit twips.
    const int32_t paneWidth = paneRect.right - paneRect.left;
    const int32_t paneHeight = paneRect.bottom - paneRect.top;

    Zoomorb_R& form = PreviewForm();
    // The stored picture is drawn for 96 DPI; where the pane has more dots
    // per inch the same scene is drawn as much larger, so it looks the same.
    const int32_t dotsPerInch = forms::DotsPerInch();
    if (glass::GlassDpi(dotsPerInch) != glass::kDesignDpi)
        form.Img_Prev.SetPicture(saver::DrawnBitmap(DrawPreviewPicture(dotsPerInch)));
    form.Load();
    HWND window = form.Hwnd();
    // A child must not stay a pop-up; every other style bit is kept.
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    SetWindowLongW(window, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    SetParent(window, pane);
    form.Move(0, 0, forms::PixelsToTwipsByFactor(paneWidth, forms::TwipsPerPixelX()),
              forms::PixelsToTwipsByFactor(paneHeight, forms::TwipsPerPixelY()));
    form.Img_Prev.SetPixelRect(0, 0, paneWidth, paneHeight);
    form.WatchPane(pane);
    form.Show();
}

}  // namespace zoomorb::preview
