#pragma once
// The desktop the saver wanders over: its monitors, each with its place in
// the virtual screen and its own dots per inch. The glass is drawn for the
// DPI of the monitor its circle's centre lies on, and its motion counts in
// that DPI's twips; when it moves onto a monitor of another DPI its position
// is counted afresh in the new twips, so it stays where it is on the screen,
// and its speeds, which are lengths in twips, follow the new DPI by themselves.

#include <cstdint>
#include <vector>

#include "forms/core/pixel_rect.h"
#include "saver/core/motion/saver_state.h"
#include "saver/core/motion/screen_metrics.h"

namespace zoomorb::saver {

struct Monitor {
    forms::PixelRect area;
    int32_t dotsPerInch = 96;
};

class Desktop {
public:
    // `monitors` in virtual-screen pixels; none at all counts as one
    // 1024 x 768 monitor, so that the motions always have somewhere to go.
    explicit Desktop(std::vector<Monitor> monitors);

    const std::vector<Monitor>& Monitors() const { return monitors_; }
    // The monitor with the virtual screen's origin (0, 0), else the first.
    const Monitor& Primary() const;
    // The monitor showing the pixel (x, y), or else the nearest one.
    const Monitor& MonitorAt(double x, double y) const;
    // The screen as the motions see it with the glass drawn for `dotsPerInch`.
    ScreenMetrics MetricsAt(int32_t dotsPerInch) const;

private:
    std::vector<Monitor> monitors_;
};

// Where the glass's circle's centre lies, in pixels, for the window at
// (left, top) twips with the glass drawn for `dotsPerInch`.
struct PixelPoint {
    double x;
    double y;
};
PixelPoint GlassCentre(const LensMotion& lens, int32_t dotsPerInch);

// After a window step: when the glass's centre has come onto a monitor of
// another DPI, counts the window's position in that DPI's twips, sets
// `dotsPerInch` to it and returns true (the glass is then to be drawn anew).
bool FollowMonitorDpi(LensMotion& lens, int32_t& dotsPerInch, const Desktop& desktop);

}  // namespace zoomorb::saver
