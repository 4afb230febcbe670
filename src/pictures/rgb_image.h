#pragma once
// The pixel buffer every picture is drawn into, and the colour arithmetic the
// painters share. Colours are mixed as doubles and quantised only when stored,
// so layered shading does not accumulate rounding steps.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zoomorb::pictures {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};

struct Colour {
    double r = 0, g = 0, b = 0;
    Colour operator+(const Colour& o) const { return {r + o.r, g + o.g, b + o.b}; }
    Colour operator*(double k) const { return {r * k, g * k, b * k}; }
};

Colour Mix(const Colour& from, const Colour& to, double amount);
// Clamps to 0..255 and rounds to the nearest level.
Rgb Quantise(const Colour& colour);
Colour ToColour(Rgb rgb);

// Piecewise-linear colour ramp over stops given in increasing position order.
struct RampStop {
    double at;
    Colour colour;
};
Colour Ramp(const std::vector<RampStop>& stops, double position);

double Clamp01(double value);
// Hermite step from 0 at edge0 to 1 at edge1 (edges may be given reversed).
double SmoothStep(double edge0, double edge1, double value);

class Image {
public:
    Image(int width, int height, Rgb fill = {});
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Rgb& At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Writes the pixel when it lies on the image; drawing may overhang the edges.
    void Plot(int x, int y, Rgb colour);
    void Blend(int x, int y, const Colour& colour, double alpha);
    void FillRect(int left, int top, int width, int height, Rgb colour);

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace zoomorb::pictures
