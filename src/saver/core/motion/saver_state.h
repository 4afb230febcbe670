#pragma once
// The state of the saver window's two motions, and how it starts.
//
// Positions and velocities are 32-bit: 16-bit twips overflow on screens wider
// or taller than about 2184 pixels (every 4K and most 1440p screens).

#include <cstdint>

#include "forms/core/random.h"
#include "forms/core/units.h"
#include "saver/core/motion/screen_metrics.h"

namespace zoomorb::saver {

// The window: its top-left corner on the screen and its velocity per window
// tick, all in twips. A velocity is never 0.
struct LensMotion {
    int32_t left = 0;
    int32_t top = 0;
    int32_t stepX = 0;
    int32_t stepY = 0;
};

// The cursor's circle, in screen pixels. The centre drifts one pixel per
// cursor tick along each axis; the step counts 6-degree steps around the
// circle, up while `reverse` is false (clockwise on screen), down otherwise.
struct OrbitMotion {
    int32_t radius = 0;
    int64_t step = 0;
    bool reverse = false;
    int32_t centreX = 0;
    int32_t centreY = 0;
    int32_t driftX = 1;  // +1 or -1
    int32_t driftY = 1;
    int32_t lastDriftX = 1;  // the drift in force before the latest bounce
    int32_t lastDriftY = 1;
};

struct SaverState {
    LensMotion lens;
    OrbitMotion orbit;
};

// The state the saver starts from: the window centred for its design size,
// random speeds of 3 to 10 pixels in random directions, the circle at the
// screen centre with a radius of a fifteenth of the screen width and a random
// diagonal drift. The generator is reseeded twice from `secondsSinceMidnight`:
// once before the four speed draws, once before the drift draw.
SaverState SetUpSaverState(const ScreenMetrics& screen, forms::Twips windowWidth, forms::Twips windowHeight,
                           forms::Random& random, double secondsSinceMidnight);

}  // namespace zoomorb::saver
