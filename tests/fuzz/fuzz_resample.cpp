// Resamples random small pictures to random sizes. The pixel memory of each
// surface is its own heap block of exactly its size, so AddressSanitizer sees
// any step past a surface; the target's row padding must come out as it went in.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "dib/core/resample_bilinear.h"
#include "dib/core/scan_line.h"

namespace {

constexpr uint8_t kPadding = 0x5A;

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t Next() { return position_ < size_ ? data_[position_++] : 0; }
    int32_t InRange(int32_t low, int32_t high) { return low + Next() % (high - low + 1); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zoomorb::dib;
    Input input(data, size);
    const int32_t sourceWidth = input.InRange(2, 64);
    const int32_t sourceHeight = input.InRange(2, 64);
    const int32_t targetWidth = input.InRange(1, 64);
    const int32_t targetHeight = input.InRange(1, 64);

    std::vector<uint8_t> sourceMemory(static_cast<size_t>(ImageSize(sourceWidth, sourceHeight)));
    for (uint8_t& byte : sourceMemory) byte = input.Next();
    std::vector<uint8_t> targetMemory(static_cast<size_t>(ImageSize(targetWidth, targetHeight)), kPadding);

    const SurfaceView source{sourceMemory.data(), sourceWidth, sourceHeight, BytesPerScanLine(sourceWidth)};
    const SurfaceView target{targetMemory.data(), targetWidth, targetHeight, BytesPerScanLine(targetWidth)};
    ResampleBilinear(source, target);

    for (int32_t m = 0; m < targetHeight; ++m)
        for (int32_t i = targetWidth * kBytesPerPixel; i < target.bytesPerScanLine; ++i)
            if (target.Row(m)[i] != kPadding) std::abort();
    return 0;
}
