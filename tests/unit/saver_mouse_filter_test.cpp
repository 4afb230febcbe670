#include <gtest/gtest.h>

#include <vector>

#include "saver/core/mouse_filter.h"

namespace zoomorb::saver {
namespace {

struct Step {
    MouseInput input;
    bool passes;
};

constexpr MouseInput Press(MouseButton button, bool overOurDialog = false) {
    return MouseInput{MouseAction::Press, button, overOurDialog};
}
constexpr MouseInput Release(MouseButton button, bool overOurDialog = false) {
    return MouseInput{MouseAction::Release, button, overOurDialog};
}
constexpr MouseInput Other(bool overOurDialog) { return MouseInput{MouseAction::Other, MouseButton::Left, overOurDialog}; }

TEST(SaverMouseFilter, ReleasesFollowTheirPressesAndOnlyOurDialogGetsTheRest) {
    using B = MouseButton;
    const struct {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"a click while the saver runs", {{Press(B::Left), false}, {Release(B::Left), false}}},
        {"a button held from before the saver", {{Release(B::Right), true}, {Press(B::Right), false}}},
        {"pressed on our dialog, released beside it", {{Press(B::X2, true), true}, {Release(B::X2), true}}},
        {"pressed beside our dialog, released on it", {{Press(B::Middle), false}, {Release(B::Middle, true), false}}},
        {"a stray click, then a click on our dialog",
         {{Press(B::Left), false},
          {Release(B::Left), false},
          {Press(B::Left, true), true},
          {Release(B::Left, true), true}}},
        {"each button on its own",
         {{Press(B::X1), false}, {Release(B::X2), true}, {Release(B::Left), true}, {Release(B::X1), false}}},
        {"moves and wheel turns", {{Other(false), false}, {Other(true), true}}},
    };
    for (const auto& c : cases) {
        MouseFilter filter;
        for (size_t i = 0; i < c.steps.size(); ++i)
            EXPECT_EQ(filter.Passes(c.steps[i].input), c.steps[i].passes) << c.name << ", step " << i;
    }
}

}  // namespace
}  // namespace zoomorb::saver
