#pragma once
// The uniform generator the forms draw from: reseeded from the time of day,
// each draw a number in [0, 1). A 24-bit linear congruential generator, like
// the one screen savers of this kind have always used: cheap, and plenty for
// picking speeds and directions.

#include <cstdint>

namespace forms {

class Random {
public:
    // Reseeds from a number of seconds (normally the seconds since midnight).
    void Reseed(double seconds);
    // Next draw, uniform in [0, 1).
    float Next();

private:
    uint32_t state_ = 0x50000;
};

}  // namespace forms
