#include "desktop.h"

#include <algorithm>

#include "forms/core/numbers.h"
#include "forms/core/units.h"
#include "pictures/glass/glass_geometry.h"

namespace zoomorb::saver {
Desktop::Desktop(std::vector<Monitor> monitors) : monitors_(std::move(monitors)) {
    monitors_.erase(std::remove_if(monitors_.begin(), monitors_.end(),
                                   [](const Monitor& monitor) { return monitor.area.IsEmpty(); }),
                    monitors_.end());
    if (monitors_.empty()) monitors_.push_back(Monitor{forms::PixelRect{0, 0, 1024, 768}, glass::kDesignDpi});
}

const Monitor& Desktop::Primary() const {
    for (const Monitor& monitor : monitors_)
        if (monitor.area.left == 0 && monitor.area.top == 0) return monitor;
    return monitors_.front();
}

const Monitor& Desktop::MonitorAt(double x, double y) const {
    return *forms::AtOrNearest(monitors_, x, y, [](const Monitor& monitor) -> const forms::PixelRect& { return monitor.area; });
}

ScreenMetrics Desktop::MetricsAt(int32_t dotsPerInch) const {
    const float twipsPerPixel = forms::TwipsPerPixel(dotsPerInch);
    const auto twips = [&](int32_t pixels) { return forms::PixelsToTwips(forms::Pixels{pixels}, dotsPerInch); };
    const forms::PixelRect& primary = Primary().area;
    ScreenMetrics metrics{twips(primary.Width()), twips(primary.Height()), twipsPerPixel, twipsPerPixel, dotsPerInch, {}};
    for (const Monitor& monitor : monitors_)
        metrics.monitors.push_back(forms::PixelsToTwips(monitor.area, dotsPerInch));
    return metrics;
}

PixelPoint GlassCentre(const LensMotion& lens, int32_t dotsPerInch) {
    const glass::Layout layout = glass::LayoutAtDpi(dotsPerInch);
    const double twipsPerPixel = forms::TwipsPerPixel(dotsPerInch);
    return PixelPoint{lens.left / twipsPerPixel + glass::CircleMiddleX(layout),
                      lens.top / twipsPerPixel + glass::CircleMiddleY(layout)};
}

bool FollowMonitorDpi(LensMotion& lens, int32_t& dotsPerInch, const Desktop& desktop) {
    const PixelPoint centre = GlassCentre(lens, dotsPerInch);
    const int32_t now = desktop.MonitorAt(centre.x, centre.y).dotsPerInch;
    if (now == dotsPerInch) return false;
    // The circle's centre stays where it is; the glass around it is drawn
    // at the new size.
    const glass::Layout layout = glass::LayoutAtDpi(now);
    const double twipsPerPixel = forms::TwipsPerPixel(now);
    lens.left = forms::ToInt32((centre.x - glass::CircleMiddleX(layout)) * twipsPerPixel);
    lens.top = forms::ToInt32((centre.y - glass::CircleMiddleY(layout)) * twipsPerPixel);
    dotsPerInch = now;
    return true;
}

}  // namespace zoomorb::saver
