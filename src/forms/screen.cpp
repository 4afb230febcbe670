#include "screen.h"

#include <windows.h>

#include "forms/core/units.h"
#include "forms/handles.h"

namespace forms {
namespace {

// The logical DPI is fixed for the life of a process that is not per-monitor
// aware, so it is read once: the saver's timers ask for it many times a second.
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

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<PixelRect>*>(list)->push_back(PixelRect{r.left, r.top, r.right, r.bottom});
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
int32_t ScreenWidthTwips() { return PixelsToTwips(ScreenWidthPixels(), TwipsPerPixelX()); }
int32_t ScreenHeightTwips() { return PixelsToTwips(ScreenHeightPixels(), TwipsPerPixelY()); }

std::vector<PixelRect> MonitorRects() {
    std::vector<PixelRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) monitors.push_back(PixelRect{0, 0, ScreenWidthPixels(), ScreenHeightPixels()});
    return monitors;
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
