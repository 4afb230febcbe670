// What the preview shows in its pane, checked in-process: Wine does not
// draw a child window whose parent belongs to another process, so the
// end-to-end tests can only see the preview's window, not its pixels.
// The picture is the one for the DPI the test runs at: the stored one at
// 96 DPI (run the tests with another LogPixels to check the others).

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/preview_picture.h"
#include "app/preview.h"
#include "forms/handles.h"
#include "forms/program.h"
#include "forms/screen.h"
#include "resources/resource_ids.h"

namespace zoomorb::preview {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

void PumpMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

// Top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours;
    COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y) * width + x]; }
};

Pixels ReadPixels(HDC source, int left, int top, int width, int height) {
    Pixels pixels{width, height, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    forms::UniqueBitmap bitmap(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    forms::UniqueMemoryDc memory(CreateCompatibleDC(source));
    {
        forms::SelectionScope selection(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, source, left, top, SRCCOPY);
    }
    GdiFlush();
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels.colours.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    return pixels;
}

Pixels PreviewPicture() {
    if (forms::DotsPerInch() != 96) {
        const pictures::Image drawn = DrawPreviewPicture(forms::DotsPerInch());
        Pixels pixels{drawn.Width(), drawn.Height(), {}};
        for (int y = 0; y < drawn.Height(); ++y)
            for (int x = 0; x < drawn.Width(); ++x)
                pixels.colours.push_back(RGB(drawn.At(x, y).r, drawn.At(x, y).g, drawn.At(x, y).b));
        return pixels;
    }
    forms::UniqueBitmap picture(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_PREVIEW), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    GetObjectW(picture.Get(), sizeof info, &info);
    forms::WindowDc screen(nullptr);
    forms::UniqueMemoryDc dc(CreateCompatibleDC(screen.Get()));
    forms::SelectionScope selection(dc.Get(), picture.Get());
    return ReadPixels(dc.Get(), 0, 0, info.bmWidth, info.bmHeight);
}

class PreviewTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        windowClass.lpszClassName = L"ZoomorbTestPane";
        RegisterClassW(&windowClass);
    }
    void TearDown() override {
        if (host_) DestroyWindow(host_);
    }

    // A borderless pane inside a window on the screen, as the display settings have.
    HWND MakePane(int width, int height) {
        host_ = CreateWindowExW(0, L"ZoomorbTestPane", L"Display settings", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40,
                                40, width + 40, height + 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        return CreateWindowExW(0, L"ZoomorbTestPane", L"Pane", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width,
                               height, host_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }

    Pixels ShownIn(HWND pane, int width, int height) {
        StartPreview(std::to_string(reinterpret_cast<uintptr_t>(pane)));
        PumpMessagesFor(300);
        RECT area{};
        GetWindowRect(pane, &area);
        forms::WindowDc screen(nullptr);
        return ReadPixels(screen.Get(), area.left, area.top, width, height);
    }

    HWND host_ = nullptr;
};

int Mismatches(const Pixels& shown, const Pixels& picture, int width, int height) {
    int mismatches = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (shown.At(x, y) != picture.At(x, y)) ++mismatches;
    return mismatches;
}

TEST_F(PreviewTest, ASmallPaneShowsTheTopLeftOfThePicture) {
    const Pixels picture = PreviewPicture();
    ASSERT_EQ(picture.width, glass::ScaledPixels(179, forms::DotsPerInch()));
    ASSERT_EQ(picture.height, glass::ScaledPixels(200, forms::DotsPerInch()));
    const Pixels shown = ShownIn(MakePane(152, 112), 152, 112);
    EXPECT_EQ(Mismatches(shown, picture, 152, 112), 0);
}

TEST_F(PreviewTest, ALargerPaneShowsWhiteBeyondThePicture) {
    const Pixels picture = PreviewPicture();
    const int width = picture.width + 81, height = picture.height + 40;
    const Pixels shown = ShownIn(MakePane(width, height), width, height);
    EXPECT_EQ(Mismatches(shown, picture, picture.width, picture.height), 0);
    int notWhite = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x >= picture.width || y >= picture.height) && shown.At(x, y) != kWhite) ++notWhite;
    EXPECT_EQ(notWhite, 0);
}

TEST_F(PreviewTest, ItEndsWhenThePaneGoesThoughItsWindowDidNotGoWithIt) {
    HWND pane = MakePane(152, 112);
    StartPreview(std::to_string(reinterpret_cast<uintptr_t>(pane)));
    PumpMessagesFor(100);
    // Moved out of the pane first, the preview's window outlives it.
    SetParent(PreviewForm().Hwnd(), host_);
    DestroyWindow(pane);
    PumpMessagesFor(1000);
    EXPECT_FALSE(PreviewForm().IsLoaded()) << "still there after its pane went";
}

TEST_F(PreviewTest, NoPaneEndsTheProgram) {
    HWND gone = CreateWindowExW(0, L"ZoomorbTestPane", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    DestroyWindow(gone);
    for (const std::string& handleText : {std::string(""), std::string("abc"),
                                          std::to_string(reinterpret_cast<uintptr_t>(gone))}) {
        SCOPED_TRACE(handleText);
        StartPreview(handleText);
        EXPECT_FALSE(PreviewForm().IsLoaded());
        EXPECT_EQ(forms::RequestedExitCode(), 0) << "a preview without a pane goes on";
        PostQuitMessage(0);
        forms::RunMessageLoop();
    }
}

}  // namespace
}  // namespace zoomorb::preview
