// Feeds the key-colour run walk surfaces built from fuzz input and checks
// that the runs it reports cover exactly the pixels that are not the key,
// each run as long as it can be.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "forms/core/runtime_error.h"
#include "pictures/key_colour_runs.h"

namespace {

// Input layout: width, height, a flags byte (bit 0: take the key from the
// picture), three colour bytes, then one byte per pixel, reused cyclically.
// An odd pixel byte gives the colour itself; an even one changes one of its
// bytes, so the walk meets colours that differ from the key in one channel.
constexpr size_t kHeaderSize = 6;
constexpr int32_t kMaxSide = 64;

void Check(bool condition) {
    if (!condition) std::abort();
}

struct Span {
    int32_t row, start, end;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using zoomorb::pictures::PackedPixel;
    if (size < kHeaderSize) return 0;
    const int32_t width = data[0] % (kMaxSide + 1);
    const int32_t height = data[1] % (kMaxSide + 1);
    const bool keyFromPicture = data[2] & 1;
    const uint8_t* colour = data + 3;
    const uint8_t* pixelBytes = data + kHeaderSize;
    const size_t pixelByteCount = size - kHeaderSize;

    const int32_t stride = (width * 3 + 3) & ~3;
    // The last row's padding is left out, so reading it is an overflow the
    // sanitizer reports; the other rows' padding holds the colour itself.
    const size_t bufferSize =
        height == 0 ? 0
                    : static_cast<size_t>(stride) * (height - 1) + static_cast<size_t>(width) * 3;
    std::vector<uint8_t> bits(bufferSize);
    for (size_t i = 0; i < bufferSize; ++i) bits[i] = colour[(i % static_cast<size_t>(stride)) % 3];
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t x = 0; x < width; ++x) {
            const size_t index = static_cast<size_t>(row) * width + x;
            const uint8_t b = pixelByteCount == 0 ? 1 : pixelBytes[index % pixelByteCount];
            uint8_t* pixel = &bits[static_cast<size_t>(row) * stride + static_cast<size_t>(x) * 3];
            if ((b & 1) == 0) pixel[(b >> 1) % 3] ^= static_cast<uint8_t>((b >> 3) | 1);
        }
    }

    std::optional<uint32_t> key;
    if (!keyFromPicture) key = PackedPixel(colour);
    std::vector<Span> spans;
    uint32_t used = 0;
    try {
        used = zoomorb::pictures::WalkNonKeyRuns(
            bits.data(), width, height, stride, key,
            [&](int32_t row, int32_t start, int32_t end) { spans.push_back({row, start, end}); });
    } catch (const forms::RuntimeError& error) {
        Check(keyFromPicture && (width == 0 || height == 0));
        Check(error.Number() == forms::ErrorNumber::SubscriptOutOfRange);
        return 0;
    }
    Check(used == (keyFromPicture ? PackedPixel(bits.data()) : *key));

    auto isKey = [&](int32_t row, int32_t x) {
        return PackedPixel(&bits[static_cast<size_t>(height - 1 - row) * stride +
                                 static_cast<size_t>(x) * 3]) == used;
    };
    std::vector<int32_t> coveredPerRow(static_cast<size_t>(height), 0);
    for (const Span& span : spans) {
        Check(span.row >= 0 && span.row < height);
        Check(0 <= span.start && span.start < span.end && span.end <= width);
        for (int32_t x = span.start; x < span.end; ++x) Check(!isKey(span.row, x));
        Check(span.start == 0 || isKey(span.row, span.start - 1));
        Check(span.end == width || isKey(span.row, span.end));
        coveredPerRow[static_cast<size_t>(span.row)] += span.end - span.start;
    }
    for (int32_t row = 0; row < height; ++row) {
        int32_t nonKey = 0;
        for (int32_t x = 0; x < width; ++x) nonKey += !isKey(row, x);
        Check(coveredPerRow[static_cast<size_t>(row)] == nonKey);
    }
    return 0;
}
