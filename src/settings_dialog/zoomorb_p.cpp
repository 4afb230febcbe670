#include "settings_dialog/zoomorb_p.h"

#include <windows.h>
#include <shellapi.h>

#include "forms/core/numbers.h"
#include "forms/core/runtime_error.h"
#include "forms/high_contrast.h"
#include "forms/program.h"
#include "forms/screen.h"
#include "forms/text.h"
#include "resources/resource_ids.h"
#include "forms/core/units.h"
#include "settings_dialog/core/dialog_layout.h"
#include "settings_dialog/core/gradient.h"
#include "shared/captions.h"
#include "shared/core/settings_value.h"
#include "shared/settings.h"
#include "shared/window_utilities.h"

namespace zoomorb::settings_dialog {
namespace {

// Places are kept in twips, which the engine turns into pixels at the
// dialog's DPI.
constexpr forms::TwipsRect Twips(DesignRect rect) {
    return forms::TwipsRect{forms::DesignToTwips(rect.left), forms::DesignToTwips(rect.top),
                            forms::DesignToTwips(rect.width), forms::DesignToTwips(rect.height)};
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kSilver = RGB(192, 192, 192);

// The scroll bar spans the magnification's valid range, in steps of ten.
constexpr int16_t kMinimumPercent = zoomorb::kMinimumMagnification;
constexpr int16_t kMaximumPercent = zoomorb::kMaximumMagnification;
constexpr int16_t kDefaultPercent = zoomorb::kDefaultMagnification;
constexpr int16_t kArrowStep = 10;
constexpr int16_t kTrackStep = 50;

forms::FormDesign DialogDesign() {
    forms::FormDesign design;
    design.caption = kSettingsDialogCaption;
    design.border = forms::BorderStyle::Sizable;
    design.widthTwips = 5790;
    design.heightTwips = 3525;
    design.iconResource = IDI_ZOOMORB;
    return design;
}

forms::FontDesign Underlined(forms::FontDesign font) {
    font.underline = true;
    return font;
}

// The colours come with the theme, at load.
forms::LabelDesign LabelAt(forms::TwipsRect place, std::wstring caption, forms::FontDesign font) {
    forms::LabelDesign design;
    design.place = place;
    design.caption = std::move(caption);
    design.font = std::move(font);
    return design;
}

forms::LabelDesign WithAccessKey(forms::LabelDesign design) {
    design.accessKey = true;
    return design;
}

// The system's hand follows the user's pointer scheme and size; ours stands
// in on systems that have none.
HCURSOR HandPointer() {
    if (HCURSOR system = LoadCursorW(nullptr, IDC_HAND)) return system;
    return LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_POINTER));
}

}  // namespace

Zoomorb_P::Zoomorb_P(LANGID uiLanguage)
    : forms::Form(DialogDesign()),
      texts_(DialogTextsFor(uiLanguage)),
      Pic_C(*this, forms::PictureBoxDesign{Twips(kDialogDesign.background), GetSysColor(COLOR_BTNFACE)}),
      Bairitu(Pic_C,
              forms::HScrollBarDesign{Twips(kDialogDesign.scrollBar), kMinimumPercent, kMaximumPercent, kArrowStep,
                                      kTrackStep, kDefaultPercent},
              [this] { Bairitu_Change(); }),
      Cmd_End(Pic_C, forms::CommandButtonDesign{Twips(kDialogDesign.okButton), texts_.ok, texts_.font, kSilver},
              [this] { Cmd_End_Click(); }),
      Picture1(Pic_C, forms::PictureBoxDesign{Twips(kDialogDesign.picture), GetSysColor(COLOR_BTNFACE),
                                              /*sunkenBorder=*/true, IDB_DIALOG_PICTURE, /*autoSize=*/true,
                                              /*pictureFollowsDpi=*/true}),
      lbl_Bairitu(Pic_C, LabelAt(Twips(kDialogDesign.value), PercentText(kDefaultPercent), texts_.valueFont)),
      Label1(Pic_C, LabelAt(Twips(kDialogDesign.escapeNote), texts_.escNote, texts_.font)),
      lbl_URL(Pic_C, LabelAt(Twips(kDialogDesign.link), forms::Widen(ZOOMORB_HOME_PAGE), Underlined(texts_.font)),
              [this] { lbl_URL_Click(); }),
      lbl0(Pic_C, WithAccessKey(LabelAt(Twips(kDialogDesign.magnification), texts_.magnification, texts_.font))),
      lbl9(Pic_C, LabelAt(Twips(kDialogDesign.credit), L"Designed by Quorvat Ver.1.1.0", texts_.font)) {
    SetScaleMode(forms::ScaleMode::Pixels);
    Cmd_End.SetPointer(HandPointer());
    lbl_URL.SetPointer(HandPointer());
    AddAccessKey(lbl0, Bairitu);
}

