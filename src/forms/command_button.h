#pragma once
// A graphical command button: a child button whose face the engine draws
// itself, in the designer's colour and font. It raises Click when pressed.

#include <windows.h>

#include <functional>
#include <string>

#include "forms/child_window.h"
#include "forms/container.h"
#include "forms/font.h"
#include "forms/handles.h"

namespace forms {

struct CommandButtonDesign {
    TwipsRect place;
    std::wstring caption;
    FontDesign font;
    COLORREF backColor = GetSysColor(COLOR_BTNFACE);
};

class CommandButton : public Control {
public:
    CommandButton(Container& parent, CommandButtonDesign design, std::function<void()> onClick);

    void Create() override;
    HWND Hwnd() const override { return window_.Get(); }
    const std::wstring& Caption() const { return design_.caption; }
    COLORREF BackColor() const { return design_.backColor; }
    void SetBackColor(COLORREF color);
    // Raises Click as a press would, for code that presses the button itself.
    void Press();

    bool OnCommand(WORD code) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void FollowDpi() override;

private:
    CommandButtonDesign design_;
    ChildWindow window_;
    UniqueFont font_;
    UniqueBrush face_;
    std::function<void()> onClick_;
};

}  // namespace forms
