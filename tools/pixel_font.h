#pragma once
// A 5 x 7 capital-letter font for the lettering in the sample wallpaper: tiny
// text is exactly the detail a magnifier is for.

#include <string>

#include "pictures/rgb_image.h"

namespace zoomorb::pictures {

inline constexpr int kGlyphWidth = 5, kGlyphHeight = 7, kGlyphAdvance = 6;

// Draws text with its top-left corner at (x, y), each font pixel scale x scale
// pixels; lower-case letters are drawn as capitals, unknown characters as
// blanks. Returns the width drawn, in pixels.
int DrawText(Image& image, int x, int y, const std::string& text, Rgb colour, int scale = 1);
int TextWidth(const std::string& text, int scale = 1);

}  // namespace zoomorb::pictures
