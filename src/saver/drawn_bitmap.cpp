#include "saver/drawn_bitmap.h"

#include "dib/core/surface_view.h"

namespace zoomorb::saver {

forms::UniqueBitmap DrawnBitmap(const pictures::Image& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.Width();
    info.bmiHeader.biHeight = image.Height();  // bottom-up, as every surface of ours
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    forms::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return forms::UniqueBitmap();
    const dib::SurfaceView surface{static_cast<uint8_t*>(bits), image.Width(), image.Height(),
                                   (image.Width() * dib::kBytesPerPixel + 3) & ~3};
    for (int32_t y = 0; y < image.Height(); ++y) {
        const int32_t memoryRow = surface.MemoryRowOfPictureRow(y);
        for (int32_t x = 0; x < image.Width(); ++x) {
            const pictures::Rgb pixel = image.At(x, y);
            surface.Byte(x, memoryRow, dib::kRed) = pixel.r;
            surface.Byte(x, memoryRow, dib::kGreen) = pixel.g;
            surface.Byte(x, memoryRow, dib::kBlue) = pixel.b;
        }
    }
    return bitmap;
}

}  // namespace zoomorb::saver
