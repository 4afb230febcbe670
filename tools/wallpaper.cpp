#include "wallpaper.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "pixel_font.h"

namespace zoomorb::pictures {

namespace {

constexpr double kPi = 3.14159265358979;

// Fixed-seed generator, so the same size always gives the same picture.
class Dice {
public:
    explicit Dice(uint32_t seed) : state_(seed) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int Between(int low, int high) { return low + static_cast<int>(Next() % static_cast<uint32_t>(high - low + 1)); }
    double Unit() { return (Next() & 0xFFFFFF) / double(0x1000000); }
    bool Chance(double p) { return Unit() < p; }

private:
    uint32_t state_;
};

Colour Hsv(double hue, double saturation, double value) {
    double h = std::fmod(hue, 360.0) / 60.0;
    int sector = static_cast<int>(h);
    double f = h - sector;
    double p = value * (1 - saturation), q = value * (1 - saturation * f), t = value * (1 - saturation * (1 - f));
    double r, g, b;
    switch (sector) {
        case 0: r = value, g = t, b = p; break;
        case 1: r = q, g = value, b = p; break;
        case 2: r = p, g = value, b = t; break;
        case 3: r = p, g = q, b = value; break;
        case 4: r = t, g = p, b = value; break;
        default: r = value, g = p, b = q; break;
    }
    return {r * 255, g * 255, b * 255};
}

struct Layout {
    int width, height;
    int horizon;      // where the buildings stand
    int streetBottom;
    int rulerTop;
};

void PaintSky(Image& image, const Layout& at, Dice& dice) {
    const std::vector<RampStop> sky = {
        {0.00, {14, 18, 52}}, {0.45, {50, 42, 108}}, {0.75, {148, 78, 128}}, {0.92, {236, 138, 96}}, {1.00, {252, 196, 120}},
    };
    for (int y = 0; y < at.horizon; ++y) {
        Rgb row = Quantise(Ramp(sky, double(y) / at.horizon));
        for (int x = 0; x < at.width; ++x) image.At(x, y) = row;
    }
    int stars = at.width * at.horizon / 1800;
    for (int i = 0; i < stars; ++i) {
        int x = dice.Between(0, at.width - 1), y = dice.Between(0, at.horizon * 45 / 100);
        double fade = 1 - double(y) / (at.horizon * 0.5);
        image.Blend(x, y, {255, 250, 235}, fade * (0.4 + 0.6 * dice.Unit()));
        if (dice.Chance(0.08)) {
            for (int d = 1; d <= 2; ++d) {
                double a = fade * (d == 1 ? 0.6 : 0.25);
                image.Blend(x - d, y, {255, 250, 235}, a), image.Blend(x + d, y, {255, 250, 235}, a);
                image.Blend(x, y - d, {255, 250, 235}, a), image.Blend(x, y + d, {255, 250, 235}, a);
            }
        }
    }
}

void PaintMoon(Image& image, const Layout& at) {
    const double cx = at.width * 0.8, cy = at.height * 0.15, r = at.height * 0.045;
    struct Crater { double x, y, r; } craters[] = {{-0.3, -0.2, 0.22}, {0.35, 0.1, 0.16}, {-0.05, 0.45, 0.12}, {0.2, -0.45, 0.1}};
    for (int y = int(cy - 4 * r); y <= int(cy + 4 * r); ++y) {
        for (int x = int(cx - 4 * r); x <= int(cx + 4 * r); ++x) {
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / r;
            if (d > 1) {
                double glow = 0.35 / (d * d) - 0.35 / 16;
                if (glow > 0) image.Blend(x, y, {255, 236, 200}, glow);
                continue;
            }
            Colour moon{250, 244, 222};
            for (const Crater& c : craters)
                if (std::hypot((x + 0.5 - cx) / r - c.x, (y + 0.5 - cy) / r - c.y) < c.r) moon = {222, 214, 194};
            image.Blend(x, y, moon, Clamp01((1 - d) * r));
        }
    }
}

void PaintHills(Image& image, const Layout& at) {
    for (int x = 0; x < at.width; ++x) {
        double u = double(x) / at.width;
        double rise = 0.5 + 0.25 * std::sin(u * 7.1 + 1.3) + 0.15 * std::sin(u * 17.3 + 0.4) + 0.1 * std::sin(u * 41.0);
        int top = at.horizon - int(rise * at.height * 0.16);
        for (int y = std::max(0, top); y < at.horizon; ++y)
            image.At(x, y) = Quantise(Mix({86, 60, 124}, {120, 72, 120}, double(y - top) / (at.horizon - top + 1)));
    }
}

void PaintWindows(Image& image, int left, int top, int width, int bottom, double lit, bool dim, Dice& dice) {
    const Rgb warm[] = {{255, 220, 140}, {255, 238, 196}, {186, 222, 255}, {255, 196, 110}};
    const int cellW = 4, cellH = 6, gapX = 3, gapY = 4, margin = 5;
    for (int y = top + margin; y + cellH <= bottom - margin; y += cellH + gapY) {
        for (int x = left + margin; x + cellW <= left + width - margin; x += cellW + gapX) {
            bool on = dice.Chance(lit);
            Rgb colour = on ? warm[dice.Between(0, 3)] : Rgb{52, 54, 80};
            if (dim) colour = Quantise(Mix(ToColour(colour), {60, 50, 100}, 0.5));
            image.FillRect(x, y, cellW, cellH, colour);
            if (on && !dim) image.FillRect(x, y + cellH - 2, cellW, 1, Quantise(ToColour(colour) * 0.8));
        }
    }
}

void PaintLine(Image& image, int x0, int y0, int x1, int y1, Rgb colour) {
    int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        double t = steps ? double(i) / steps : 0;
        image.Plot(int(std::lround(x0 + t * (x1 - x0))), int(std::lround(y0 + t * (y1 - y0))), colour);
    }
}

void PaintBillboard(Image& image, int x, int y) {
    const int w = 156, h = 62;
    PaintLine(image, x + 30, y + h, x + 30, y + h + 30, {70, 70, 80});
    PaintLine(image, x + w - 30, y + h, x + w - 30, y + h + 30, {70, 70, 80});
    image.FillRect(x - 2, y - 2, w + 4, h + 4, {210, 210, 220});
    image.FillRect(x, y, w, h, {26, 30, 70});
    DrawText(image, x + (w - TextWidth("ZOOMORB", 3)) / 2, y + 6, "ZOOMORB", {255, 214, 90}, 3);
    DrawText(image, x + (w - TextWidth("LOOK CLOSER!")) / 2, y + 32, "LOOK CLOSER!", {255, 255, 255});
    DrawText(image, x + (w - TextWidth("200% - 500% MAGNIFY")) / 2, y + 44, "200% - 500% MAGNIFY", {150, 210, 255});
    for (int i = 0; i < 12; ++i) image.Plot(x + 8 + i * 13, y + h - 4, {255, 120, 160});
}

void PaintNeonSign(Image& image, int x, int y, const std::string& word) {
    image.FillRect(x - 3, y - 3, 11, int(word.size()) * 10 + 4, {40, 20, 50});
    for (size_t i = 0; i < word.size(); ++i) DrawText(image, x, y + int(i) * 10, std::string(1, word[i]), {255, 90, 190});
}

void PaintBuildings(Image& image, const Layout& at, Dice& dice) {
    for (int x = -dice.Between(0, 30); x < at.width;) {
        int w = dice.Between(24, 70), h = int(at.height * (0.08 + 0.2 * dice.Unit()));
        image.FillRect(x, at.horizon - h, w, h, {56, 48, 98});
        PaintWindows(image, x, at.horizon - h, w, at.horizon, 0.25, true, dice);
        x += w + dice.Between(0, 6);
    }
    int billboardAt = at.width / 3, neonAt = at.width * 2 / 3;
    for (int x = -dice.Between(0, 40); x < at.width;) {
        int w = dice.Between(44, 110), h = int(at.height * (0.13 + 0.28 * dice.Unit()));
        int top = at.horizon - h;
        Rgb body = Quantise({24.0 + dice.Between(0, 14), 24.0 + dice.Between(0, 12), 48.0 + dice.Between(0, 16)});
        image.FillRect(x, top, w, h, body);
        image.FillRect(x, top, w, 2, Quantise(ToColour(body) * 1.8));
        if (dice.Chance(0.4)) {
            int stepW = w * 2 / 3, stepH = dice.Between(10, 24);
            image.FillRect(x + (w - stepW) / 2, top - stepH, stepW, stepH, body);
            top -= stepH;
        }
        PaintWindows(image, x, top + 4, w, at.horizon, 0.45, false, dice);
        if (dice.Chance(0.5)) {
            int ax = x + w / 2, mast = dice.Between(14, 46);
            PaintLine(image, ax, top, ax, top - mast, {150, 150, 170});
            PaintLine(image, ax - 4, top - mast / 2, ax + 4, top - mast / 2, {150, 150, 170});
            image.FillRect(ax - 1, top - mast - 1, 3, 2, {255, 40, 40});
        }
        if (x <= billboardAt && billboardAt < x + w) PaintBillboard(image, x + w / 2 - 78, top - 92);
        if (x <= neonAt && neonAt < x + w && h > 90) PaintNeonSign(image, x + w - 12, top + 12, "HOTEL");
        x += w + dice.Between(2, 14);
    }
}

void PaintStreet(Image& image, const Layout& at, Dice& dice) {
    image.FillRect(0, at.horizon, at.width, at.streetBottom - at.horizon, {42, 42, 52});
    image.FillRect(0, at.horizon, at.width, 3, {150, 150, 160});
    int middle = (at.horizon + at.streetBottom) / 2;
    for (int x = 0; x < at.width; x += 20) image.FillRect(x, middle, 12, 1, {240, 200, 60});
    image.FillRect(0, at.streetBottom - 2, at.width, 1, {220, 220, 220});
    for (int x = dice.Between(0, 60); x < at.width; x += dice.Between(70, 190)) {
        bool eastbound = dice.Chance(0.5);
        int y = eastbound ? middle + 4 : middle - 12;
        Rgb paint = Quantise(Hsv(dice.Between(0, 359), 0.7, 0.85));
        image.FillRect(x, y, 26, 7, paint);
        image.FillRect(x + 6, y - 4, 13, 4, paint);
        image.FillRect(x + 8, y - 3, 4, 3, {170, 210, 240});
        image.FillRect(x + 13, y - 3, 4, 3, {170, 210, 240});
        image.FillRect(eastbound ? x + 25 : x, y + 2, 1, 2, eastbound ? Rgb{255, 255, 200} : Rgb{255, 40, 40});
        image.FillRect(x + 4, y + 6, 4, 2, {10, 10, 10});
        image.FillRect(x + 18, y + 6, 4, 2, {10, 10, 10});
    }
}

void PaintTiles(Image& image, const Layout& at, int right) {
    const int pitch = 16, tile = 14;
    image.FillRect(0, at.streetBottom, right, at.rulerTop - at.streetBottom, {236, 232, 222});
    const std::string word = "ZOOMORB MAGNIFIES THE DESKTOP";
    int columns = right / pitch, rows = (at.rulerTop - at.streetBottom) / pitch;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            int x = column * pitch + 1, y = at.streetBottom + row * pitch + 1;
            double hue = column * 11 + row * 23;
            Colour face = Hsv(hue, 0.45 + 0.3 * ((row + column) % 3) / 2, 0.78 + 0.16 * ((row * 7 + column) % 2));
            image.FillRect(x, y, tile, tile, Quantise(face));
            image.FillRect(x, y, tile, 1, Quantise(Mix(face, {255, 255, 255}, 0.4)));
            image.FillRect(x, y + tile - 1, tile, 1, Quantise(face * 0.75));
            size_t letter = static_cast<size_t>(column - 2);
            if (row == 2 && column >= 2 && letter < word.size() && word[letter] != ' ')
                DrawText(image, x + 5, y + 4, std::string(1, word[letter]), {30, 26, 40});
        }
    }
}

