#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "dib/core/scan_line.h"
#include "forms/core/runtime_error.h"

namespace zoomorb::dib {
namespace {

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

int ErrorOf(void (*action)()) {
    try {
        action();
    } catch (const forms::RuntimeError& error) {
        return error.Code();
    }
    return 0;
}

TEST(DibScanLine, RowsArePaddedToWholeDwords) {
    EXPECT_EQ(BytesPerScanLine(0), 0);
    EXPECT_EQ(BytesPerScanLine(1), 4);
    EXPECT_EQ(BytesPerScanLine(2), 8);
    EXPECT_EQ(BytesPerScanLine(3), 12);
    EXPECT_EQ(BytesPerScanLine(4), 12);
    EXPECT_EQ(BytesPerScanLine(203), 612);
}

TEST(DibScanLine, WidthWhoseRowLeavesTheInt32RangeOverflows) {
    // 3 * 715827881 + 3 = 2147483646 still fits; one pixel more does not.
    EXPECT_EQ(BytesPerScanLine(715827881), 2147483644);
    EXPECT_EQ(ErrorOf([] { BytesPerScanLine(715827882); }), 6);
    EXPECT_EQ(ErrorOf([] { BytesPerScanLine(kInt32Max); }), 6);
}

TEST(DibScanLine, ImageSizeIsHeightRowsAndOverflowsPastInt32) {
    EXPECT_EQ(ImageSize(203, 197), 612 * 197);
    EXPECT_EQ(ImageSize(0, 197), 0);
    EXPECT_EQ(ImageSize(203, 0), 0);
    // 612 * 3508960 = 2147483520 fits; one row more exceeds 2^31 - 1.
    EXPECT_EQ(ImageSize(203, 3508960), 2147483520);
    EXPECT_EQ(ErrorOf([] { ImageSize(203, 3508961); }), 6);
    EXPECT_EQ(ErrorOf([] { ImageSize(715827882, 1); }), 6);
}

}  // namespace
}  // namespace zoomorb::dib
