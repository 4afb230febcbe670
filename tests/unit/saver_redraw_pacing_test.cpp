#include <gtest/gtest.h>

#include "saver/core/lens/redraw_pacing.h"

namespace zoomorb::saver {
namespace {

TEST(SaverRedrawPacing, AfterARedrawTheViewRestsAsLongAsItTook) {
    const struct {
        double start, end, now;
        bool due;
    } cases[] = {
        {0, 2, 20, true},      // a quick redraw: the next tick draws
        {0, 2, 3.9, false},
        {0, 60, 100, false},   // slower than the 20 ms interval: ticks are skipped
        {0, 60, 120, true},
        {0, 160, 319, false},
    };
    RedrawPacing fresh;
    EXPECT_TRUE(fresh.IsDue(0)) << "the first tick draws";
    for (const auto& c : cases) {
        RedrawPacing pacing;
        pacing.Drew(c.start, c.end);
        EXPECT_EQ(pacing.IsDue(c.now), c.due) << c.start << ".." << c.end << " at " << c.now;
    }
}

}  // namespace
}  // namespace zoomorb::saver
