// cDIBSection against real GDI: its surface, the random fill, painting out,
// the clipboard, loading a picture and resampling.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "dib/c_dib_section.h"
#include "forms/core/runtime_error.h"
#include "forms/handles.h"

namespace zoomorb::dib {
namespace {

constexpr int32_t kWidth = 203;
constexpr int32_t kHeight = 197;
constexpr int32_t kStride = 612;  // 203 * 3 = 609, rounded up to a multiple of 4
constexpr uint8_t kPadding = 0xAB;

const uint8_t* PixelAt(const cDIBSection& surface, int32_t x, int32_t memoryRow) {
    return surface.DIBSectionBitsPtr() + memoryRow * surface.BytesPerScanLine() + x * 3;
}

void FillPadding(cDIBSection& surface) {
    for (int32_t row = 0; row < surface.Height(); ++row)
        for (int32_t byte = surface.Width() * 3; byte < surface.BytesPerScanLine(); ++byte)
            surface.DIBSectionBitsPtr()[row * surface.BytesPerScanLine() + byte] = kPadding;
}

bool PaddingKept(const cDIBSection& surface) {
    for (int32_t row = 0; row < surface.Height(); ++row)
        for (int32_t byte = surface.Width() * 3; byte < surface.BytesPerScanLine(); ++byte)
            if (surface.DIBSectionBitsPtr()[row * surface.BytesPerScanLine() + byte] != kPadding) return false;
    return true;
}

void Fill(cDIBSection& surface, COLORREF colour) {
    forms::UniqueBrush brush(CreateSolidBrush(colour));
    const RECT all{0, 0, surface.Width(), surface.Height()};
    FillRect(surface.hdc(), &all, brush.Get());
    GdiFlush();
}

TEST(DibSection, CreateMakesABottomUpTwentyFourBitSurface) {
    cDIBSection surface;
    ASSERT_TRUE(surface.Create(kWidth, kHeight));
    EXPECT_EQ(surface.Width(), kWidth);
    EXPECT_EQ(surface.Height(), kHeight);
    EXPECT_EQ(surface.BytesPerScanLine(), kStride);
    EXPECT_NE(surface.hdc(), nullptr);
    EXPECT_NE(surface.DIBSectionBitsPtr(), nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(surface.hDib(), sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBmih.biBitCount, 24);
    EXPECT_EQ(section.dsBmih.biHeight, kHeight);
    EXPECT_EQ(section.dsBm.bmWidthBytes, kStride);
    EXPECT_EQ(GetCurrentObject(surface.hdc(), OBJ_BITMAP), surface.hDib());

    surface.ClearUp();
    EXPECT_EQ(surface.hdc(), nullptr);
    EXPECT_EQ(surface.hDib(), nullptr);
    EXPECT_EQ(surface.Width(), kWidth) << "the size is still reported after ClearUp";
}

TEST(DibSection, GreyNoiseKeepsTheRowPadding) {
    cDIBSection surface;
    ASSERT_TRUE(surface.Create(kWidth, kHeight));
    FillPadding(surface);
    surface.RandomiseBits(true);
    int distinct = 0;
    for (int32_t row = 0; row < kHeight; ++row) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const uint8_t* pixel = PixelAt(surface, x, row);
            ASSERT_EQ(pixel[0], pixel[1]) << x << "," << row;
            ASSERT_EQ(pixel[1], pixel[2]) << x << "," << row;
            if (pixel[0] != PixelAt(surface, 0, 0)[0]) ++distinct;
        }
    }
    EXPECT_GT(distinct, kWidth * kHeight / 2) << "noise, not one flat grey";
    EXPECT_TRUE(PaddingKept(surface));
}

TEST(DibSection, ColourNoiseLeavesBlueOutAndKeepsTheRowPadding) {
    cDIBSection surface;
    ASSERT_TRUE(surface.Create(kWidth, kHeight));
    Fill(surface, RGB(255, 255, 255));
    FillPadding(surface);
    surface.RandomiseBits();
    int differing = 0;
    for (int32_t row = 0; row < kHeight; ++row) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const uint8_t* pixel = PixelAt(surface, x, row);
            ASSERT_EQ(pixel[0], 0) << x << "," << row;
            if (pixel[1] != pixel[2]) ++differing;
        }
    }
    EXPECT_GT(differing, kWidth * kHeight / 2) << "green and red are drawn one by one";
    EXPECT_TRUE(PaddingKept(surface));
}

