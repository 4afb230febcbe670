#include "dib/dib_section.h"

#include <utility>

#include "dib/core/scan_line.h"

namespace zoomorb::dib {

BITMAPINFOHEADER DibHeader(int32_t width, int32_t height, DibFormat format) {
    const bool topDown = format == DibFormat::kBgrx32TopDown;
    const int32_t bytesPerPixel = topDown ? 4 : kBytesPerPixel;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = topDown ? -height : height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(8 * bytesPerPixel);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(ImageSize(width, height, bytesPerPixel));
    return header;
}

forms::UniqueBitmap NewDibSection(HDC dc, const BITMAPINFOHEADER& header, uint8_t*& bits) {
    BITMAPINFO info{};
    info.bmiHeader = header;
    void* memory = nullptr;
    forms::UniqueBitmap section(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!section || !memory) {
        bits = nullptr;
        return forms::UniqueBitmap();
    }
    bits = static_cast<uint8_t*>(memory);
    return section;
}

DibSection::DibSection(DibSection&& other) noexcept
    : bitmap_(std::move(other.bitmap_)),
      dc_(std::move(other.dc_)),
      selection_(std::move(other.selection_)),
      layout_(std::exchange(other.layout_, Layout{})) {}

DibSection& DibSection::operator=(DibSection&& other) noexcept {
    if (this != &other) {
        // Ours goes first, in its own order, rather than member by member.
        Reset();
        bitmap_ = std::move(other.bitmap_);
        dc_ = std::move(other.dc_);
        selection_ = std::move(other.selection_);
        layout_ = std::exchange(other.layout_, Layout{});
    }
    return *this;
}

bool DibSection::Create(int32_t width, int32_t height, DibFormat format) {
    Reset();
    if (width <= 0 || height <= 0) return false;
    const BITMAPINFOHEADER header = DibHeader(width, height, format);
    uint8_t* bits = nullptr;
    forms::UniqueBitmap bitmap = NewDibSection(nullptr, header, bits);
    forms::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc) return false;
    forms::SelectionScope selection(dc.Get(), bitmap.Get());
    if (!selection) return false;
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    selection_ = std::move(selection);
    layout_ = Layout{bits, width, height, BytesPerScanLine(width, header.biBitCount / 8)};
    return true;
}

void DibSection::Reset() {
    selection_.Reset();
    dc_.Reset();
    bitmap_.Reset();
    layout_ = Layout{};
}

forms::UniqueBitmap DibSection::TakeBitmap() {
    selection_.Reset();
    dc_.Reset();
    layout_ = Layout{};
    return std::move(bitmap_);
}

}  // namespace zoomorb::dib
