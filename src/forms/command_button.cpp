#include "command_button.h"

namespace forms {

CommandButton::CommandButton(Container& parent, CommandButtonDesign design, std::function<void()> onClick)
    : Control(parent, design.place), design_(std::move(design)), onClick_(std::move(onClick)) {}

void CommandButton::Create() {
    font_ = CreateDesignFont(design_.font, parent_.Dpi());
    face_.Reset(CreateSolidBrush(design_.backColor));
    window_.Create(L"BUTTON", design_.caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, PixelRect(),
                   parent_.Hwnd());
}

void CommandButton::FollowDpi() {
    font_ = CreateDesignFont(design_.font, parent_.Dpi());
    Control::FollowDpi();
    if (window_.Get()) InvalidateRect(window_.Get(), nullptr, FALSE);
}

void CommandButton::SetBackColor(COLORREF color) {
    if (color == design_.backColor) return;
    design_.backColor = color;
    if (!window_.Get()) return;
    face_.Reset(CreateSolidBrush(color));
    InvalidateRect(window_.Get(), nullptr, FALSE);
}

void CommandButton::Press() {
    if (onClick_) onClick_();
}

bool CommandButton::OnCommand(WORD code) {
    // An owner-drawn button reports a quick second click as a double click;
    // it is a press all the same.
    if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return false;
    Press();
    return true;
}

bool CommandButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &area, face_.Get());
    DrawEdge(dc, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);

    RECT text = area;
    if (pressed) OffsetRect(&text, 1, 1);
    SelectionScope selection(dc, font_.Get());
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const COLORREF previousColor = SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, design_.caption.c_str(), static_cast<int>(design_.caption.size()), &text,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(dc, previousColor);
    SetBkMode(dc, previousMode);

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        InflateRect(&area, -1, -1);
        DrawFocusRect(dc, &area);
    }
    return true;
}

}  // namespace forms