void PaintNotice(Image& image, int x, int y) {
    const char* lines[] = {
        "NOTICE:",
        "THE QUICK BROWN FOX JUMPS OVER",
        "THE LAZY DOG. 0123456789",
        "PRESS ESC TO END THE SAVER.",
        "MOVE THE MOUSE: NOTHING HAPPENS!",
        "SMALL PRINT IS BEST READ BIG.",
    };
    const int w = TextWidth(lines[4]) + 16, h = 6 * 11 + 10;
    image.FillRect(x + 3, y + 3, w, h, {150, 140, 130});
    image.FillRect(x, y, w, h, {250, 246, 226});
    image.FillRect(x, y, w, 1, {120, 100, 80});
    image.FillRect(x, y + h - 1, w, 1, {120, 100, 80});
    image.FillRect(x, y, 1, h, {120, 100, 80});
    image.FillRect(x + w - 1, y, 1, h, {120, 100, 80});
    for (int i = 0; i < 6; ++i) DrawText(image, x + 8, y + 6 + i * 11, lines[i], i == 0 ? Rgb{180, 30, 40} : Rgb{30, 30, 40});
}

// A resolution chart: a star of wedges, rings, and gratings of 1, 2 and 3 pixel pitch.
void PaintChart(Image& image, int left, int top, int size) {
    image.FillRect(left, top, size, size, {250, 250, 250});
    const double cx = left + size / 2.0, cy = top + size * 0.42, r = size * 0.36;
    for (int y = top; y < top + size; ++y) {
        for (int x = left; x < left + size; ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy);
            if (d > r) continue;
            bool dark;
            if (d > r * 0.6) dark = int(d / 3) % 2 == 0;
            else dark = int((std::atan2(dy, dx) + kPi) / (2 * kPi) * 48) % 2 == 0;
            if (dark) image.At(x, y) = {20, 20, 20};
        }
    }
    int gy = int(cy + r) + 8;
    for (int pitch = 1; pitch <= 3; ++pitch) {
        int gx = left + 10 + (pitch - 1) * (size - 20) / 3, gw = (size - 20) / 3 - 6;
        for (int x = 0; x < gw; ++x)
            if ((x / pitch) % 2 == 0) image.FillRect(gx + x, gy, 1, 14, {20, 20, 20});
        for (int y = 0; y < 14; ++y)
            if ((y / pitch) % 2 == 0) image.FillRect(gx, gy + 18 + y, gw, 1, {20, 20, 20});
    }
    const Rgb bars[] = {{255, 255, 0}, {0, 255, 255}, {0, 255, 0}, {255, 0, 255}, {255, 0, 0}, {0, 0, 255}};
    int barTop = gy + 38, barW = (size - 20) / 6;
    for (int i = 0; i < 6 && barTop + 8 < top + size; ++i) image.FillRect(left + 10 + i * barW, barTop, barW, std::min(10, top + size - barTop - 2), bars[i]);
}