void Zoomorb_P::Form_Load() {
    // Every statement stands on its own: one that raises a run-time error
    // (checked conversions and arithmetic, a value the scroll bar refuses)
    // is skipped.
    forms::IgnoreErrors([&] { Bairitu.SetValue(forms::ToInt16(Zoomorb_B::Magnification)); });
    Bairitu.SetPointer(Cmd_End.Pointer());
    forms::IgnoreErrors([&] { ShowValue(); });
    ApplyColours();
    // The labels are drawn, not windows: what they say reaches assistive
    // technology through the windows they belong to.
    accessible_.SetName(Bairitu.Hwnd(), lbl0.Name());
    accessible_.SetDialogRole(Hwnd());
    accessible_.SetDescription(Hwnd(), Label1.Caption());
    // The client area holds the picture box exactly, within the frame the
    // system draws: its size differs between systems and grows with the DPI.
    forms::IgnoreErrors([&] { SetWidth(ToTwips(Pic_C.ScaleWidth() + FrameSize().cx)); });
    forms::IgnoreErrors([&] { SetHeight(ToTwips(Pic_C.ScaleHeight() + FrameSize().cy)); });
    forms::IgnoreErrors([&] {
        const int32_t left = forms::CheckedInt32(forms::IntDiv(forms::ScreenWidthTwips() - int64_t{Width()}, 2));
        const int32_t top = forms::CheckedInt32(forms::IntDiv(forms::ScreenHeightTwips() - int64_t{Height()}, 2));
        Move(left, top);
    });
    // At a high DPI on a small screen the centred frame can reach past the
    // screen's edges, OK and all: it is moved (never shrunk) to lie on the
    // work area of the monitor it opens on.
    KeepOnWorkArea();
    POINT cursor{};
    const bool cursorKnown = GetCursorPos(&cursor) != 0;
    forms::IgnoreErrors([&] { Zoomorb_B::AnimOriginX = cursorKnown ? forms::ToInt16(cursor.x) : int16_t{0}; });
    forms::IgnoreErrors([&] { Zoomorb_B::AnimOriginY = cursorKnown ? forms::ToInt16(cursor.y) : int16_t{0}; });
    Zoomorb_B::AnimateOpen(Hwnd());
    forms::SetScreenMousePointer(forms::MousePointer::Default);
    // The scroll bar shows the default, not what that file says: said before
    // the user chooses.
    if (!Zoomorb_B::UnreadableSettingsFile.empty()) {
        const std::wstring message =
            texts_.readFailed + L"\n" + Zoomorb_B::UnreadableSettingsFile + L"\n\n" + texts_.readKept;
        MessageBoxW(Hwnd(), message.c_str(), L"Zoomorb", MB_OK | MB_ICONWARNING);
    }
}

