#include "image.h"

#include <algorithm>
#include <utility>

namespace forms {

Image::Image(Container& parent, TwipsRect place, int pictureResource)
    : WindowlessControl(parent, place),
      picture_(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(pictureResource),
                                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {}

void Image::SetPixelRect(int32_t left, int32_t top, int32_t width, int32_t height) {
    Invalidate();
    place_ = TwipsRect{parent_.ToTwips(left), parent_.ToTwips(top), parent_.ToTwips(width), parent_.ToTwips(height)};
    Invalidate();
}

void Image::SetPicture(UniqueBitmap picture) {
    picture_ = std::move(picture);
    Invalidate();
}

void Image::Paint(HDC dc) {
    if (!picture_) return;
    BITMAP info{};
    GetObjectW(picture_.Get(), sizeof info, &info);
    const RECT area = PixelRect();
    const int width = std::min<int>(info.bmWidth, area.right - area.left);
    const int height = std::min<int>(info.bmHeight, area.bottom - area.top);
    if (width <= 0 || height <= 0) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectionScope selection(source.Get(), picture_.Get());
    BitBlt(dc, area.left, area.top, width, height, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace forms
