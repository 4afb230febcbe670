#pragma once
// A horizontal scroll bar holding a 16-bit value between Min and Max. It
// raises Change after every change of the value, by the user or by code,
// but not while the thumb is being dragged: only once it is let go.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "forms/child_window.h"
#include "forms/container.h"

namespace forms {

struct HScrollBarDesign {
    TwipsRect place;
    int16_t min = 0;
    int16_t max = 32767;
    int16_t smallChange = 1;  // an arrow click or arrow key
    int16_t largeChange = 1;  // a click in the track or Page Up/Down
    int16_t value = 0;
};

class HScrollBar : public Control {
public:
    HScrollBar(Container& parent, HScrollBarDesign design, std::function<void()> onChange);

    void Create() override;
    HWND Hwnd() const override { return window_.Get(); }

    int16_t Value() const { return design_.value; }
    // A value outside Min..Max is refused with a run-time error.
    void SetValue(int16_t value);
    int16_t Min() const { return design_.min; }
    int16_t Max() const { return design_.max; }
    int16_t SmallChange() const { return design_.smallChange; }
    int16_t LargeChange() const { return design_.largeChange; }

    bool OnScroll(WORD code, WORD position) override;

private:
    // Steps stop at Min and Max instead of failing there.
    void MoveTo(int32_t value);

    HScrollBarDesign design_;
    ChildWindow window_;
    std::function<void()> onChange_;
};

}  // namespace forms
