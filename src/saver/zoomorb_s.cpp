#include "saver/zoomorb_s.h"

#include <chrono>

#include "forms/core/runtime_error.h"
#include "forms/core/units.h"
#include "forms/program.h"
#include "forms/screen.h"
#include "resources/resource_ids.h"
#include "saver/core/cursor_step.h"
#include "saver/core/glass_geometry.h"
#include "saver/core/glass_picture.h"
#include "saver/core/window_step.h"
#include "saver/drawn_bitmap.h"
#include "saver/fault_seam.h"
#include "saver/shape_form.h"
#include "shared/captions.h"
#include "shared/settings.h"
#include "shared/system.h"
#include "shared/window_utilities.h"

namespace zoomorb::saver {
namespace {

constexpr UINT kViewIntervalMs = 20;
constexpr UINT kCursorIntervalMs = 1;  // as often as the system delivers ticks
constexpr UINT kWindowIntervalMs = 100;

constexpr int32_t kDesignWidthTwips = 4380;
constexpr int32_t kDesignHeightTwips = 3120;

forms::FormDesign SaverDesign() {
    forms::FormDesign design;
    design.caption = kSaverCaption;
    design.border = forms::BorderStyle::None;
    design.widthTwips = kDesignWidthTwips;
    design.heightTwips = kDesignHeightTwips;
    design.iconResource = IDI_ZOOMORB;
    design.toolWindow = true;
    return design;
}

// The lens sits over the glass picture's white interior: its place is given
// in the picture's pixels at a DPI, so it stays there at any DPI.
forms::TwipsRect LensPlace(const forms::Container& form, int32_t dotsPerInch) {
    const glass::Layout layout = glass::LayoutAtDpi(dotsPerInch);
    return forms::TwipsRect{form.ToTwips(layout.lensLeft), form.ToTwips(layout.lensTop),
                            form.ToTwips(layout.lensWidth), form.ToTwips(layout.lensHeight)};
}

// The glass is stored as drawn for 96 DPI; for a monitor of more dots per
// inch it is drawn instead, crisp at its size there.
forms::UniqueBitmap GlassPicture(int32_t dotsPerInch) {
    if (glass::GlassDpi(dotsPerInch) == glass::kDesignDpi)
        return forms::UniqueBitmap(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LENS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return DrawnBitmap(pictures::DrawLensBitmap(dotsPerInch));
}

double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

Zoomorb_S::Zoomorb_S(SaverSession& session)
    : forms::Form(SaverDesign()),
      Display(*this, forms::PictureBoxDesign{}),
      Timer1(*this, kViewIntervalMs, [this] { Timer1_Timer(); }),
      Timer2(*this, kCursorIntervalMs, [this] { Timer2_Timer(); }),
      Timer3(*this, kWindowIntervalMs, [this] { Timer3_Timer(); }),
      session_(session) {}

void Zoomorb_S::Form_Load() {
    // The glass starts on the primary monitor, drawn for its DPI; the window
    // takes its design size in that DPI's twips before it is centred.
    FollowMonitors();
    glassDpi_ = desktop_.Primary().dotsPerInch;
    metrics_ = desktop_.MetricsAt(glassDpi_);
    SetDpi(glassDpi_);
    // Every step stands on its own: one that raises a run-time error (checked
    // arithmetic or conversions, the picture's walk) is skipped and never
    // stops the others.
    forms::IgnoreErrors([&] { Move(Left(), Top(), kDesignWidthTwips, kDesignHeightTwips); });
    forms::IgnoreErrors([&] {
        state_ = SetUpSaverState(metrics_, Width(), Height(), forms::SharedRandom(), forms::SecondsSinceMidnight());
    });
    forms::IgnoreErrors([&] { Move(state_.lens.left, state_.lens.top); });
    DrawGlass();
    forms::IgnoreErrors([&] { Zoomorb_B::SetTopmost(*this, true); });
}

void Zoomorb_S::FollowMonitors() {
    monitors_ = forms::Monitors();
    std::vector<Monitor> monitors;
    std::vector<forms::PixelRect> areas;
    for (const forms::MonitorArea& monitor : monitors_) {
        monitors.push_back(Monitor{monitor.area, monitor.dotsPerInch});
        areas.push_back(monitor.area);
    }
    desktop_ = Desktop(std::move(monitors));
    metrics_ = desktop_.MetricsAt(glassDpi_);
    view_.SetMonitors(std::move(areas));
}

void Zoomorb_S::DrawGlass() {
    // Each step stands on its own, as at start-up: a glass that could not be
    // drawn leaves the window as it was.
    forms::IgnoreErrors([&] {
        forms::UniqueBitmap glass = GlassPicture(glassDpi_);
        if (!glass) return;
        SetPicture(std::move(glass));
        uint32_t key = Zoomorb_B::kKeyFromPicture;
        Zoomorb_B::ShapeFormFromPicture(*this, key);
    });
    Display.SetPlace(LensPlace(*this, glassDpi_));
    const glass::Layout layout = glass::LayoutAtDpi(glassDpi_);
    forms::UniqueRegion lens(CreateEllipticRgn(0, 0, layout.lensEllipseWidth, layout.lensEllipseHeight));
    if (SetWindowRgn(Display.Hwnd(), lens.Get(), TRUE)) lens.Release();
}

void Zoomorb_S::FollowGlassDpi() {
    // The position is counted afresh in the new DPI's twips, so the glass
    // stays where it is; its speeds are lengths and follow by themselves.
    if (!FollowMonitorDpi(state_.lens, glassDpi_, desktop_)) return;
    metrics_ = desktop_.MetricsAt(glassDpi_);
    SetDpi(glassDpi_);
    DrawGlass();
}

void Zoomorb_S::Timer1_Timer() {
    const double start = NowMs();
    if (!redrawPacing_.IsDue(start)) return;
    GetCursorPos(&CursorPos);
    view_.Draw(session_.DesktopDc(), CursorPos, Zoomorb_B::Magnification);
    redrawPacing_.Drew(start, NowMs());
}

void Zoomorb_S::Timer2_Timer() {
    // While the 9x password dialog is open the cursor keeps still, so that
    // the mouse can be used on it. With a button held down (pressed before
    // the saver started), the circle would drag or paint in the window
    // beneath: it waits for the release.
    if (!endingSaver_ && session_.CursorMayMove()) {
        const CursorPoint pointer = StepCursor(state_.orbit, metrics_);
        SetCursorPos(pointer.x, pointer.y);
    }
    if (session_.EscapePressed()) EndSaver();
}

void Zoomorb_S::Timer3_Timer() {
    // Not every system tells every window when the monitors change (Wine
    // does not): the window step looks for itself.
    if (forms::Monitors() != monitors_) FollowMonitors();
    StepWindow(state_.lens, metrics_, forms::SharedRandom(), forms::SecondsSinceMidnight());
    // The saver moves its window itself, so it sees for itself when the
    // glass comes onto a monitor of another DPI.
    FollowGlassDpi();
    Move(state_.lens.left, state_.lens.top);
}

bool Zoomorb_S::PasswordAccepted() {
    // The 9x family leaves the password to the saver. Where its library
    // cannot be called there is no password to ask for: a saver that could
    // not be ended would trap the user.
    using VerifyPassword = BOOL(WINAPI*)(HWND);
    forms::UniqueModule library(LoadLibraryW(L"password.cpl"));
    if (!library) return true;
    auto verify = reinterpret_cast<VerifyPassword>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "VerifyScreenSavePwd")));
    if (!verify) return true;
    return verify(Hwnd()) != FALSE;
}

