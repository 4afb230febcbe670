#include "rgb_image.h"

#include "forms/core/numbers.h"

namespace zoomorb::pictures {

namespace {

uint8_t Level(double value) {
    if (value <= 0) return 0;
    if (value >= 255) return 255;
    return static_cast<uint8_t>(forms::RoundHalfUp(value));
}

}  // namespace

Colour Mix(const Colour& from, const Colour& to, double amount) {
    return from * (1 - amount) + to * amount;
}

Rgb Quantise(const Colour& colour) { return {Level(colour.r), Level(colour.g), Level(colour.b)}; }

Colour ToColour(Rgb rgb) { return {double(rgb.r), double(rgb.g), double(rgb.b)}; }

Colour Ramp(const std::vector<RampStop>& stops, double position) {
    if (position <= stops.front().at) return stops.front().colour;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (position <= stops[i].at) {
            const RampStop& low = stops[i - 1];
            return Mix(low.colour, stops[i].colour, (position - low.at) / (stops[i].at - low.at));
        }
    }
    return stops.back().colour;
}

double Clamp01(double value) { return value < 0 ? 0 : (value > 1 ? 1 : value); }

double SmoothStep(double edge0, double edge1, double value) {
    double t = Clamp01((value - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Image::Plot(int x, int y, Rgb colour) {
    if (Contains(x, y)) At(x, y) = colour;
}

void Image::Blend(int x, int y, const Colour& colour, double alpha) {
    if (Contains(x, y)) At(x, y) = Quantise(Mix(ToColour(At(x, y)), colour, alpha));
}

void Image::FillRect(int left, int top, int width, int height, Rgb colour) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) Plot(x, y, colour);
}

}  // namespace zoomorb::pictures
