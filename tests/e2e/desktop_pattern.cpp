#include "desktop_pattern.h"

#include <chrono>
#include <vector>

#include "harness.h"

namespace e2e {
namespace {

constexpr wchar_t kPatternClass[] = L"ZoomorbTestDesktopPattern";

// The painted picture: a top-down 32-bit surface as large as the screen.
struct PatternSurface {
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

// The painted picture covers every monitor: the virtual screen from
// (left, top), which is negative where a monitor lies left of or above the
// primary.
PatternSurface MakePatternSurface(DesktopFill fill, int left, int top, int width, int height) {
    PatternSurface surface;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    surface.memory = CreateCompatibleDC(nullptr);
    surface.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!surface.bitmap || !bits) return surface;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const PatternColour colour = FillColourAt(fill, left + x, top + y);
            pixels[static_cast<size_t>(y) * width + x] =
                uint32_t{colour.red} << 16 | uint32_t{colour.green} << 8 | colour.blue;
        }
    }
    surface.previous = SelectObject(surface.memory, surface.bitmap);
    return surface;
}

void FreePatternSurface(PatternSurface& surface) {
    if (surface.previous) SelectObject(surface.memory, surface.previous);
    if (surface.bitmap) DeleteObject(surface.bitmap);
    if (surface.memory) DeleteDC(surface.memory);
}

LRESULT CALLBACK PatternWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const auto* surface = reinterpret_cast<const PatternSurface*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            const RECT& area = paint.rcPaint;
            BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, surface->memory, area.left,
                   area.top, SRCCOPY);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool ScreenShowsPattern(DesktopFill fill) {
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2 + 7;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2 + 3;
    const ScreenImage image(RECT{x, y, x + 2, y + 1});
    for (int i = 0; i < 2; ++i) {
        const PatternColour expected = FillColourAt(fill, x + i, y);
        if (image.Red(i, 0) != expected.red || image.Green(i, 0) != expected.green || image.Blue(i, 0) != expected.blue)
            return false;
    }
    return true;
}

}  // namespace

PatternColour PatternColourAt(int x, int y) {
    return PatternColour{static_cast<uint8_t>(x & 0xFF), static_cast<uint8_t>(y & 0xFF),
                         static_cast<uint8_t>(((x >> 8) & 0xF) | ((y >> 8) << 4))};
}

POINT DecodePatternColour(uint8_t red, uint8_t green, uint8_t blue) {
    return POINT{red | (blue & 0xF) << 8, green | (blue >> 4) << 8};
}

PatternColour FillColourAt(DesktopFill fill, int x, int y) {
    switch (fill) {
        case DesktopFill::White:
            return PatternColour{255, 255, 255};
        case DesktopFill::Checkerboard: {
            const uint8_t value = (x + y) % 2 ? 255 : 0;
            return PatternColour{value, value, value};
        }
        case DesktopFill::Coordinates:
            break;
    }
    return PatternColourAt(x, y);
}

DesktopPattern::DesktopPattern(DesktopFill fill) : fill_(fill) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
    // Painting reaches the screen a little after the window has drawn it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!ScreenShowsPattern(fill_) && std::chrono::steady_clock::now() < deadline) Sleep(20);
}

DesktopPattern::~DesktopPattern() {
    if (HWND window = window_.load()) PostMessageW(window, WM_CLOSE, 0, 0);
    else if (DWORD thread = threadId_.load()) PostThreadMessageW(thread, WM_QUIT, 0, 0);
    thread_.join();
}

void DesktopPattern::Run(HANDLE ready) {
    threadId_ = GetCurrentThreadId();
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    PatternSurface surface = MakePatternSurface(fill_, left, top, width, height);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PatternWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kPatternClass;
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kPatternClass, L"Desktop pattern", WS_POPUP, left, top, width, height,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), &surface);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    window_ = window;
    SetEvent(ready);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    window_ = nullptr;
    FreePatternSurface(surface);
}

}  // namespace e2e
