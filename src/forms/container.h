#pragma once
// What forms and picture boxes share: they hold controls. Child-window
// controls are created in them; windowless ones (labels) are painted and
// hit-tested by them.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace forms {

enum class ScaleMode { Twips = 1, Pixels = 3 };

class Control;
class WindowlessControl;

class Container {
public:
    virtual ~Container() = default;
    virtual HWND Hwnd() const = 0;

    // The dots per inch its twips stand for: the screen's, unless its form
    // lies on a monitor of a DPI of its own.
    virtual int32_t Dpi() const;
    // Its twips and pixels, converted at that DPI.
    int32_t ToPixels(int32_t twips) const;
    int32_t ToTwips(int32_t pixels) const;

    // Controls register when they are made and deregister when they go.
    void AddControl(Control& control) { controls_.push_back(&control); }
    void RemoveControl(Control& control);
    void AddWindowless(WindowlessControl& control) { windowless_.push_back(&control); }
    void RemoveWindowless(WindowlessControl& control);

protected:
    // Creates the child windows of every control, in the order they were added.
    void CreateControls();
    // Every control takes its place and fonts at the container's new DPI.
    void ControlsFollowDpi();
    // Paints the windowless controls over what the container drew.
    void PaintWindowless(HDC dc);
    // The messages every container handles alike: its child controls'
    // notifications, the pointer over a control, and clicks on windowless
    // ones (a press and a release on the same one). True when handled, with
    // the message's result in `result`.
    bool HandleControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The pointer over the container itself where no control sets one.
    virtual HCURSOR OwnPointer() const { return nullptr; }

private:
    WindowlessControl* WindowlessAt(POINT clientPoint) const;
    Control* ControlOf(HWND child) const;
    bool SetPointerFor(HWND windowUnderMouse);

    std::vector<Control*> controls_;
    std::vector<WindowlessControl*> windowless_;
    WindowlessControl* pressed_ = nullptr;
};

// A control's place in its container, in twips: design sizes are kept in one
// unit and scaled to pixels at one place, so everything follows the DPI.
struct TwipsRect {
    int32_t left = 0, top = 0, width = 0, height = 0;
};

class Control {
public:
    Control(Container& parent, TwipsRect place) : parent_(parent), place_(place) { parent.AddControl(*this); }
    virtual ~Control() { parent_.RemoveControl(*this); }
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual void Create() = 0;
    virtual HWND Hwnd() const = 0;
    virtual bool OnCommand(WORD code) { (void)code; return false; }
    virtual bool OnScroll(WORD code, WORD position) { (void)code; (void)position; return false; }
    // Owner-drawn controls paint themselves when their container is asked to.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) { (void)item; return false; }
    // The pointer to show over the control; null for the class default.
    HCURSOR Pointer() const { return pointer_; }
    void SetPointer(HCURSOR pointer) { pointer_ = pointer; }

    Container& Parent() const { return parent_; }
    const TwipsRect& Place() const { return place_; }
    // Moves and sizes the control's window to a new place in its container.
    void SetPlace(TwipsRect place);
    // Its container's twips now stand for another number of pixels: it
    // takes its place (and its fonts) at the new DPI.
    virtual void FollowDpi() { SetPlace(place_); }
    // Position and size in the parent's pixels.
    RECT PixelRect() const;

protected:
    Container& parent_;
    TwipsRect place_;
    HCURSOR pointer_ = nullptr;
};

class WindowlessControl {
public:
    WindowlessControl(Container& parent, TwipsRect place) : parent_(parent), place_(place) {
        parent.AddWindowless(*this);
    }
    virtual ~WindowlessControl() { parent_.RemoveWindowless(*this); }
    WindowlessControl(const WindowlessControl&) = delete;
    WindowlessControl& operator=(const WindowlessControl&) = delete;

    virtual void Paint(HDC dc) = 0;
    virtual void OnClick() {}
    // As for a control; a windowless one's place converts as it is painted.
    virtual void FollowDpi() { Invalidate(); }
    RECT PixelRect() const;
    HCURSOR Pointer() const { return pointer_; }
    void SetPointer(HCURSOR pointer) { pointer_ = pointer; }
    void Invalidate() const;

protected:
    Container& parent_;
    TwipsRect place_;
    HCURSOR pointer_ = nullptr;
};

}  // namespace forms
