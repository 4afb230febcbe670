#include <gtest/gtest.h>

#include "forms/core/units.h"
#include "settings_dialog/core/dialog_layout.h"

namespace zoomorb::settings_dialog {
namespace {

void ExpectSize(const DesignRect& rect, int32_t width, int32_t height) {
    EXPECT_EQ(rect.width, width);
    EXPECT_EQ(rect.height, height);
}

// A move onto a monitor of another scale lays the dialog out at the new DPI:
// its sizes are the design's times DPI / 96, and the places the engine
// computes from the twips it keeps come out the same.
TEST(SettingsDialogLayout, ADpiChangeGivesTheSizesAtTheNewDpi) {
    const struct {
        int32_t dpi;
        int32_t clientWidth, clientHeight;
        int32_t barWidth, barHeight;
        int32_t okWidth, okHeight;
        int32_t pictureWidth, pictureHeight;
    } cases[] = {
        {96, 378, 208, 113, 17, 77, 21, 124, 132},  {120, 472, 260, 141, 21, 96, 26, 155, 165},
        {144, 567, 312, 170, 26, 116, 32, 186, 198}, {192, 756, 416, 226, 34, 154, 42, 248, 264},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " DPI");
        const DialogLayout layout = LayoutAtDpi(c.dpi);
        ExpectSize(layout.background, c.clientWidth, c.clientHeight);
        ExpectSize(layout.scrollBar, c.barWidth, c.barHeight);
        ExpectSize(layout.okButton, c.okWidth, c.okHeight);
        ExpectSize(layout.picture, c.pictureWidth, c.pictureHeight);
        for (const auto& [design, scaled] : {std::pair{kDialogDesign.credit, layout.credit},
                                              std::pair{kDialogDesign.okButton, layout.okButton},
                                              std::pair{kDialogDesign.value, layout.value}}) {
            EXPECT_EQ(forms::TwipsToPixels(forms::DesignToTwips(design.left), c.dpi), scaled.left);
            EXPECT_EQ(forms::TwipsToPixels(forms::DesignToTwips(design.width), c.dpi), scaled.width);
        }
    }
}

}  // namespace
}  // namespace zoomorb::settings_dialog
