#pragma once
// A 24-bit device-independent bitmap kept selected into a memory DC of its
// own: drawn into and copied from with ordinary GDI calls through hdc(), and
// read and written directly through DIBSectionBitsPtr() with the stride
// BytesPerScanLine(). Rows are bottom-up, pixels blue, green, red.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "dib/core/surface_view.h"
#include "dib/dib_section.h"

namespace zoomorb::dib {

class cDIBSection {
public:
    cDIBSection() = default;
    cDIBSection(const cDIBSection&) = delete;
    cDIBSection& operator=(const cDIBSection&) = delete;

    // True when a copy reached the clipboard: a device-independent one
    // (CF_DIB) or, with bAsDIB false, a bitmap in the screen's format.
    bool CopyToClipboard(bool bAsDIB = true);
    // Writes the header for lWidth x lHeight and makes the DIB section;
    // neither selects it nor touches the memory DC.
    bool CreateDIB(HDC lHDC, int32_t lWidth, int32_t lHeight, HBITMAP& hDib);
    // Copies a picture (a GDI bitmap) into a new surface of its size.
    void CreateFromPicture(HBITMAP picThis);
    bool Create(int32_t lWidth, int32_t lHeight);
    int32_t BytesPerScanLine() const;
    int32_t Width() const { return mtInfo.bmiHeader.biWidth; }
    int32_t Height() const { return mtInfo.bmiHeader.biHeight; }
    // Copies a block of lHDC into the surface's top-left corner; negative
    // sizes stand for the surface's own.
    void LoadPictureBlt(HDC lHDC, int32_t lSrcLeft = 0, int32_t lSrcTop = 0, int32_t lSrcWidth = -1,
                        int32_t lSrcHeight = -1, DWORD eRop = SRCCOPY);
    // Copies the surface (or a block of it) into lHDC, unscaled.
    void PaintPicture(HDC lHDC, int32_t lDestLeft = 0, int32_t lDestTop = 0, int32_t lDestWidth = -1,
                      int32_t lDestHeight = -1, int32_t lSrcLeft = 0, int32_t lSrcTop = 0, DWORD eRop = SRCCOPY);
    HDC hdc() const { return mhSurface.Dc(); }
    HBITMAP hDib() const { return mhSurface.Bitmap(); }
    uint8_t* DIBSectionBitsPtr() const { return mlBits; }
    // Fills the pixels with noise: grey, or with blue left at 0.
    void RandomiseBits(bool bGray = false);
    void ClearUp();
    // A new surface of the given size, filled bilinearly (or copied when the
    // size is the same); null when it cannot be made. Note: height first.
    std::unique_ptr<cDIBSection> Resample(int32_t lNewHeight, int32_t lNewWidth) const;

    // The pixels as the platform-neutral code sees them.
    SurfaceView View() const { return SurfaceView{mlBits, Width(), Height(), BytesPerScanLine()}; }

private:
    void ResampleBilinear(cDIBSection& target) const;
    bool CopyDeviceDependentBitmapToClipboard();
    bool CopyDeviceIndependentBitmapToClipboard() const;

    DibSection mhSurface;
    // The pixels of the last section made (by CreateDIB too) and the header
    // last written, which ClearUp keeps: the size is still reported after it.
    uint8_t* mlBits = nullptr;
    BITMAPINFO mtInfo{};
};

}  // namespace zoomorb::dib
