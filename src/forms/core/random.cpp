#include "random.h"

#include <cstring>

namespace forms {

void Random::Reseed(double seconds) {
    // Mix the bits of the single-precision clock value into the middle of the
    // state, keeping the low byte, so that reseeding twice within the same
    // clock tick yields the same sequence (as it always has).
    const float asSingle = static_cast<float>(seconds);
    uint32_t bits = 0;
    std::memcpy(&bits, &asSingle, sizeof bits);
    const uint32_t mixed = ((bits & 0xFFFF) ^ (bits >> 16)) << 8;
    state_ = (state_ & 0xFFu) | (mixed & 0xFFFF00u);
}

float Random::Next() {
    state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFFu;
    return static_cast<float>(state_) / 16777216.0f;
}

}  // namespace forms
