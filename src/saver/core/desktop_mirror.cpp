#include "desktop_mirror.h"

#include <cstdint>

namespace zoomorb::saver {
namespace {

// What of `area` lies outside `cut`: up to four rectangles.
void AddOutside(const forms::PixelRect& area, const forms::PixelRect& cut, std::vector<forms::PixelRect>& parts) {
    const forms::PixelRect shared = forms::Intersection(area, cut);
    if (shared.IsEmpty()) {
        parts.push_back(area);
        return;
    }
    const forms::PixelRect around[] = {{area.left, area.top, area.right, shared.top},
                                       {area.left, shared.bottom, area.right, area.bottom},
                                       {area.left, shared.top, shared.left, shared.bottom},
                                       {shared.right, shared.top, area.right, shared.bottom}};
    for (const forms::PixelRect& part : around)
        if (!part.IsEmpty()) parts.push_back(part);
}

}  // namespace

std::vector<forms::PixelRect> DisjointAreas(const std::vector<forms::PixelRect>& monitors) {
    std::vector<forms::PixelRect> areas, parts, rest;
    for (const forms::PixelRect& monitor : monitors) {
        parts.assign(1, monitor);
        for (const forms::PixelRect& earlier : areas) {
            rest.clear();
            for (const forms::PixelRect& part : parts) AddOutside(part, earlier, rest);
            std::swap(parts, rest);
        }
        for (const forms::PixelRect& part : parts)
            if (!part.IsEmpty()) areas.push_back(part);
    }
    return areas;
}

bool DesktopMirror::Follow(const std::vector<forms::PixelRect>& monitors, size_t mostBytes) {
    // The old copy goes first, so that the two are never held at once.
    copies_.clear();
    const std::vector<forms::PixelRect> areas = DisjointAreas(monitors);
    uint64_t bytes = 0;
    for (const forms::PixelRect& area : areas)
        bytes += uint64_t{4} * static_cast<uint32_t>(area.Width()) * static_cast<uint32_t>(area.Height());
    bool made = !areas.empty() && bytes <= mostBytes;
    copies_.resize(made ? areas.size() : 0);
    for (size_t i = 0; made && i < areas.size(); ++i) made = copies_[i].Make(areas[i]);
    if (!made) copies_.clear();
    plan_.Follow(made ? areas : std::vector<forms::PixelRect>{});
    return made;
}

std::vector<forms::PixelRect> DesktopMirror::ReadsFor(const forms::PixelRect& source, double nowMs) {
    std::vector<forms::PixelRect> reads = plan_.ReadsFor(source, nowMs);
    oldestShownMs_ = plan_.OldestReadMs(source);
    return reads;
}

void DesktopMirror::Store(const forms::PixelRect& part, const Pixels32& pixels) {
    for (SummedCopy& copy : copies_)
        if (copy.Area().Contains(part.left, part.top)) copy.Store(part, pixels);
}

void DesktopMirror::Average(const forms::PixelRect& area, const Pixels32& to) {
    AverageArea(copies_, area, to, sums_);
}

}  // namespace zoomorb::saver