void Zoomorb_P::KeepOnWorkArea() {
    RECT frame{};
    if (!GetWindowRect(Hwnd(), &frame)) return;
    const forms::PixelRect inside =
        forms::MovedInside({frame.left, frame.top, frame.right, frame.bottom}, forms::WorkAreaOf(Hwnd()));
    if (inside.left != frame.left || inside.top != frame.top)
        SetWindowPos(Hwnd(), nullptr, inside.left, inside.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Zoomorb_P::Form_Resize() {
    // The band's period follows the picture box; the rows drawn follow the
    // dialog's own client height. A high-contrast theme gets its plain
    // window colour, on which its text colour reads.
    const bool highContrast = forms::HighContrastOn();
    const int32_t bandHeight = Pic_C.ScaleHeight();
    for (const int32_t row : GradientRows(forms::ToInt32(ScaleHeight()))) {
        const RowColour colour = GradientRowColour(row, bandHeight);
        Pic_C.Line(0, row, Pic_C.ScaleWidth(), row,
                   highContrast ? GetSysColor(COLOR_WINDOW) : RGB(colour.r, colour.g, colour.b));
    }
}

void Zoomorb_P::ApplyColours() {
    // Light texts on the band's dark ends, dark ones on its light middle.
    const bool highContrast = forms::HighContrastOn();
    const auto ink = [&](COLORREF design) { return highContrast ? GetSysColor(COLOR_WINDOWTEXT) : design; };
    lbl9.SetForeColor(ink(kWhite));
    lbl0.SetForeColor(ink(kBlack));
    lbl_Bairitu.SetForeColor(ink(kBlack));
    Label1.SetForeColor(ink(GetSysColor(COLOR_BTNTEXT)));
    lbl_URL.SetForeColor(ink(kWhite));
    // The button's caption is in the theme's button-text colour either way.
    Cmd_End.SetBackColor(highContrast ? GetSysColor(COLOR_BTNFACE) : kSilver);
}

void Zoomorb_P::ShowValue() {
    lbl_Bairitu.SetCaption(PercentText(Bairitu.Value()));
    accessible_.SetValue(Bairitu.Hwnd(), lbl_Bairitu.Caption());
}

void Zoomorb_P::Bairitu_Change() { ShowValue(); }

std::wstring Zoomorb_P::PercentText(int16_t value) const {
    return forms::Widen(forms::DecimalText(value)) + texts_.percentSign;
}

void Zoomorb_P::Cmd_End_Click() {
    // Where the stored value could not be read, the default the dialog shows
    // instead is no choice of the user's: left as it is, it is not saved over
    // that value.
    const bool chosen = Zoomorb_B::UnreadableSettingsFile.empty() || Bairitu.Value() != Zoomorb_B::Magnification;
    if (chosen) {
        const Zoomorb_B::SaveResult saved = Zoomorb_B::SaveSettings(Bairitu.Value());
        if (!saved.saved) {
            // Said, never passed over: the dialog stays, so the choice is not lost unnoticed.
            const std::wstring message = texts_.saveFailed + L"\n" + saved.file + L"\n\n" +
                                         (saved.filesUnchanged ? texts_.saveUndone : texts_.saveNotUndone);
            MessageBoxW(Hwnd(), message.c_str(), L"Zoomorb", MB_OK | MB_ICONWARNING);
            return;
        }
    }
    Unload();
    forms::EndProgram(0);
}

void Zoomorb_P::Form_Unload(int&) { Zoomorb_B::AnimateClose(Hwnd()); }

bool Zoomorb_P::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            // The modal loop passes keys through IsDialogMessage, which
            // reports Enter as IDOK and Escape as IDCANCEL, from no control:
            // Enter presses OK, Escape closes without saving.
            if (lParam != 0) return false;
            result = 0;
            if (LOWORD(wParam) == IDOK) {
                Cmd_End_Click();
                return true;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                Unload();
                return true;
            }
            return false;
        case WM_SETTINGCHANGE:
            if (wParam != SPI_SETHIGHCONTRAST) return false;
            [[fallthrough]];
        case WM_SYSCOLORCHANGE:
            // A theme switched on or off while the dialog is open.
            ApplyColours();
            Form_Resize();
            RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return false;
        case WM_DPICHANGED: {
            // Moved onto a monitor of another scale, or its scale changed:
            // the dialog takes the rectangle the system suggests for the new
            // DPI and lays out its picture, fonts and controls anew.
            SetDpi(HIWORD(wParam));
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                         suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            Form_Resize();
            RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            result = 0;
            return true;
        }
        case WM_DESTROY:
            accessible_.Clear();
            return false;
        default:
            return false;
    }
}

void Zoomorb_P::lbl_URL_Click() {
    ShellExecuteW(Hwnd(), L"open", lbl_URL.Caption().c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace zoomorb::settings_dialog
