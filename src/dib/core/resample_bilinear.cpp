#include "resample_bilinear.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "forms/core/numbers.h"
#include "forms/core/runtime_error.h"

namespace zoomorb::dib {

namespace {

// Where one target column (or row) samples the source: the lower of the two
// source neighbours and the weight of the upper one.
struct Sample {
    int32_t index;
    float fraction;
    float complement;  // 1 - fraction, in single precision like the rest
};

// The factor is a quotient of whole numbers stored in single precision, and
// each position a product of that factor and a whole number, again stored in
// single precision: the positions (and with them which pixels meet where)
// must not drift with the compiler's choice of intermediate precision.
// Every sample is checked here, before the caller writes anything, so a
// missing neighbour leaves the target untouched.
std::vector<Sample> SamplesAlong(int32_t sourceSize, int32_t targetSize) {
    const float factor = static_cast<float>((static_cast<double>(sourceSize) - 1) / targetSize);
    std::vector<Sample> samples(static_cast<size_t>(targetSize));
    for (int32_t t = 0; t < targetSize; ++t) {
        const float position = static_cast<float>(static_cast<double>(factor) * t);
        const float lower = std::floor(position);
        if (!(lower >= 0.0f && static_cast<double>(lower) + 1 < sourceSize)) {
            forms::Raise(forms::ErrorNumber::SubscriptOutOfRange);
        }
        const float fraction = position - lower;
        samples[static_cast<size_t>(t)] = {static_cast<int32_t>(lower), fraction, 1.0f - fraction};
    }
    return samples;
}

// Each product and sum is its own statement so that it is rounded to single
// precision on its own and never fused into a multiply-add: the halves that
// then round to even must come out the same on every build.
float Blend(float lowerWeight, float lowerValue, float upperWeight, float upperValue) {
    const float lowerPart = lowerWeight * lowerValue;
    const float upperPart = upperWeight * upperValue;
    const float sum = lowerPart + upperPart;
    return static_cast<float>(forms::RoundHalfEven(sum));
}

uint8_t ToByte(float value) { return static_cast<uint8_t>(std::clamp(value, 0.0f, 255.0f)); }

}  // namespace

void ResampleBilinear(const SurfaceView& source, const SurfaceView& target) {
    if (!target.HasPixels()) return;
    const int32_t sourceWidth = source.bits != nullptr ? source.width : 0;
    const int32_t sourceHeight = source.bits != nullptr ? source.height : 0;
    const std::vector<Sample> columns = SamplesAlong(sourceWidth, target.width);
    const std::vector<Sample> rows = SamplesAlong(sourceHeight, target.height);

    for (int32_t y = 0; y < target.height; ++y) {
        const Sample& row = rows[static_cast<size_t>(y)];
        const uint8_t* below = source.Row(row.index);
        const uint8_t* above = source.Row(row.index + 1);
        uint8_t* out = target.Row(y);
        for (const Sample& column : columns) {
            const std::ptrdiff_t left = static_cast<std::ptrdiff_t>(column.index) * kBytesPerPixel;
            const std::ptrdiff_t right = left + kBytesPerPixel;
            for (int c = kBlue; c <= kRed; ++c) {
                const float leftValue = Blend(row.complement, below[left + c], row.fraction, above[left + c]);
                const float rightValue = Blend(row.complement, below[right + c], row.fraction, above[right + c]);
                out[c] = ToByte(Blend(column.complement, leftValue, column.fraction, rightValue));
            }
            out += kBytesPerPixel;
        }
    }
}

}  // namespace zoomorb::dib
