#include "dib/c_dib_section.h"

#include <cstring>

#include "dib/core/randomise_bits.h"
#include "dib/core/resample_bilinear.h"
#include "dib/core/scan_line.h"
#include "dib/dib_section.h"
#include "forms/handles.h"
#include "forms/program.h"

namespace zoomorb::dib {

bool cDIBSection::CreateDIB(HDC lHDC, int32_t lWidth, int32_t lHeight, HBITMAP& hDib) {
    mtInfo.bmiHeader = DibHeader(lWidth, lHeight, DibFormat::kBgr24BottomUp);
    hDib = NewDibSection(lHDC, mtInfo.bmiHeader, mlBits).Release();
    return hDib != nullptr;
}

bool cDIBSection::Create(int32_t lWidth, int32_t lHeight) {
    ClearUp();
    // The size is kept even when the section cannot be made.
    mtInfo.bmiHeader = DibHeader(lWidth, lHeight, DibFormat::kBgr24BottomUp);
    if (!mhSurface.Create(lWidth, lHeight, DibFormat::kBgr24BottomUp)) return false;
    mlBits = mhSurface.Bits();
    return true;
}

void cDIBSection::CreateFromPicture(HBITMAP picThis) {
    BITMAP picture{};
    GetObjectA(picThis, sizeof picture, &picture);
    if (!Create(picture.bmWidth, picture.bmHeight)) return;
    HWND desktop = GetDesktopWindow();
    forms::UniqueMemoryDc pictureDc;
    {
        forms::WindowDc desktopDc(desktop);
        if (!desktopDc) return;
        pictureDc.Reset(CreateCompatibleDC(desktopDc.Get()));
    }
    if (!pictureDc) return;
    forms::SelectionScope selection(pictureDc.Get(), picThis);
    LoadPictureBlt(pictureDc.Get());
}

int32_t cDIBSection::BytesPerScanLine() const { return dib::BytesPerScanLine(Width()); }

void cDIBSection::LoadPictureBlt(HDC lHDC, int32_t lSrcLeft, int32_t lSrcTop, int32_t lSrcWidth, int32_t lSrcHeight,
                                 DWORD eRop) {
    BitBlt(mhSurface.Dc(), 0, 0, lSrcWidth < 0 ? Width() : lSrcWidth, lSrcHeight < 0 ? Height() : lSrcHeight, lHDC,
           lSrcLeft, lSrcTop, eRop);
}

void cDIBSection::PaintPicture(HDC lHDC, int32_t lDestLeft, int32_t lDestTop, int32_t lDestWidth,
                               int32_t lDestHeight, int32_t lSrcLeft, int32_t lSrcTop, DWORD eRop) {
    BitBlt(lHDC, lDestLeft, lDestTop, lDestWidth < 0 ? Width() : lDestWidth, lDestHeight < 0 ? Height() : lDestHeight,
           mhSurface.Dc(), lSrcLeft, lSrcTop, eRop);
}

void cDIBSection::ClearUp() {
    mhSurface.Reset();
    mlBits = nullptr;
}

void cDIBSection::RandomiseBits(bool bGray) {
    // A surface that was cleared still reports its size but has no pixels.
    if (!mlBits) return;
    dib::RandomiseBits(View(), bGray, forms::SharedRandom(), forms::SecondsSinceMidnight());
}

std::unique_ptr<cDIBSection> cDIBSection::Resample(int32_t lNewHeight, int32_t lNewWidth) const {
    if (!mlBits) return nullptr;
    auto resampled = std::make_unique<cDIBSection>();
    if (!resampled->Create(lNewWidth, lNewHeight)) return nullptr;
    if (lNewWidth == Width() && lNewHeight == Height()) {
        resampled->LoadPictureBlt(mhSurface.Dc());
    } else {
        ResampleBilinear(*resampled);
    }
    return resampled;
}

void cDIBSection::ResampleBilinear(cDIBSection& target) const {
    // The DIB section may still be drawn into through GDI's batch.
    GdiFlush();
    dib::ResampleBilinear(View(), target.View());
}

bool cDIBSection::CopyToClipboard(bool bAsDIB) {
    return bAsDIB ? CopyDeviceIndependentBitmapToClipboard() : CopyDeviceDependentBitmapToClipboard();
}

bool cDIBSection::CopyDeviceDependentBitmapToClipboard() {
    HWND desktop = GetDesktopWindow();
    forms::WindowDc desktopDc(desktop);
    if (!desktopDc) return false;
    forms::UniqueMemoryDc memoryDc(CreateCompatibleDC(desktopDc.Get()));
    if (!memoryDc) return false;
    forms::UniqueBitmap bitmap(CreateCompatibleBitmap(desktopDc.Get(), Width(), Height()));
    if (!bitmap) return false;
    {
        forms::SelectionScope selection(memoryDc.Get(), bitmap.Get());
        PaintPicture(memoryDc.Get());
    }
    bool placed = false;
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        if (SetClipboardData(CF_BITMAP, bitmap.Get())) {
            bitmap.Release();  // the clipboard owns it now
            placed = true;
        }
        CloseClipboard();
    }
    return placed;
}

bool cDIBSection::CopyDeviceIndependentBitmapToClipboard() const {
    if (!mlBits) return false;
    GdiFlush();
    const size_t imageBytes = static_cast<size_t>(BytesPerScanLine()) * static_cast<size_t>(Height());
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + imageBytes);
    if (!memory) return false;
    if (auto* packed = static_cast<uint8_t*>(GlobalLock(memory))) {
        BITMAPINFOHEADER header = mtInfo.bmiHeader;
        header.biSizeImage = static_cast<DWORD>(imageBytes);
        std::memcpy(packed, &header, sizeof header);
        std::memcpy(packed + sizeof header, mlBits, imageBytes);
        GlobalUnlock(memory);
    }
    bool placed = false;
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        placed = SetClipboardData(CF_DIB, memory) != nullptr;
        CloseClipboard();
    }
    if (!placed) GlobalFree(memory);
    return placed;
}

}  // namespace zoomorb::dib
