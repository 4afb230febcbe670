#include "label.h"

#include "forms/core/access_key.h"

namespace forms {

Label::Label(Container& parent, LabelDesign design, std::function<void()> onClick)
    : WindowlessControl(parent, design.place),
      design_(std::move(design)),
      font_(CreateDesignFont(design_.font, parent.Dpi())),
      onClick_(std::move(onClick)) {
    FitToText();
}

void Label::FollowDpi() {
    Invalidate();
    font_ = CreateDesignFont(design_.font, parent_.Dpi());
    FitToText();
    Invalidate();
}

void Label::SetCaption(std::wstring caption) {
    Invalidate();
    design_.caption = std::move(caption);
    FitToText();
    Invalidate();
}

std::wstring Label::Name() const { return design_.accessKey ? WithoutAccessKey(design_.caption) : design_.caption; }

wchar_t Label::AccessKey() const { return design_.accessKey ? AccessKeyOf(design_.caption) : 0; }

void Label::SetForeColor(COLORREF color) {
    if (color == design_.foreColor) return;
    design_.foreColor = color;
    Invalidate();
}

UINT Label::TextFormat() const {
    constexpr UINT kOneLine = DT_SINGLELINE | DT_LEFT | DT_TOP;
    if (!design_.accessKey) return kOneLine | DT_NOPREFIX;
    // The container's windows carry the system's choice: cues hidden until
    // the keyboard is used, or always shown.
    const HWND container = parent_.Hwnd();
    const bool cuesHidden = container && (SendMessageW(container, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL);
    return cuesHidden ? kOneLine | DT_HIDEPREFIX : kOneLine;
}

void Label::FitToText() {
    WindowDc screen(nullptr);
    SelectionScope selection(screen.Get(), font_.Get());
    RECT text{};
    DrawTextW(screen.Get(), design_.caption.c_str(), static_cast<int>(design_.caption.size()), &text,
              TextFormat() | DT_CALCRECT);
    place_.width = parent_.ToTwips(text.right - text.left);
    place_.height = parent_.ToTwips(text.bottom - text.top);
}

void Label::Paint(HDC dc) {
    RECT area = PixelRect();
    SelectionScope selection(dc, font_.Get());
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColor = SetTextColor(dc, design_.foreColor);
    DrawTextW(dc, design_.caption.c_str(), static_cast<int>(design_.caption.size()), &area, TextFormat());
    SetTextColor(dc, previousColor);
    SetBkMode(dc, previousMode);
}

void Label::OnClick() {
    if (onClick_) onClick_();
}

}  // namespace forms
