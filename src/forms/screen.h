#pragma once
// The screen in the forms' units: sizes in twips, and twips per pixel per axis
// (1440 divided by the logical dots per inch: 15 at 96 DPI).

#include <windows.h>

#include <cstdint>
#include <vector>

#include "forms/core/pixel_rect.h"

namespace forms {

float TwipsPerPixelX();
float TwipsPerPixelY();
// The screen's logical dots per inch (horizontally; every system we run on
// has the same vertically), read once per process.
int32_t DotsPerInch();
int32_t ScreenWidthPixels();
int32_t ScreenHeightPixels();
int32_t ScreenWidthTwips();
int32_t ScreenHeightTwips();
// Every monitor: its rectangle in virtual-screen pixels (the primary's
// top-left corner at 0, 0) and its own dots per inch (the screen's where the
// system knows no DPI per monitor); read afresh at each call. Never empty:
// where the system names no monitor, the screen counts as one.
struct MonitorArea {
    PixelRect area;
    int32_t dotsPerInch;
    bool operator==(const MonitorArea& other) const {
        return area == other.area && dotsPerInch == other.dotsPerInch;
    }
    bool operator!=(const MonitorArea& other) const { return !(*this == other); }
};
std::vector<MonitorArea> Monitors();
// The work area (the monitor less the taskbar and other bars docked at its
// edges) of the monitor that the window lies on most, or is nearest to.
PixelRect WorkAreaOf(HWND window);

// An application-wide pointer that overrides every control's own.
enum class MousePointer { Default, Hourglass };
void SetScreenMousePointer(MousePointer pointer);
MousePointer ScreenMousePointer();

}  // namespace forms
