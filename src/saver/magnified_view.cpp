#include "saver/magnified_view.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <utility>

namespace zoomorb::saver {
namespace {

double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The lens window's property through which bench/run reads how old the
// oldest part of the desktop the lens showed in the last second was: one
// more than the milliseconds, as a property of 0 reads as none. Nothing
// else reads it.
constexpr wchar_t kOldestShownProperty[] = L"Zoomorb.OldestShownMs";

}  // namespace

void MagnifiedView::SetMonitors(std::vector<forms::PixelRect> monitors) {
    monitors_ = std::move(monitors);
    // Made when the lens first shrinks: at 100 % and above it is not needed.
    desktopCopy_ = CopyState::ToBeMade;
}

void MagnifiedView::Draw(HDC screen, POINT cursor, int32_t magnification) {
    const int32_t width = lens_.ScaleWidth();
    const int32_t height = lens_.ScaleHeight();
    const LensView view = LensViewAt(cursor.x, cursor.y, magnification, width, height, monitors_);
    const bool reduces = view.Reduces(width, height);
    if (reduces && DrawReduced(screen, view)) return;
    DrawFromScreen(screen, view, reduces);
}

void MagnifiedView::DrawFromScreen(HDC screen, const LensView& view, bool averaging) {
    const HDC lens = lens_.hDC();
    const int32_t width = lens_.ScaleWidth();
    const int32_t height = lens_.ScaleHeight();
    lens_.Cls();
    // Without a copy of the desktop to reduce from, the system averages
    // (slowly: it reads the whole source from the screen).
    const int previousMode = averaging ? SetStretchBltMode(lens, HALFTONE) : 0;
    if (averaging) SetBrushOrgEx(lens, 0, 0, nullptr);
    const SourceRect& source = view.source;
    if (view.OnOneMonitor()) {
        StretchBlt(lens, 0, 0, width, height, screen, source.x, source.y, source.width, source.height, SRCCOPY);
    } else {
        const RECT all{0, 0, width, height};
        FillRect(lens, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        for (const ViewPiece& piece : view.pieces) {
            // A sliver of the source may round to nothing in the lens.
            if (piece.view.IsEmpty()) continue;
            StretchBlt(lens, piece.view.left, piece.view.top, piece.view.Width(), piece.view.Height(), screen,
                       piece.source.left, piece.source.top, piece.source.Width(), piece.source.Height(), SRCCOPY);
        }
    }
    if (averaging) SetStretchBltMode(lens, previousMode);
}

bool MagnifiedView::DrawReduced(HDC screen, const LensView& view) {
    const int32_t width = lens_.ScaleWidth();
    const int32_t height = lens_.ScaleHeight();
    if (desktopCopy_ == CopyState::ToBeMade)
        desktopCopy_ = desktop_.Follow(monitors_) ? CopyState::Made : CopyState::CannotBeMade;
    if (desktopCopy_ != CopyState::Made) return false;
    const bool pictureFits = reduced_ && reduced_.Pixels().width == width && reduced_.Pixels().height == height;
    if (!pictureFits && !reduced_.Create(width, height)) return false;
    const SourceRect& s = view.source;
    const forms::PixelRect area{s.x, s.y, s.x + s.width, s.y + s.height};
    const double now = NowMs();
    desktop_.Refresh(screen, area, now);
    desktop_.Average(area, reduced_.Pixels());
    BitBlt(lens_.hDC(), 0, 0, width, height, reduced_.Dc(), 0, 0, SRCCOPY);
    lens_.Refresh();
    NoteOldestShown(now);
    return true;
}

void MagnifiedView::NoteOldestShown(double nowMs) {
    const double shownAt = desktop_.OldestShownMs();
    if (std::isfinite(shownAt)) oldestShownMs_ = std::max(oldestShownMs_, nowMs - shownAt);
    // Once a second: telling costs a call to the window system.
    if (nowMs - toldAtMs_ < 1000) return;
    SetPropW(lens_.Hwnd(), kOldestShownProperty,
             reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::lround(oldestShownMs_) + 1)));
    oldestShownMs_ = 0;
    toldAtMs_ = nowMs;
}

}  // namespace zoomorb::saver
