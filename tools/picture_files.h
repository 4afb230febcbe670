#pragma once
// Writers for the three Windows picture formats the resources use. Each
// returns the complete file as bytes, so the generator can compare them with
// the committed files as well as write them.

#include <array>
#include <cstdint>
#include <vector>

#include "pictures/rgb_image.h"

namespace zoomorb::pictures {

using Bytes = std::vector<uint8_t>;

// Uncompressed 24-bit, bottom-up, rows padded to 4 bytes.
Bytes EncodeBmp(const Image& image);

// One image of an icon: its colours and which pixels the AND mask cuts away.
struct IconImage {
    Image colours;
    std::vector<bool> transparent;  // row-major, top row first
};
// 24-bit images with a 1-bit AND mask each; transparent pixels store black
// so the XOR step leaves the screen untouched.
Bytes EncodeIcon(const std::vector<IconImage>& images);

// A 16-colour cursor: palette indices row-major from the top, an AND mask of
// the same layout, and the hot spot in pixels from the top-left corner.
struct Cursor16 {
    int width = 0, height = 0;
    std::array<Rgb, 16> palette{};
    std::vector<uint8_t> indices;
    std::vector<bool> transparent;
    int hotX = 0, hotY = 0;
};
Bytes EncodeCursor(const Cursor16& cursor);

}  // namespace zoomorb::pictures
