#include "saver/bitmap32.h"

#include <utility>

namespace zoomorb::saver {

bool Bitmap32::Create(int32_t width, int32_t height) {
    selection_.Reset();
    dc_.Reset();
    bitmap_.Reset();
    pixels_ = Pixels32{};
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    // The system zeroes a new DIB section.
    forms::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    forms::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc || !bits) return false;
    forms::SelectionScope selection(dc.Get(), bitmap.Get());
    if (!selection) return false;
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    selection_ = std::move(selection);
    pixels_ = Pixels32{static_cast<uint8_t*>(bits), width, height, std::ptrdiff_t{width} * 4};
    return true;
}

}  // namespace zoomorb::saver