TEST(DibSection, PaintPictureCopiesOnlyTheColumnsAskedFor) {
    cDIBSection source;
    cDIBSection target;
    ASSERT_TRUE(source.Create(kWidth, kHeight));
    ASSERT_TRUE(target.Create(kWidth, kHeight));
    Fill(source, RGB(255, 0, 0));
    Fill(target, RGB(255, 255, 255));
    source.PaintPicture(target.hdc(), 0, 0, 10);
    GdiFlush();
    for (int32_t row = 0; row < kHeight; ++row) {
        for (int32_t x = 0; x < 12; ++x) {
            const uint8_t* pixel = PixelAt(target, x, row);
            const bool copied = x < 10;
            ASSERT_EQ(pixel[0], copied ? 0 : 255) << x << "," << row;
            ASSERT_EQ(pixel[2], 255) << x << "," << row;
        }
    }
}

TEST(DibSection, CopyToClipboardAsABitmapOfTheScreensFormat) {
    cDIBSection surface;
    ASSERT_TRUE(surface.Create(kWidth, kHeight));
    EXPECT_TRUE(surface.CopyToClipboard(false));
    ASSERT_TRUE(OpenClipboard(nullptr));
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    const int got = bitmap ? GetObjectW(bitmap, sizeof info, &info) : 0;
    CloseClipboard();
    ASSERT_NE(got, 0);
    EXPECT_EQ(info.bmWidth, kWidth);
    EXPECT_EQ(info.bmHeight, kHeight);
}

TEST(DibSection, CreateFromPictureStoresTheBottomRowFirst) {
    // A 4 x 3 picture, green but for its bottom-left pixel, which is blue.
    forms::WindowDc screen(nullptr);
    forms::UniqueBitmap picture(CreateCompatibleBitmap(screen.Get(), 4, 3));
    {
        forms::UniqueMemoryDc dc(CreateCompatibleDC(screen.Get()));
        forms::SelectionScope selection(dc.Get(), picture.Get());
        forms::UniqueBrush green(CreateSolidBrush(RGB(0, 255, 0)));
        const RECT all{0, 0, 4, 3};
        FillRect(dc.Get(), &all, green.Get());
        SetPixelV(dc.Get(), 0, 2, RGB(0, 0, 255));
    }
    cDIBSection surface;
    surface.CreateFromPicture(picture.Get());
    ASSERT_EQ(surface.Width(), 4);
    ASSERT_EQ(surface.Height(), 3);
    GdiFlush();
    const uint8_t* first = surface.DIBSectionBitsPtr();
    EXPECT_EQ(first[0], 255);
    EXPECT_EQ(first[1], 0);
    EXPECT_EQ(first[2], 0);
    EXPECT_EQ(PixelAt(surface, 0, 2)[1], 255) << "the top row is stored last";

    cDIBSection none;
    none.CreateFromPicture(nullptr);
    EXPECT_EQ(none.Width(), 0);
    EXPECT_EQ(none.Height(), 0);
}

TEST(DibSection, ResampleToTheSameSizeIsAnExactCopy) {
    cDIBSection surface;
    ASSERT_TRUE(surface.Create(kWidth, kHeight));
    surface.RandomiseBits();
    const auto copy = surface.Resample(kHeight, kWidth);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->Width(), kWidth);
    ASSERT_EQ(copy->Height(), kHeight);
    GdiFlush();
    for (int32_t row = 0; row < kHeight; ++row)
        ASSERT_EQ(std::memcmp(PixelAt(surface, 0, row), PixelAt(*copy, 0, row), kWidth * 3), 0) << row;
}

TEST(DibSection, ResamplingASourceOnePixelWideOrHighIsOutOfRange) {
    for (const SIZE size : {SIZE{1, 5}, SIZE{5, 1}}) {
        cDIBSection thin;
        ASSERT_TRUE(thin.Create(size.cx, size.cy));
        try {
            (void)thin.Resample(10, 10);
            ADD_FAILURE() << size.cx << " x " << size.cy << " resampled";
        } catch (const forms::RuntimeError& error) {
            EXPECT_EQ(error.Number(), forms::ErrorNumber::SubscriptOutOfRange);
        }
    }
}

}  // namespace
}  // namespace zoomorb::dib
