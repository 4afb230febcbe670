#include "area_average.h"

#include <algorithm>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zoomorb::saver {
namespace {

// The blocks into which `size` pixels are cut for `count` target pixels:
// block i runs from floor(i * size / count) up to the next block's start,
// and is never empty (an area smaller than its target repeats pixels
// rather than leave holes). Walked in order, without a division per block.
class Blocks {
public:
    Blocks(int32_t size, int32_t count) : count_(count), step_(size / count), rest_(size % count) {}
    int32_t Start() const { return start_; }
    int32_t End() const { return std::max(next_, start_ + 1); }
    void Next() {
        start_ = next_;
        Advance();
    }
    void Begin() {
        start_ = 0;
        next_ = 0;
        remainder_ = 0;
        Advance();
    }

private:
    void Advance() {
        next_ += step_;
        remainder_ += rest_;
        if (remainder_ >= count_) {
            remainder_ -= count_;
            ++next_;
        }
    }
    int32_t count_, step_, rest_;
    int32_t start_ = 0, next_ = 0, remainder_ = 0;
};

// Adds up `rows` rows of `bytes` bytes, `stride` apart, byte by byte into
// `sums` (which it overwrites). This is the one loop that touches every
// pixel of the source, so with 16-bit sums it adds sixteen columns at once,
// down all the rows in registers: written out, since the program is built
// for size, which leaves loops as they are.
template <typename Sum>
void AddRows(const uint8_t* first, std::ptrdiff_t stride, int32_t rows, int32_t bytes, Sum* sums) {
    int32_t column = 0;
#if defined(__SSE2__)
    if constexpr (sizeof(Sum) == 2) {
        const __m128i zero = _mm_setzero_si128();
        for (; column + 16 <= bytes; column += 16) {
            __m128i low = zero, high = zero;
            const uint8_t* source = first + column;
            const uint8_t* const end = source + rows * stride;
            for (; source != end; source += stride) {
                const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
                low = _mm_add_epi16(low, _mm_unpacklo_epi8(sixteen, zero));
                high = _mm_add_epi16(high, _mm_unpackhi_epi8(sixteen, zero));
            }
            _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + column), low);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + column + 8), high);
        }
    }
#endif
    for (; column < bytes; ++column) {
        Sum sum = 0;
        const uint8_t* source = first + column;
        for (int32_t row = 0; row < rows; ++row, source += stride) sum = static_cast<Sum>(sum + *source);
        sums[column] = sum;
    }
}

// The blue, green and red sums of the pixels [first, end) of a row of sums.
template <typename Sum>
void AddColumns(const Sum* first, const Sum* end, uint32_t (&total)[4]) {
#if defined(__SSE2__)
    if constexpr (sizeof(Sum) == 2) {
        const __m128i zero = _mm_setzero_si128();
        __m128i sum = zero;
        for (; first != end; first += 4)
            sum = _mm_add_epi32(sum, _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(first)), zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(total), sum);
        return;
    }
#endif
    total[0] = total[1] = total[2] = 0;
    for (; first != end; first += 4) {
        total[0] += first[0];
        total[1] += first[1];
        total[2] += first[2];
    }
}

// One row of the target at a time: the area's rows of its blocks added up
// column by column into `Sum`s, then each block's columns of those sums.
template <typename Sum>
void Average(const Pixels32& from, const forms::PixelRect& area, const Pixels32& to, std::vector<Sum>& columnSums) {
    // The columns of the area that `from` has; the rest is black and adds 0.
    const int32_t firstColumn = std::max(area.left, 0);
    const int32_t shownBytes = std::max(std::min(area.right, from.width) - firstColumn, 0) * 4;
    columnSums.assign(static_cast<size_t>(area.Width()) * 4, Sum{0});
    Sum* const shownSums = columnSums.data() + std::ptrdiff_t{firstColumn - area.left} * 4;
    Blocks rows(area.Height(), to.height);
    Blocks columns(area.Width(), to.width);
    rows.Begin();
    for (int32_t v = 0; v < to.height; ++v, rows.Next()) {
        const int32_t firstRow = std::max(area.top + rows.Start(), 0);
        const int32_t shownRows = std::max(std::min(area.top + rows.End(), from.height) - firstRow, 0);
        if (shownBytes > 0) AddRows(from.Pixel(firstColumn, firstRow), from.stride, shownRows, shownBytes, shownSums);
        const uint32_t blockRows = static_cast<uint32_t>(rows.End() - rows.Start());
        uint8_t* target = to.Pixel(0, v);
        columns.Begin();
        for (int32_t u = 0; u < to.width; ++u, columns.Next(), target += 4) {
            uint32_t total[4];
            AddColumns(&columnSums[static_cast<size_t>(columns.Start()) * 4],
                       &columnSums[static_cast<size_t>(columns.End()) * 4], total);
            const uint32_t count = blockRows * static_cast<uint32_t>(columns.End() - columns.Start());
            for (int channel = 0; channel < 3; ++channel)
                target[channel] = static_cast<uint8_t>((total[channel] + count / 2) / count);
            target[3] = 0;
        }
    }
}

}  // namespace

void AverageArea(const Pixels32& from, const forms::PixelRect& area, const Pixels32& to,
                 std::vector<uint16_t>& narrowSums, std::vector<uint32_t>& wideSums) {
    if (to.width <= 0 || to.height <= 0 || area.IsEmpty()) return;
    // Rows in the tallest block: up to 257 rows of 255 fit 16 bits.
    const int32_t tallestBlock = (area.Height() + to.height - 1) / to.height;
    if (int64_t{tallestBlock} * 255 <= std::numeric_limits<uint16_t>::max())
        Average(from, area, to, narrowSums);
    else
        Average(from, area, to, wideSums);
}

}  // namespace zoomorb::saver