void Zoomorb_S::EndSaver() {
    // The timers go on while the password dialog is open, and so does the
    // Escape poll: one check at a time.
    if (endingSaver_) return;
    endingSaver_ = true;
    bool accepted = true;
    if (session_.SaverMode() && !Zoomorb_B::IsWindowsNT()) accepted = PasswordAccepted();
    if (!accepted) {
        endingSaver_ = false;
        return;
    }
    RestoreAndEnd();
}

void Zoomorb_S::RestoreAndEnd() {
    endingSaver_ = true;
    // No tick steps a saver that is ending, nor polls Escape once more.
    StopTimers();
    session_.Restore();
    Unload();
    forms::EndProgram(0);
}

void Zoomorb_S::OnCloseRequest() {
    // Closed from outside (the task list, a shutdown): no password to ask,
    // but the system's screen-saver state must still be put right.
    RestoreAndEnd();
}

bool Zoomorb_S::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            // A click on the glass must not take the focus from anyone.
            result = MA_NOACTIVATE;
            return true;
        case WM_ENDSESSION:
            if (wParam) RestoreAndEnd();
            result = 0;
            return true;
        case WM_DISPLAYCHANGE:
            // A monitor came, went or changed its mode: the glass and the
            // cursor wander over the monitors as they are now (the next steps
            // bring them onto one if they were left on none), and the lens
            // copies from them.
            FollowMonitors();
            return false;
        case WM_DPICHANGED:
            // The system judges by where most of the window is; the glass
            // goes by its circle's centre, and places itself: the size the
            // system suggests is not taken.
            FollowGlassDpi();
            result = 0;
            return true;
        default:
            RaiseFaultAskedFor(message);
            return false;
    }
}

}  // namespace zoomorb::saver
