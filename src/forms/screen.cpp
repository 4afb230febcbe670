#include "screen.h"

#include <windows.h>

#include "forms/core/units.h"
#include "forms/handles.h"

namespace forms {
namespace {

// The screen's logical DPI (the system DPI, which a per-monitor aware
// process gets too) is fixed for the life of the process, so it is read
// once: the saver's timers ask for it many times a second. A monitor's own
// DPI comes from Monitors().
int ReadLogicalDpi(int axis) {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), axis) : 96;
    return dpi > 0 ? dpi : 96;
}

int LogicalDpi(int axis) {
    static const int dpiX = ReadLogicalDpi(LOGPIXELSX);
    static const int dpiY = ReadLogicalDpi(LOGPIXELSY);
    return axis == LOGPIXELSX ? dpiX : dpiY;
}

// Each monitor's own DPI comes from the shell's scaling library, which only
// Windows 8.1 and later have; before it every monitor has the screen's.
int MonitorDpi(HMONITOR monitor) {
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const GetDpiForMonitorFunction getDpiForMonitor = [] {
        const HMODULE library = LoadLibraryW(L"shcore.dll");  // kept for the life of the process
        return library ? reinterpret_cast<GetDpiForMonitorFunction>(
                             reinterpret_cast<void*>(GetProcAddress(library, "GetDpiForMonitor")))
                       : nullptr;
    }();
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: as the user's scale setting makes it
    UINT x = 0, y = 0;
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0)
        return static_cast<int>(x);
    return DotsPerInch();
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
            MonitorArea{PixelRect{r.left, r.top, r.right, r.bottom}, MonitorDpi(monitor)});
    }
    return TRUE;
}

MousePointer& CurrentPointer() {
    static MousePointer pointer = MousePointer::Default;
    return pointer;
}

}  // namespace

float TwipsPerPixelX() { return TwipsPerPixel(LogicalDpi(LOGPIXELSX)); }
float TwipsPerPixelY() { return TwipsPerPixel(LogicalDpi(LOGPIXELSY)); }
int32_t DotsPerInch() { return LogicalDpi(LOGPIXELSX); }
int32_t ScreenWidthPixels() { return GetSystemMetrics(SM_CXSCREEN); }
int32_t ScreenHeightPixels() { return GetSystemMetrics(SM_CYSCREEN); }
int32_t ScreenWidthTwips() { return PixelsToTwipsByFactor(ScreenWidthPixels(), TwipsPerPixelX()); }
int32_t ScreenHeightTwips() { return PixelsToTwipsByFactor(ScreenHeightPixels(), TwipsPerPixelY()); }

std::vector<MonitorArea> Monitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty())
        monitors.push_back(MonitorArea{PixelRect{0, 0, ScreenWidthPixels(), ScreenHeightPixels()}, DotsPerInch()});
    return monitors;
}

PixelRect WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        return PixelRect{0, 0, ScreenWidthPixels(), ScreenHeightPixels()};
    return PixelRect{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

void SetScreenMousePointer(MousePointer pointer) {
    CurrentPointer() = pointer;
    if (pointer == MousePointer::Default) {
        POINT at;
        // Re-evaluate the pointer under the mouse so the override goes at once.
        if (GetCursorPos(&at)) SetCursorPos(at.x, at.y);
    } else {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
}

MousePointer ScreenMousePointer() { return CurrentPointer(); }

}  // namespace forms
