#pragma once
// A label: one line of text drawn by its container with a transparent
// background, so whatever the container shows (a gradient) shines through.
// It sizes itself to its text and raises Click when clicked.

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
};

class Label : public WindowlessControl {
public:
    Label(Container& parent, LabelDesign design, std::function<void()> onClick = {});

    const std::wstring& Caption() const { return design_.caption; }
    void SetCaption(std::wstring caption);
    HFONT Font() const { return font_.Get(); }

    void Paint(HDC dc) override;
    void OnClick() override;

private:
    // Auto size: the place's width and height become those of the text.
    void FitToText();

    LabelDesign design_;
    UniqueFont font_;
    std::function<void()> onClick_;
};

}  // namespace forms
