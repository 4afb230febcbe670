#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/core/runtime_error.h"
#include "pictures/key_colour_runs.h"

namespace zoomorb::pictures {
namespace {

constexpr uint32_t kRed = 0xFF0000;  // packed blue | green << 8 | red << 16
constexpr uint32_t kWhite = 0xFFFFFF;

// A bottom-up surface drawn from text rows given top row first: 'k' is the
// key red, '.' white, 'n' nearly red. Row padding is white, so a walk that
// read it as a pixel would report a run past the last column; the last row's
// padding is left out of the buffer, where the sanitizers catch a read.
struct Surface {
    int32_t width = 0, height = 0, stride = 0;
    std::vector<uint8_t> bits;

    explicit Surface(const std::vector<std::string>& rowsFromTop)
        : width(static_cast<int32_t>(rowsFromTop[0].size())),
          height(static_cast<int32_t>(rowsFromTop.size())),
          stride((width * 3 + 3) & ~3) {
        bits.assign(static_cast<size_t>(stride) * (height - 1) + width * 3, 0xFF);
        for (int32_t r = 0; r < height; ++r) {
            uint8_t* row = &bits[static_cast<size_t>(height - 1 - r) * stride];
            for (int32_t x = 0; x < width; ++x) {
                const char c = rowsFromTop[r][x];
                const uint32_t colour = c == 'k' ? kRed : c == 'n' ? 0xFA0000 : kWhite;
                row[x * 3] = static_cast<uint8_t>(colour);
                row[x * 3 + 1] = static_cast<uint8_t>(colour >> 8);
                row[x * 3 + 2] = static_cast<uint8_t>(colour >> 16);
            }
        }
    }
};

struct Span {
    int32_t row, start, end;
    bool operator==(const Span& o) const { return row == o.row && start == o.start && end == o.end; }
};

std::vector<Span> Walk(const Surface& s, std::optional<uint32_t> key, uint32_t* used = nullptr) {
    std::vector<Span> runs;
    const uint32_t k = WalkNonKeyRuns(s.bits.data(), s.width, s.height, s.stride, key,
                                      [&](int32_t row, int32_t start, int32_t end) {
                                          runs.push_back({row, start, end});
                                      });
    if (used) *used = k;
    return runs;
}

TEST(SaverKeyRuns, NoKeyPixelGivesWholeRowsAndAllKeyGivesNothing) {
    const Surface plain({"...", "..."});
    EXPECT_EQ(Walk(plain, kRed), (std::vector<Span>{{1, 0, 3}, {0, 0, 3}}));
    EXPECT_TRUE(Walk(Surface({"kkk", "kkk"}), kRed).empty());
}

TEST(SaverKeyRuns, RunsAreMaximalAndMapBottomUpRows) {
    // Top row distinct from the bottom one, so a flipped row order shows.
    const Surface glass({"k.k.",
                         "kkk.",
                         "nn.k"});
    EXPECT_EQ(Walk(glass, kRed),
              (std::vector<Span>{{2, 0, 3}, {1, 3, 4}, {0, 1, 2}, {0, 3, 4}}));
}

TEST(SaverKeyRuns, PaddingIsNeverRead) {
    EXPECT_EQ(Walk(Surface({"..k", "k.k"}), kRed), (std::vector<Span>{{1, 1, 2}, {0, 0, 2}}));
}

TEST(SaverKeyRuns, KeyFromTheBottomLeftPixel) {
    const Surface picture({".k", "k."});
    uint32_t used = 0;
    EXPECT_EQ(Walk(picture, std::nullopt, &used), (std::vector<Span>{{1, 1, 2}, {0, 0, 1}}));
    EXPECT_EQ(used, kRed);

    // An explicit key of 1 is a colour like any other, not a request.
    EXPECT_EQ(Walk(picture, 1u, &used).size(), 2u);
    EXPECT_EQ(used, 1u);
}

TEST(SaverKeyRuns, EmptySurfaces) {
    const KeyRunVisitor none = [](int32_t, int32_t, int32_t) { FAIL(); };
    EXPECT_EQ(WalkNonKeyRuns(nullptr, 0, 5, 0, kRed, none), kRed);
    for (auto [width, height] : {std::pair{0, 3}, std::pair{3, 0}}) {
        try {
            WalkNonKeyRuns(nullptr, width, height, 12, std::nullopt, none);
            ADD_FAILURE() << "no error for " << width << "x" << height;
        } catch (const forms::RuntimeError& error) {
            EXPECT_EQ(error.Number(), forms::ErrorNumber::SubscriptOutOfRange);
        }
    }
}

}  // namespace
}  // namespace zoomorb::pictures
