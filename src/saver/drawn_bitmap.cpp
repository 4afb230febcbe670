#include "saver/drawn_bitmap.h"

#include "dib/dib_section.h"

namespace zoomorb::saver {

forms::UniqueBitmap DrawnBitmap(const pictures::Image& image) {
    dib::DibSection picture;
    if (!picture.Create(image.Width(), image.Height(), dib::DibFormat::kBgr24BottomUp)) return forms::UniqueBitmap();
    const dib::SurfaceView surface = picture.View();
    for (int32_t y = 0; y < image.Height(); ++y) {
        const int32_t memoryRow = surface.MemoryRowOfPictureRow(y);
        for (int32_t x = 0; x < image.Width(); ++x) {
            const pictures::Rgb pixel = image.At(x, y);
            surface.Byte(x, memoryRow, dib::kRed) = pixel.r;
            surface.Byte(x, memoryRow, dib::kGreen) = pixel.g;
            surface.Byte(x, memoryRow, dib::kBlue) = pixel.b;
        }
    }
    return picture.TakeBitmap();
}

}  // namespace zoomorb::saver
