#include "sunset.h"

#include <cmath>
#include <cstdint>

namespace zoomorb::pictures {

namespace {

constexpr double kHorizon = 0.16;
constexpr double kSunU = 0.12, kSunV = kHorizon + 0.07, kSunRadius = 0.27;

const std::vector<RampStop> kSky = {
    {0.00, {34, 26, 88}},    {0.35, {106, 48, 126}}, {0.62, {212, 84, 98}},
    {0.84, {250, 150, 72}},  {1.00, {255, 212, 122}},
};
const std::vector<RampStop> kSea = {
    {0.00, {128, 62, 108}}, {0.25, {64, 38, 92}}, {0.60, {28, 28, 78}}, {1.00, {12, 16, 50}},
};
const Colour kSunCore{255, 246, 196}, kSunRim{255, 196, 104};
const Colour kGlow{255, 178, 96};
const Colour kSilhouette{46, 22, 58};
const Colour kCloudShade{118, 48, 108}, kCloudLit{255, 168, 120};
const Colour kGlitter{255, 196, 100};

struct Cloud {
    double u, v, halfLength, halfThickness;
};
const Cloud kClouds[] = {
    {-0.46, -0.44, 0.46, 0.055}, {0.38, -0.58, 0.36, 0.045}, {-0.08, -0.24, 0.52, 0.038},
    {0.58, -0.10, 0.30, 0.030},  {-0.62, -0.06, 0.26, 0.026},
};

// A small integer hash: the sea's glitter pattern must be the same on every
// machine, so no library random numbers here.
uint32_t Hash(uint32_t n) {
    n ^= n >> 16;
    n *= 0x7FEB352Du;
    n ^= n >> 15;
    n *= 0x846CA68Bu;
    n ^= n >> 16;
    return n;
}

double HashUnit(uint32_t n) { return (Hash(n) & 0xFFFF) / 65535.0; }

double DistanceToSegment(double u, double v, double u0, double v0, double u1, double v1) {
    double du = u1 - u0, dv = v1 - v0;
    double t = Clamp01(((u - u0) * du + (v - v0) * dv) / (du * du + dv * dv));
    double eu = u - (u0 + t * du), ev = v - (v0 + t * dv);
    return std::sqrt(eu * eu + ev * ev);
}

bool OnBird(double u, double v, double atU, double atV, double span) {
    const double width = 0.018;
    return DistanceToSegment(u, v, atU - span, atV - span * 0.45, atU, atV) < width ||
           DistanceToSegment(u, v, atU, atV, atU + span, atV - span * 0.45) < width;
}

Colour Sky(double u, double v) {
    Colour sky = Ramp(kSky, (v + 1) / (kHorizon + 1));
    double du = u - kSunU, dv = v - kSunV;
    double sunDistance = std::sqrt(du * du + dv * dv);
    double glow = 1 - sunDistance / 0.95;
    if (glow > 0) sky = Mix(sky, kGlow, 0.55 * glow * glow);
    if (sunDistance < kSunRadius) {
        double edge = sunDistance / kSunRadius;
        return Mix(kSunCore, kSunRim, edge * edge);
    }
    for (const Cloud& c : kClouds) {
        double cu = (u - c.u) / c.halfLength, cv = (v - c.v) / c.halfThickness;
        double reach = std::sqrt(cu * cu + cv * cv);
        if (reach >= 1) continue;
        // Lit from below by the low sun: the lower edge glows.
        Colour cloud = Mix(kCloudShade, kCloudLit, SmoothStep(-0.6, 1.0, cv));
        sky = Mix(sky, cloud, 0.85 * SmoothStep(1.0, 0.55, reach));
    }
    if (OnBird(u, v, -0.52, -0.70, 0.07) || OnBird(u, v, -0.34, -0.78, 0.05)) return kSilhouette;
    return sky;
}

bool OnHeadland(double u, double v) {
    double x = (u + 0.78) / 0.34;
    return x > -1 && x < 1 && v < kHorizon + 0.004 && v > kHorizon - 0.11 * (1 - x * x) * (1 + 0.3 * x);
}

bool OnBoat(double u, double v) {
    const double mast = 0.58;
    bool hull = v > kHorizon - 0.025 && v < kHorizon + 0.005 && std::fabs(u - mast) < 0.075 - (v - kHorizon + 0.025);
    bool sail = v < kHorizon - 0.03 && v > kHorizon - 0.19 && u > mast - 0.002 &&
                u < mast + 0.09 * (v - (kHorizon - 0.19)) / 0.16;
    bool jib = v < kHorizon - 0.03 && v > kHorizon - 0.16 && u < mast - 0.012 &&
               u > mast - 0.012 - 0.05 * (v - (kHorizon - 0.16)) / 0.13;
    return hull || sail || jib;
}

Colour Sea(double u, double v) {
    double depth = (v - kHorizon) / (1 - kHorizon);
    Colour sea = Ramp(kSea, depth);
    double fromSun = std::fabs(u - kSunU);
    double warmth = 1 - fromSun / 0.7;
    if (warmth > 0) sea = Mix(sea, kGlow, 0.35 * warmth * (1 - depth));
    // The sun's path on the water: broken horizontal streaks that widen
    // towards the viewer.
    double rows = (v - kHorizon) * 34;
    int band = static_cast<int>(rows);
    double within = rows - band;
    if (within < 0.62) {
        double halfWidth = (0.07 + 0.3 * depth) * (0.35 + 0.65 * HashUnit(band * 2 + 1));
        double shift = (HashUnit(band * 2 + 2) - 0.5) * 0.12;
        if (std::fabs(u - kSunU - shift) < halfWidth) sea = Mix(sea, kGlitter, 0.85 - 0.45 * depth);
    }
    return sea;
}

}  // namespace

Colour SunsetAt(double u, double v) {
    if (OnHeadland(u, v) || OnBoat(u, v)) return kSilhouette;
    return v < kHorizon ? Sky(u, v) : Sea(u, v);
}

}  // namespace zoomorb::pictures
