#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "settings_dialog/core/gradient.h"

namespace zoomorb::settings_dialog {
namespace {

constexpr int32_t kPicHeight = 208;

std::tuple<int, int, int> Rgb(int32_t row, int32_t picHeight) {
    const RowColour c = GradientRowColour(row, picHeight);
    return {c.r, c.g, c.b};
}

TEST(SettingsDialogGradient, BandOverTheDesignPictureBox) {
    EXPECT_EQ(Rgb(0, kPicHeight), std::make_tuple(0, 0, 30));
    EXPECT_EQ(Rgb(1, kPicHeight), std::make_tuple(3, 3, 33));
    EXPECT_EQ(Rgb(50, kPicHeight), std::make_tuple(151, 151, 181));
    for (int row = 103; row <= 105; ++row) EXPECT_EQ(Rgb(row, kPicHeight), std::make_tuple(220, 220, 250)) << row;
    EXPECT_EQ(Rgb(150, kPicHeight), std::make_tuple(169, 169, 199));
    EXPECT_EQ(Rgb(207, kPicHeight), std::make_tuple(3, 3, 33));
}

TEST(SettingsDialogGradient, PictureBoxWithoutHeightDoesNotFail) {
    EXPECT_EQ(Rgb(0, 0), std::make_tuple(0, 0, 30));
    EXPECT_EQ(Rgb(10, 0), std::make_tuple(0, 0, 30));
}

TEST(SettingsDialogGradient, RowsRunFromZeroToTheClientHeightInclusive) {
    const std::vector<int32_t> rows = GradientRows(208);
    ASSERT_EQ(rows.size(), 209u);
    EXPECT_EQ(rows.front(), 0);
    EXPECT_EQ(rows.back(), 208);
    EXPECT_EQ(GradientRows(0), std::vector<int32_t>{0});
    EXPECT_TRUE(GradientRows(-1).empty());
}

}  // namespace
}  // namespace zoomorb::settings_dialog
