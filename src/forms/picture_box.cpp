#include "picture_box.h"

#include "forms/core/units.h"
#include "forms/window_binding.h"

namespace forms {
namespace {

constexpr wchar_t kPictureBoxClass[] = L"ZoomorbPictureBox";

}  // namespace

PictureBox::PictureBox(Container& parent, PictureBoxDesign design)
    : Control(parent, design.place), design_(design) {}

PictureBox::~PictureBox() { DestroyUnbound(window_); }

void PictureBox::Create() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &BoundWindowProc<PictureBox>;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kPictureBoxClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
    background_.Reset(CreateSolidBrush(design_.backColor));
    if (design_.pictureResource)
        picture_.Reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                       MAKEINTRESOURCEW(design_.pictureResource), IMAGE_BITMAP, 0, 0,
                                                       LR_CREATEDIBSECTION)));
    const RECT place = PixelRect();
    // A control parent: the dialog keyboard (Tab) reaches the controls inside.
    CreateWindowExW((design_.sunkenBorder ? WS_EX_CLIENTEDGE : 0) | WS_EX_CONTROLPARENT, kPictureBoxClass, L"",
                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, place.left, place.top,
                    place.right - place.left, place.bottom - place.top, parent_.Hwnd(), nullptr,
                    GetModuleHandleW(nullptr), this);
    if (design_.autoSize && picture_) FitToPicture();
    RECT client{};
    GetClientRect(window_, &client);
    ResizeImage(client.right, client.bottom);
    DrawPicture();
    CreateControls();
}

void PictureBox::FollowDpi() {
    Control::FollowDpi();
    if (design_.autoSize && picture_) FitToPicture();
    // What was drawn keeps its pixels; the stored picture is shown anew at
    // its size for this DPI.
    DrawPicture();
    Refresh();
    ControlsFollowDpi();
}

SIZE PictureBox::ShownPictureSize() const {
    BITMAP info{};
    GetObjectW(picture_.Get(), sizeof info, &info);
    if (!design_.pictureFollowsDpi) return SIZE{info.bmWidth, info.bmHeight};
    return SIZE{DesignToPixels(DesignPixels{info.bmWidth}, Dpi()).value,
                DesignToPixels(DesignPixels{info.bmHeight}, Dpi()).value};
}

void PictureBox::FitToPicture() {
    const SIZE shown = ShownPictureSize();
    RECT outer{0, 0, shown.cx, shown.cy};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
    const int32_t width = outer.right - outer.left;
    const int32_t height = outer.bottom - outer.top;
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    place_.width = parent_.ToTwips(width);
    place_.height = parent_.ToTwips(height);
}

void PictureBox::DrawPicture() {
    if (!picture_ || !image_) return;
    BITMAP info{};
    GetObjectW(picture_.Get(), sizeof info, &info);
    const SIZE shown = ShownPictureSize();
    UniqueMemoryDc source(CreateCompatibleDC(image_.Get()));
    SelectionScope selection(source.Get(), picture_.Get());
    if (shown.cx == info.bmWidth && shown.cy == info.bmHeight) {
        BitBlt(image_.Get(), 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
        return;
    }
    const int previousMode = SetStretchBltMode(image_.Get(), HALFTONE);
    SetBrushOrgEx(image_.Get(), 0, 0, nullptr);
    StretchBlt(image_.Get(), 0, 0, shown.cx, shown.cy, source.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SetStretchBltMode(image_.Get(), previousMode);
}

void PictureBox::ResizeImage(int32_t width, int32_t height) {
    if (width == width_ && height == height_ && image_) return;
    WindowDc screen(nullptr);
    UniqueMemoryDc dc(CreateCompatibleDC(screen.Get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width > 0 ? width : 1, height > 0 ? height : 1));
    if (!dc || !bitmap) return;
    SelectionScope selection(dc.Get(), bitmap.Get());
    const RECT all{0, 0, width, height};
    FillRect(dc.Get(), &all, background_.Get());
    // Keep what was drawn so far, as a growing box does.
    if (image_) BitBlt(dc.Get(), 0, 0, width_, height_, image_.Get(), 0, 0, SRCCOPY);
    // The old bitmap is selected out of its DC before either goes.
    imageSelection_ = std::move(selection);
    image_ = std::move(dc);
    imageBitmap_ = std::move(bitmap);
    width_ = width;
    height_ = height;
}

void PictureBox::Cls() {
    const RECT all{0, 0, width_, height_};
    FillRect(image_.Get(), &all, background_.Get());
    DrawPicture();
    Refresh();
}

void PictureBox::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF color) {
    UniquePen pen(CreatePen(PS_SOLID, 1, color));
    SelectionScope selection(image_.Get(), pen.Get());
    MoveToEx(image_.Get(), x1, y1, nullptr);
    LineTo(image_.Get(), x2, y2);
    SetPixelV(image_.Get(), x2, y2, color);  // LineTo leaves out the last point
    Refresh();
}

void PictureBox::Refresh() const {
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleControlMessage(message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the persistent image covers everything
        case WM_PAINT: {
            PaintScope paint(window_);
            BitBlt(paint.Dc(), 0, 0, width_, height_, image_.Get(), 0, 0, SRCCOPY);
            PaintWindowless(paint.Dc());
            return 0;
        }
        case WM_SIZE:
            if (image_) ResizeImage(LOWORD(lParam), HIWORD(lParam));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace forms
