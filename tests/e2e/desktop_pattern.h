#pragma once
// A window of the test process over every monitor whose every pixel spells
// its own screen coordinates, so that any copy of the screen (the saver's lens) can
// be read back as "which desktop pixels does it show". It is an ordinary
// window: the topmost saver stays above it. Its own thread keeps it painted
// while the test is busy sampling.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <thread>

namespace e2e {

// The pattern's colour of a screen pixel, as red, green and blue:
// red = x & 0xFF, green = y & 0xFF, blue = (x >> 8 & 0xF) | (y >> 8) << 4.
struct PatternColour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
PatternColour PatternColourAt(int x, int y);
// The screen point whose pattern colour this is.
POINT DecodePatternColour(uint8_t red, uint8_t green, uint8_t blue);

// What the window shows: the coordinate pattern, plain white, or black and
// white pixels in turn (a checkerboard of one-pixel squares).
enum class DesktopFill { Coordinates, White, Checkerboard };
PatternColour FillColourAt(DesktopFill fill, int x, int y);

class DesktopPattern {
public:
    explicit DesktopPattern(DesktopFill fill = DesktopFill::Coordinates);
    ~DesktopPattern();
    DesktopPattern(const DesktopPattern&) = delete;
    DesktopPattern& operator=(const DesktopPattern&) = delete;

    HWND Window() const { return window_.load(); }

private:
    void Run(HANDLE ready);

    const DesktopFill fill_;
    std::atomic<HWND> window_{nullptr};
    std::atomic<DWORD> threadId_{0};
    std::thread thread_;
};

}  // namespace e2e
