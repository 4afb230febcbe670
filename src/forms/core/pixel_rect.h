#pragma once
// A rectangle of pixels: of the virtual screen (which spans every monitor,
// so a monitor left of or above the primary has negative coordinates), or of
// a window. Left and top are inside it, right and bottom just outside. The
// saver's motions keep the monitors in the same shape, counted in twips.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace forms {

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(double x, double y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Contains(const PixelRect& other) const {
        return other.left >= left && other.top >= top && other.right <= right && other.bottom <= bottom;
    }
    bool operator==(const PixelRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// What two rectangles share; empty (IsEmpty) when they do not meet.
inline PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// `rect` moved, as little as it must, to lie inside `area`; where it is
// wider or taller than `area`, its left or top edge goes to `area`'s.
inline PixelRect MovedInside(const PixelRect& rect, const PixelRect& area) {
    const int32_t left = std::max(area.left, std::min(rect.left, area.right - rect.Width()));
    const int32_t top = std::max(area.top, std::min(rect.top, area.bottom - rect.Height()));
    return {left, top, left + rect.Width(), top + rect.Height()};
}

// The item whose rectangle (`areaOf(item)`) holds the point, else the one
// nearest to it; null only when there are none.
template <typename Item, typename AreaOf>
const Item* AtOrNearest(const std::vector<Item>& items, double x, double y, AreaOf areaOf) {
    const Item* nearest = nullptr;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (const Item& item : items) {
        const PixelRect& a = areaOf(item);
        if (a.Contains(x, y)) return &item;
        const double dx = std::max({a.left - x, 0.0, x - a.right});
        const double dy = std::max({a.top - y, 0.0, y - a.bottom});
        if (dx * dx + dy * dy < nearestDistance) {
            nearestDistance = dx * dx + dy * dy;
            nearest = &item;
        }
    }
    return nearest;
}

}  // namespace forms
