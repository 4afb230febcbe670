#include "monitor_layout.h"

#include <algorithm>
#include <cmath>

#include "forms/core/numbers.h"

namespace zoomorb::saver {
namespace {

bool ShowsAny(const std::vector<MonitorTwips>& monitors, double x, double y) {
    return std::any_of(monitors.begin(), monitors.end(), [&](const MonitorTwips& m) { return m.Contains(x, y); });
}

}  // namespace

Reach ReachAt(const ScreenMetrics& screen, double x, double y, Axis axis) {
    const std::vector<MonitorTwips> monitors = screen.Monitors();
    const auto showsPoint = [&](double px, double py) { return ShowsAny(monitors, px, py); };
    const MonitorTwips* under = forms::AtOrNearest(monitors, x, y, [](const MonitorTwips& m) -> const MonitorTwips& { return m; });
    const bool onMonitor = under->Contains(x, y);
    // Beyond an edge means its first twip outside the monitor, on the
    // point's row or column.
    if (axis == Axis::Horizontal)
        return Reach{under->left, under->right, !showsPoint(under->left - 1.0, y), !showsPoint(under->right, y),
                     onMonitor};
    return Reach{under->top, under->bottom, !showsPoint(x, under->top - 1.0), !showsPoint(x, under->bottom),
                 onMonitor};
}

CornerTurn TurnAtInsideCorner(const ScreenMetrics& screen, double fromX, double fromY, double toX, double toY) {
    const std::vector<MonitorTwips> monitors = screen.Monitors();
    if (ShowsAny(monitors, toX, toY) || !ShowsAny(monitors, fromX, fromY)) return {};
    if (ShowsAny(monitors, toX, fromY)) return {false, true};
    if (ShowsAny(monitors, fromX, toY)) return {true, false};
    return {true, true};
}

int32_t BroughtWithin(int32_t position, const Limits& limits) {
    const int32_t first = forms::ToInt32(std::ceil(limits.low));
    const int32_t last = forms::ToInt32(std::floor(limits.high));
    if (last < first) return forms::ToInt32(std::floor((limits.low + limits.high) / 2));
    return std::clamp(position, first, last);
}

}  // namespace zoomorb::saver
