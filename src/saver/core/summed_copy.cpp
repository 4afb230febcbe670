#include "summed_copy.h"

#include <algorithm>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zoomorb::saver {
namespace {

constexpr uint32_t kTenBits = 0x3FF;

// Blue, green and red of a pixel in ten bits each, from bit 0, 10 and 20.
uint32_t Packed(const uint8_t* pixel) {
    return uint32_t{pixel[0]} | uint32_t{pixel[1]} << 10 | uint32_t{pixel[2]} << 20;
}

// The rows of a column sum: the running sum at `last`, less the one at
// `before` when the rows begin below their band's first row.
struct BandPart {
    const uint32_t* last;
    const uint32_t* before;  // null from the band's first row
};

}  // namespace

bool SummedCopy::Make(const forms::PixelRect& area) {
    sums_.reset();
    area_ = forms::PixelRect{};
    if (area.IsEmpty()) return false;
    // Left unset: nothing is read from a part before it has been stored.
    sums_.reset(new (std::nothrow) uint32_t[static_cast<size_t>(area.Width()) * static_cast<size_t>(area.Height())]);
    if (!sums_) return false;
    area_ = area;
    return true;
}

void SummedCopy::Store(const forms::PixelRect& part, const Pixels32& pixels) {
    forms::PixelRect shown = forms::Intersection(part, area_);
    shown.right = std::min(shown.right, part.left + pixels.width);
    shown.bottom = std::min(shown.bottom, part.top + pixels.height);
    if (shown.IsEmpty() || !sums_) return;
    const int32_t width = area_.Width();
    const int32_t columns = shown.Width();
    // A band at a time, its running sums carried down each column.
    for (int32_t top = shown.top; top < shown.bottom;) {
        const int32_t row = top - area_.top;
        const int32_t rows = std::min(shown.bottom - top, kBandRows - row % kBandRows);
        const uint8_t* const from = pixels.Pixel(shown.left - part.left, top - part.top);
        uint32_t* const to = sums_.get() + static_cast<std::ptrdiff_t>(row) * width + (shown.left - area_.left);
        // Below the band's first row (a part that breaks the rule) the sums
        // go on from the row above.
        const uint32_t* const above = row % kBandRows != 0 ? to - width : nullptr;
        int32_t x = 0;
#if defined(__SSE2__)
        const __m128i blue = _mm_set1_epi32(0xFF), green = _mm_set1_epi32(0xFF00), red = _mm_set1_epi32(0xFF0000);
        for (; x + 4 <= columns; x += 4) {
            __m128i sum = above ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(above + x)) : _mm_setzero_si128();
            for (int32_t r = 0; r < rows; ++r) {
                const uint8_t* const fourPixels = from + r * pixels.stride + x * 4;
                const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fourPixels));
                sum = _mm_add_epi32(sum, _mm_or_si128(_mm_and_si128(four, blue),
                                                      _mm_or_si128(_mm_slli_epi32(_mm_and_si128(four, green), 2),
                                                                   _mm_slli_epi32(_mm_and_si128(four, red), 4))));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(to + r * width + x), sum);
            }
        }
#endif
        for (; x < columns; ++x) {
            uint32_t sum = above ? above[x] : 0;
            for (int32_t r = 0; r < rows; ++r) to[r * width + x] = sum += Packed(from + r * pixels.stride + x * 4);
        }
        top += rows;
    }
}

void SummedCopy::ColumnSums(int32_t top, int32_t end, int32_t left, int32_t right, uint16_t* sums,
                            bool add) const {
    top = std::max(top, area_.top);
    end = std::min({end, area_.bottom, top + kMostSummedRows});
    const int32_t first = std::max(left, area_.left);
    const int32_t last = std::min(right, area_.right);
    if (first >= last) return;
    sums += std::ptrdiff_t{first - left} * 4;
    const int32_t columns = last - first;
    // Within one band the running sums only grow, so the difference of two
    // is the band's part without a borrow from one colour into the next.
    BandPart parts[kMostSummedRows / kBandRows + 2];
    int32_t partCount = 0;
    const int32_t width = area_.Width();
    const uint32_t* const firstColumn = sums_.get() + (first - area_.left);
    for (int32_t row = top - area_.top; row < end - area_.top;) {
        const int32_t partEnd = std::min(end - area_.top, (row / kBandRows + 1) * kBandRows);
        parts[partCount++] = BandPart{firstColumn + std::ptrdiff_t{partEnd - 1} * width,
                                      row % kBandRows != 0 ? firstColumn + std::ptrdiff_t{row - 1} * width : nullptr};
        row = partEnd;
    }
    int32_t x = 0;
#if defined(__SSE2__)
    // Blue and green go to the two halves of one 32-bit lane, red to a lane
    // of its own; interleaved they give the four 16-bit sums of a column.
    const __m128i tenBits = _mm_set1_epi32(kTenBits), greenPlace = _mm_set1_epi32(kTenBits << 16);
    for (; x + 4 <= columns; x += 4) {
        __m128i blueGreen = _mm_setzero_si128(), red = _mm_setzero_si128();
        for (int32_t i = 0; i < partCount; ++i) {
            __m128i part = _mm_loadu_si128(reinterpret_cast<const __m128i*>(parts[i].last + x));
            if (parts[i].before)
                part = _mm_sub_epi32(part, _mm_loadu_si128(reinterpret_cast<const __m128i*>(parts[i].before + x)));
            blueGreen = _mm_add_epi32(blueGreen, _mm_or_si128(_mm_and_si128(part, tenBits),
                                                              _mm_and_si128(_mm_slli_epi32(part, 6), greenPlace)));
            red = _mm_add_epi32(red, _mm_srli_epi32(part, 20));
        }
        __m128i low = _mm_unpacklo_epi32(blueGreen, red), high = _mm_unpackhi_epi32(blueGreen, red);
        __m128i* const to = reinterpret_cast<__m128i*>(sums + x * 4);
        if (add) {
            low = _mm_add_epi16(low, _mm_loadu_si128(to));
            high = _mm_add_epi16(high, _mm_loadu_si128(to + 1));
        }
        _mm_storeu_si128(to, low);
        _mm_storeu_si128(to + 1, high);
    }
#endif
    for (; x < columns; ++x) {
        uint32_t total[3] = {0, 0, 0};
        for (int32_t i = 0; i < partCount; ++i) {
            const uint32_t part = parts[i].last[x] - (parts[i].before ? parts[i].before[x] : 0);
            for (int channel = 0; channel < 3; ++channel) total[channel] += part >> (10 * channel) & kTenBits;
        }
        uint16_t* const to = sums + x * 4;
        for (int channel = 0; channel < 3; ++channel)
            to[channel] = static_cast<uint16_t>((add ? to[channel] : 0) + total[channel]);
        to[3] = 0;
    }
}

}  // namespace zoomorb::saver
