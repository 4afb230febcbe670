#include "glass_shading.h"

#include <algorithm>
#include <cmath>

namespace zoomorb::pictures {

namespace {

// Light from the upper left and in front; y grows downwards as in the images.
struct Vector3 {
    double x, y, z;
};

Vector3 Normalised(Vector3 v) {
    double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

const Vector3 kLight = Normalised({-0.5, -0.7, 1.0});
// Halfway between the light and the viewer, for the specular highlight.
const Vector3 kHalfway = Normalised({kLight.x, kLight.y, kLight.z + 1.0});

const Colour kRimPurple{132, 56, 184};
const Colour kWhite{255, 255, 255};

double Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Integer powers only: library pow could differ between C libraries, and
// the committed pictures must come out byte for byte the same everywhere.
double Power(double base, int exponent) {
    double result = 1;
    for (int i = 0; i < exponent; ++i) result *= base;
    return result;
}

Colour Lit(const Colour& base, const Vector3& normal, double ambient, double shine, int sharpness) {
    double diffuse = std::max(0.0, Dot(normal, kLight));
    double specular = Power(std::max(0.0, Dot(normal, kHalfway)), sharpness);
    return base * (ambient + 0.75 * diffuse) + kWhite * (shine * specular);
}

Vector3 TubeNormal(double across, double sideX, double sideY) {
    double a = across < -1 ? -1 : (across > 1 ? 1 : across);
    return {sideX * a, sideY * a, std::sqrt(1 - a * a)};
}

}  // namespace

Colour RimShade(double across, double outwardX, double outwardY) {
    return Lit(kRimPurple, TubeNormal(across, outwardX, outwardY), 0.35, 0.85, 32);
}

Colour HandleShade(const Colour& base, double across, double sideX, double sideY) {
    return Lit(base, TubeNormal(across, sideX, sideY), 0.45, 0.55, 16);
}

}  // namespace zoomorb::pictures
