#pragma once
// A picture box with persistent drawing: everything drawn goes into an
// off-screen image held in a memory DC (the box's hDC), and the window shows
// that image whenever it repaints. It can also contain windowless controls.

#include <windows.h>

#include "forms/container.h"
#include "forms/handles.h"

namespace forms {

struct PictureBoxDesign {
    TwipsRect place;
    COLORREF backColor = GetSysColor(COLOR_WINDOW);
    bool sunkenBorder = false;
    // Optional: a stored picture at the top-left, under whatever is drawn.
    int pictureResource = 0;
    // The box takes its picture's size (plus its border).
    bool autoSize = false;
    // The picture was drawn for 96 DPI and grows with the layout around it.
    bool pictureFollowsDpi = false;
};

class PictureBox : public Control, public Container {
public:
    PictureBox(Container& parent, PictureBoxDesign design);
    ~PictureBox() override;

    void Create() override;
    HWND Hwnd() const override { return window_; }
    int32_t Dpi() const override { return parent_.Dpi(); }
    void FollowDpi() override;
    // The device context of the persistent image.
    HDC hDC() const { return image_.Get(); }
    int32_t ScaleWidth() const { return width_; }
    int32_t ScaleHeight() const { return height_; }

    // Clears the image to the background colour and the picture, and asks
    // for a repaint.
    void Cls();
    // A one-pixel line from (x1, y1) to (x2, y2), both ends included.
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF color);
    // Asks for the image to be shown (after drawing into hDC directly).
    void Refresh() const;

protected:
    HCURSOR OwnPointer() const override { return Pointer(); }

private:
    template <typename Owner>
    friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ResizeImage(int32_t width, int32_t height);
    void FitToPicture();
    SIZE ShownPictureSize() const;
    void DrawPicture();

    PictureBoxDesign design_;
    HWND window_ = nullptr;
    UniqueBitmap picture_;
    UniqueMemoryDc image_;
    UniqueBitmap imageBitmap_;
    // Declared after the DC and the bitmap, so it goes first.
    SelectionScope imageSelection_;
    UniqueBrush background_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace forms
