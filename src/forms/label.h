#pragma once
// A label: one line of text drawn by its container with a transparent
// background, so whatever the container shows (a gradient) shines through.
// It sizes itself to its text and raises Click when clicked. A label that
// names a control may mark an access key in its caption, which it underlines
// while the system shows keyboard cues.

#include <windows.h>

#include <functional>
#include <string>

#include "forms/container.h"
#include "forms/font.h"
#include "forms/handles.h"

namespace forms {

struct LabelDesign {
    TwipsRect place;
    std::wstring caption;
    FontDesign font;
    COLORREF foreColor = GetSysColor(COLOR_BTNTEXT);
    // An ampersand marks the access key. Without it an ampersand shows as
    // itself, as addresses need.
    bool accessKey = false;
};

class Label : public WindowlessControl {
public:
    Label(Container& parent, LabelDesign design, std::function<void()> onClick = {});

    // As designed, with the access key's mark.
    const std::wstring& Caption() const { return design_.caption; }
    void SetCaption(std::wstring caption);
    // The words shown, as assistive technology reads them.
    std::wstring Name() const;
    // The upper-cased access key; 0 for none.
    wchar_t AccessKey() const;
    COLORREF ForeColor() const { return design_.foreColor; }
    void SetForeColor(COLORREF color);
    HFONT Font() const { return font_.Get(); }

    void Paint(HDC dc) override;
    void OnClick() override;
    void FollowDpi() override;

private:
    // Auto size: the place's width and height become those of the text.
    void FitToText();
    UINT TextFormat() const;

    LabelDesign design_;
    UniqueFont font_;
    std::function<void()> onClick_;
};

}  // namespace forms
