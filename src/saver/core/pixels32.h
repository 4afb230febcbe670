#pragma once
// A borrowed look at 32-bit pixels: blue, green, red and an unused byte,
// rows top-down, `stride` bytes apart.

#include <cstddef>
#include <cstdint>

namespace zoomorb::saver {

struct Pixels32 {
    uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    std::ptrdiff_t stride = 0;

    uint8_t* Pixel(int32_t x, int32_t y) const { return bits + y * stride + std::ptrdiff_t{x} * 4; }
};

}  // namespace zoomorb::saver
