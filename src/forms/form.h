#pragma once
// A form: a top-level window bound to a C++ object, with the classic life
// (load, show modeless or modal, unload), geometry in twips, a scale unit for
// its client area, a stored picture painted at its top-left corner, timers and
// child controls. Event handlers are virtual members named after the events.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "forms/container.h"
#include "forms/handles.h"
#include "forms/label.h"

namespace forms {

class Timer;

enum class BorderStyle { None, Sizable };

struct FormDesign {
    std::wstring caption;
    BorderStyle border = BorderStyle::Sizable;
    COLORREF backColor = GetSysColor(COLOR_WINDOW);
    // Outer size at design time, in twips.
    int32_t widthTwips = 4800;
    int32_t heightTwips = 3600;
    // Optional: resource ids of the form's picture and icon (0 for none).
    int pictureResource = 0;
    int iconResource = 0;
    bool toolWindow = false;  // no taskbar button
};

class Form : public Container {
public:
    explicit Form(FormDesign design);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Life. Load creates the window (hidden), then runs Form_Load.
    void Load();
    void Show();
    // Shows the form and runs messages until it is unloaded (or the program
    // is asked to end), passing it the keys a dialog takes.
    void ShowModal();
    // Runs Form_Unload; unless it cancels, the window goes.
    void Unload();
    bool IsLoaded() const { return window_ != nullptr; }
    static int LoadedCount();
    // No timer of any form ticks again (a run-time error ends the program).
    static void StopAllTimers();

    HWND Hwnd() const override { return window_; }
    const std::wstring& Caption() const { return design_.caption; }
    int32_t Dpi() const override { return dpi_; }
    // The form now lies where twips stand for another number of pixels (a
    // monitor of a DPI of its own); its geometry counts in them from now on.
    // Its controls and their fonts follow.
    void SetDpi(int32_t dotsPerInch);

    // Outer rectangle in twips, relative to the screen.
    int32_t Left() const;
    int32_t Top() const;
    int32_t Width() const;
    int32_t Height() const;
    void Move(int32_t leftTwips, int32_t topTwips);
    void Move(int32_t leftTwips, int32_t topTwips, int32_t widthTwips, int32_t heightTwips);
    void SetWidth(int32_t widthTwips);
    void SetHeight(int32_t heightTwips);
    // The pixels the frame and the caption add to the client area, as the
    // system draws them for this window's style at the screen's DPI.
    SIZE FrameSize() const;

    // Client size in the form's scale unit.
    float ScaleWidth() const;
    float ScaleHeight() const;
    ScaleMode GetScaleMode() const { return scaleMode_; }
    void SetScaleMode(ScaleMode mode) { scaleMode_ = mode; }
    float ScaleX(float value, ScaleMode from, ScaleMode to) const;
    float ScaleY(float value, ScaleMode from, ScaleMode to) const;

    // The stored picture, painted at the client's top-left corner.
    HBITMAP Picture() const { return picture_.Get(); }
    // Replaces the picture with one drawn at run time; repaints.
    void SetPicture(UniqueBitmap picture);

    void AddTimer(Timer& timer);
    void RemoveTimer(Timer& timer);
    // No tick of any timer follows, also none already queued, until the
    // form is loaded again.
    void StopTimers();
    // Alt + the access key that `label` marks moves the focus to `target`,
    // as a dialog's static text does for the control it names.
    void AddAccessKey(const Label& label, const Control& target);

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(int& cancel) { (void)cancel; }
    virtual void Form_Resize() {}
    // A close request from outside (the close box, WM_CLOSE): unloads by default.
    virtual void OnCloseRequest() { Unload(); }
    // Messages the form wants to see before the engine's own handling;
    // return true when handled, with the result in `result`.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static void RegisterFormClass();
    template <typename Owner>
    friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateWindowForForm();
    void Paint();
    // Outer rectangle in pixels: screen coordinates, or the parent's client
    // coordinates once the form has been made a child window.
    RECT OuterPixels() const;
    void DestroyAfterUnload();
    HWND FirstTabStop() const;
    bool TakesDialogMessage(MSG& message);
    bool FocusByAccessKey(wchar_t typed);

    FormDesign design_;
    HWND window_ = nullptr;
    ScaleMode scaleMode_ = ScaleMode::Twips;
    int32_t dpi_;
    UniqueBitmap picture_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    UniqueBrush background_;
    std::vector<Timer*> timers_;
    struct AccessKeyLink {
        const Label* label;
        const Control* target;
    };
    std::vector<AccessKeyLink> accessKeys_;
    // The control with the focus while the form is active: the first tab
    // stop at first, given back whenever the form is activated again.
    HWND focusedControl_ = nullptr;
    bool unloading_ = false;
};

}  // namespace forms
