#include "monitor_layout.h"

#include <algorithm>
#include <limits>

namespace zoomorb::saver {
namespace {

bool Shows(const MonitorTwips& monitor, double x, double y) {
    return x >= monitor.left && x < monitor.right && y >= monitor.top && y < monitor.bottom;
}

double DistanceSquared(const MonitorTwips& monitor, double x, double y) {
    const double dx = std::max({monitor.left - x, 0.0, x - monitor.right});
    const double dy = std::max({monitor.top - y, 0.0, y - monitor.bottom});
    return dx * dx + dy * dy;
}

}  // namespace

Reach ReachAt(const ScreenMetrics& screen, double x, double y, Axis axis) {
    const std::vector<MonitorTwips> monitors = screen.Monitors();
    const auto showsPoint = [&](double px, double py) {
        return std::any_of(monitors.begin(), monitors.end(),
                           [&](const MonitorTwips& m) { return Shows(m, px, py); });
    };
    const MonitorTwips* under = nullptr;
    double nearest = std::numeric_limits<double>::infinity();
    for (const MonitorTwips& monitor : monitors) {
        const double distance = DistanceSquared(monitor, x, y);
        if (Shows(monitor, x, y)) {
            under = &monitor;
            break;
        }
        if (distance < nearest) {
            nearest = distance;
            under = &monitor;
        }
    }
    const bool onMonitor = Shows(*under, x, y);
    // Beyond an edge means its first twip outside the monitor, on the
    // point's row or column.
    if (axis == Axis::Horizontal)
        return Reach{under->left, under->right, !showsPoint(under->left - 1.0, y), !showsPoint(under->right, y),
                     onMonitor};
    return Reach{under->top, under->bottom, !showsPoint(x, under->top - 1.0), !showsPoint(x, under->bottom),
                 onMonitor};
}

}  // namespace zoomorb::saver