void PaintRuler(Image& image, const Layout& at) {
    image.FillRect(0, at.rulerTop, at.width, at.height - at.rulerTop, {232, 230, 218});
    image.FillRect(0, at.rulerTop, at.width, 1, {60, 60, 60});
    for (int x = 0; x < at.width; x += 5) {
        int length = x % 50 == 0 ? 12 : (x % 10 == 0 ? 7 : 4);
        image.FillRect(x, at.rulerTop + 1, 1, length, {20, 20, 20});
        if (x % 100 == 0 && x > 0) DrawText(image, x + 2, at.rulerTop + 14, std::to_string(x), {20, 20, 20});
    }
}

}  // namespace

Image DrawWallpaper(int width, int height) {
    Image image(width, height);
    Layout at;
    at.width = width;
    at.height = height;
    at.horizon = height * 60 / 100;
    at.streetBottom = at.horizon + std::max(24, height * 6 / 100);
    at.rulerTop = height - 24;
    Dice dice(0x5EED2024u);
    PaintSky(image, at, dice);
    PaintMoon(image, at);
    PaintHills(image, at);
    PaintBuildings(image, at, dice);
    PaintStreet(image, at, dice);
    int chartSize = std::min(at.rulerTop - at.streetBottom - 8, width / 3);
    int chartLeft = width - chartSize - 8;
    PaintTiles(image, at, chartSize > 60 ? chartLeft - 4 : width);
    if (chartSize > 60) PaintChart(image, chartLeft, at.streetBottom + 4, chartSize);
    PaintNotice(image, 24, at.streetBottom + 3 * 16 + 12);
    PaintRuler(image, at);
    return image;
}

}  // namespace zoomorb::pictures
