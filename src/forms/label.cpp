#include "label.h"

namespace forms {
namespace {

// One line, and an ampersand is shown as itself: addresses may contain one.
constexpr UINT kTextFormat = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP;

}  // namespace

Label::Label(Container& parent, LabelDesign design, std::function<void()> onClick)
    : WindowlessControl(parent, design.place),
      design_(std::move(design)),
      font_(CreateDesignFont(design_.font)),
      onClick_(std::move(onClick)) {
    FitToText();
}

void Label::SetCaption(std::wstring caption) {
    Invalidate();
    design_.caption = std::move(caption);
    FitToText();
    Invalidate();
}

void Label::FitToText() {
    WindowDc screen(nullptr);
    SelectionScope selection(screen.Get(), font_.Get());
    RECT text{};
    DrawTextW(screen.Get(), design_.caption.c_str(), static_cast<int>(design_.caption.size()), &text,
              kTextFormat | DT_CALCRECT);
    place_.width = parent_.ToTwips(text.right - text.left);
    place_.height = parent_.ToTwips(text.bottom - text.top);
}

void Label::Paint(HDC dc) {
    RECT area = PixelRect();
    SelectionScope selection(dc, font_.Get());
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColor = SetTextColor(dc, design_.foreColor);
    DrawTextW(dc, design_.caption.c_str(), static_cast<int>(design_.caption.size()), &area, kTextFormat);
    SetTextColor(dc, previousColor);
    SetBkMode(dc, previousMode);
}

void Label::OnClick() {
    if (onClick_) onClick_();
}

}  // namespace forms
