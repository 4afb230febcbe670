#include "hscroll_bar.h"

#include <algorithm>

#include "forms/core/runtime_error.h"

namespace forms {

HScrollBar::HScrollBar(Container& parent, HScrollBarDesign design, std::function<void()> onChange)
    : Control(parent, design.place), design_(design), onChange_(std::move(onChange)) {}

void HScrollBar::Create() {
    window_.Create(L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ, PixelRect(), parent_.Hwnd());
    // No page size: the thumb keeps its fixed size and every value up to Max
    // stays reachable.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = design_.min;
    info.nMax = design_.max;
    info.nPos = design_.value;
    SetScrollInfo(window_.Get(), SB_CTL, &info, TRUE);
}

void HScrollBar::SetValue(int16_t value) {
    if (value < design_.min || value > design_.max) Raise(ErrorNumber::InvalidProcedureCall);
    if (value == design_.value) return;
    design_.value = value;
    if (window_.Get()) SetScrollPos(window_.Get(), SB_CTL, value, TRUE);
    if (onChange_) onChange_();
}

void HScrollBar::MoveTo(int32_t value) {
    SetValue(static_cast<int16_t>(std::clamp<int32_t>(value, design_.min, design_.max)));
}

bool HScrollBar::OnScroll(WORD code, WORD position) {
    switch (code) {
        case SB_LINELEFT:
            MoveTo(design_.value - design_.smallChange);
            return true;
        case SB_LINERIGHT:
            MoveTo(design_.value + design_.smallChange);
            return true;
        case SB_PAGELEFT:
            MoveTo(design_.value - design_.largeChange);
            return true;
        case SB_PAGERIGHT:
            MoveTo(design_.value + design_.largeChange);
            return true;
        case SB_LEFT:
            SetValue(design_.min);
            return true;
        case SB_RIGHT:
            SetValue(design_.max);
            return true;
        case SB_THUMBPOSITION:
            // The message carries the position in 16 bits, as the value is.
            MoveTo(static_cast<int16_t>(position));
            return true;
        case SB_THUMBTRACK:
            // The bar moves its own thumb while it is dragged; the value and
            // Change wait for the release.
        case SB_ENDSCROLL:
            return true;
        default:
            return false;
    }
}

}  // namespace forms
