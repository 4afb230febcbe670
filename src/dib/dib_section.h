#pragma once
// The one owner of a device-independent bitmap kept selected into a memory
// DC of its own: drawn into and copied from with GDI through Dc(), read and
// written directly through Bits(), rows BytesPerRow() apart. A new one is
// black, since the system zeroes a new DIB section.

#include <windows.h>

#include <cstdint>

#include "dib/core/surface_view.h"
#include "forms/handles.h"

namespace zoomorb::dib {

// The two layouts in use: 24-bit rows bottom-up, as in every surface of
// ours and every bitmap file; 32-bit rows top-down, which the screen copies
// land in, so that the lens's arithmetic takes a pixel in one aligned read.
enum class DibFormat { kBgr24BottomUp, kBgrx32TopDown };

// The header of a width x height bitmap in `format`; raises Overflow when
// its pixels would not fit 32 bits.
BITMAPINFOHEADER DibHeader(int32_t width, int32_t height, DibFormat format);

// A DIB section made to `header`, with `bits` at its pixels; empty, and
// `bits` null, when the system refuses one.
forms::UniqueBitmap NewDibSection(HDC dc, const BITMAPINFOHEADER& header, uint8_t*& bits);

class DibSection {
public:
    DibSection() = default;
    ~DibSection() { Reset(); }
    DibSection(DibSection&& other) noexcept;
    DibSection& operator=(DibSection&& other) noexcept;
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    // Makes the bitmap anew at this size; false, and empty, when the size
    // is not positive or the system refuses.
    bool Create(int32_t width, int32_t height, DibFormat format);
    // The bitmap is selected out of the DC, then the DC and the bitmap go.
    void Reset();
    // The bitmap alone, selected out and handed over (to a control that
    // shows it, say); the DC goes and this one is left empty.
    forms::UniqueBitmap TakeBitmap();

    explicit operator bool() const { return layout_.bits != nullptr; }
    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    uint8_t* Bits() const { return layout_.bits; }
    int32_t Width() const { return layout_.width; }
    int32_t Height() const { return layout_.height; }
    int32_t BytesPerRow() const { return layout_.bytesPerRow; }
    // The pixels of a 24-bit one as the platform-neutral code sees them.
    SurfaceView View() const { return SurfaceView{Bits(), Width(), Height(), BytesPerRow()}; }

private:
    struct Layout {
        uint8_t* bits = nullptr;
        int32_t width = 0;
        int32_t height = 0;
        int32_t bytesPerRow = 0;
    };

    // Released in the reverse order: the bitmap is selected out of the DC,
    // then the DC and the bitmap are deleted.
    forms::UniqueBitmap bitmap_;
    forms::UniqueMemoryDc dc_;
    forms::SelectionScope selection_;
    Layout layout_;
};

}  // namespace zoomorb::dib
