#include "area_average.h"

#include <algorithm>

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

// Adds the blue, green and red column sums [first, end) (four 16-bit values
// a column) to `total`. Two columns at a time, in 16 bits for as long as
// `pairsIn16Bits` pairs of columns fit, and only then in 32.
void AddColumns(const uint16_t* first, const uint16_t* end, int32_t pairsIn16Bits, uint32_t* total) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    __m128i sum = _mm_loadu_si128(reinterpret_cast<const __m128i*>(total));
    while (first != end) {
        __m128i pairs = zero;
        int32_t pair = 0;
        for (; pair < pairsIn16Bits && end - first >= 8; ++pair, first += 8)
            pairs = _mm_add_epi16(pairs, _mm_loadu_si128(reinterpret_cast<const __m128i*>(first)));
        if (pair < pairsIn16Bits && end - first == 4) {
            pairs = _mm_add_epi16(pairs, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(first)));
            first = end;
        }
        sum = _mm_add_epi32(sum, _mm_add_epi32(_mm_unpacklo_epi16(pairs, zero), _mm_unpackhi_epi16(pairs, zero)));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(total), sum);
#else
    static_cast<void>(pairsIn16Bits);
    for (; first != end; first += 4)
        for (int channel = 0; channel < 3; ++channel) total[channel] += first[channel];
#endif
}

// The column sums of `area`'s columns down rows [top, end) into `columns`,
// from every copy that holds some of them; zero where none does. False
// when none does at all (the rows lie above or below every monitor).
bool SumColumns(const std::vector<SummedCopy>& copies, const forms::PixelRect& area, int32_t top, int32_t end,
                std::vector<uint16_t>& columns) {
    bool written = false;
    for (const SummedCopy& copy : copies) {
        const forms::PixelRect& held = copy.Area();
        if (held.bottom <= top || held.top >= end || held.right <= area.left || held.left >= area.right) continue;
        // Usually one copy holds all of them. Several share the columns only
        // where monitors stand above one another or leave gaps: then the
        // sums start from zero and add up.
        const bool holdsAll =
            held.left <= area.left && held.right >= area.right && held.top <= top && held.bottom >= end;
        if (!written && !holdsAll) std::fill(columns.begin(), columns.end(), uint16_t{0});
        copy.ColumnSums(top, end, area.left, area.right, columns.data(), written || !holdsAll);
        written = true;
    }
    return written;
}

}  // namespace

void AverageArea(const std::vector<SummedCopy>& copies, const forms::PixelRect& area, const Pixels32& to,
                 AverageSums& sums) {
    if (to.width <= 0 || to.height <= 0 || area.IsEmpty()) return;
    sums.columns.resize(static_cast<size_t>(area.Width()) * 4);
    sums.blocks.resize(static_cast<size_t>(to.width) * 4);
    Blocks rows(area.Height(), to.height);
    Blocks columns(area.Width(), to.width);
    rows.Begin();
    for (int32_t v = 0; v < to.height; ++v, rows.Next()) {
        // In 32 bits: blocks of up to 16 million pixels (at 1 % the lens's
        // are 100 x 100).
        std::fill(sums.blocks.begin(), sums.blocks.end(), 0u);
        // Taller blocks than 16-bit sums allow are added up in parts.
        for (int32_t top = rows.Start(); top < rows.End(); top += SummedCopy::kMostSummedRows) {
            const int32_t end = std::min(rows.End(), top + SummedCopy::kMostSummedRows);
            if (!SumColumns(copies, area, area.top + top, area.top + end, sums.columns)) continue;
            // A column's sums are at most 255 for each row; a 16-bit lane
            // adds up every other column of the block.
            const int32_t pairsIn16Bits = 0xFFFF / ((end - top) * 255);
            columns.Begin();
            for (int32_t u = 0; u < to.width; ++u, columns.Next())
                AddColumns(&sums.columns[static_cast<size_t>(columns.Start()) * 4],
                           &sums.columns[static_cast<size_t>(columns.End()) * 4], pairsIn16Bits, &sums.blocks[u * 4]);
        }
        const uint32_t blockRows = static_cast<uint32_t>(rows.End() - rows.Start());
        uint8_t* target = to.Pixel(0, v);
        // Three divisions a pixel cost more than the rest of this loop: a
        // block has one of at most four sizes, whose reciprocal is kept. A
        // product with it is off the quotient by less than 2^-40 (sums
        // below 2^32, quotients up to 255), and a quotient's fraction is 0
        // or at least 1 / count, so adding 2^-30 before dropping the
        // fraction gives the exact rounded quotient.
        uint32_t count = 0;
        double reciprocal = 0;
        columns.Begin();
        for (int32_t u = 0; u < to.width; ++u, columns.Next(), target += 4) {
            const uint32_t blockCount = blockRows * static_cast<uint32_t>(columns.End() - columns.Start());
            if (blockCount != count) {
                count = blockCount;
                reciprocal = 1.0 / count;
            }
            for (int channel = 0; channel < 3; ++channel)
                target[channel] = static_cast<uint8_t>((sums.blocks[u * 4 + channel] + count / 2) * reciprocal +
                                                       0x1p-30);
            target[3] = 0;
        }
    }
}

}  // namespace zoomorb::saver
