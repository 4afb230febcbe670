#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>

#include "saver/core/motion/lens_speed.h"
#include "saver/core/motion/saver_state.h"

namespace zoomorb::saver {
namespace {

ScreenMetrics Screen(int32_t widthPixels, int32_t heightPixels, float twipsPerPixel = 15.0f) {
    return {forms::Twips{static_cast<int32_t>(widthPixels * twipsPerPixel)},
            forms::Twips{static_cast<int32_t>(heightPixels * twipsPerPixel)}, twipsPerPixel, twipsPerPixel};
}

SaverState StartOn(const ScreenMetrics& screen, double seconds = 1234.5) {
    forms::Random random;
    return SetUpSaverState(screen, forms::Twips{4380}, forms::Twips{3120}, random, seconds);
}

TEST(SaverSetUp, CentresTheWindowAndTheCircle) {
    const SaverState state = StartOn(Screen(1024, 768));
    EXPECT_EQ(state.lens.left, 5490);
    EXPECT_EQ(state.lens.top, 4200);
    EXPECT_EQ(state.orbit.radius, 68);
    EXPECT_EQ(state.orbit.centreX, 512);
    EXPECT_EQ(state.orbit.centreY, 384);
    EXPECT_EQ(state.orbit.step, 0);
    EXPECT_FALSE(state.orbit.reverse);
    EXPECT_EQ(state.orbit.lastDriftX, state.orbit.driftX);
    EXPECT_EQ(state.orbit.lastDriftY, state.orbit.driftY);

    EXPECT_EQ(StartOn(Screen(800, 600)).orbit.radius, 53);
    EXPECT_EQ(StartOn(Screen(1280, 1024)).orbit.radius, 85);
}

TEST(SaverSetUp, LargeAndHighDensityScreensStayCentred) {
    const SaverState fourK = StartOn(Screen(3840, 2160));
    EXPECT_EQ(fourK.lens.left, (57600 - 4380) / 2);
    EXPECT_EQ(fourK.orbit.centreX, 1920);

    // At 192 DPI a pixel is 7.5 twips, which must not be taken as 8.
    const SaverState dense = StartOn(Screen(3840, 2160, 7.5f));
    EXPECT_EQ(dense.orbit.centreX, 1920);
    EXPECT_EQ(dense.orbit.centreY, 1080);
    EXPECT_EQ(dense.orbit.radius, 256);
}

TEST(SaverSetUp, SpeedsAreThreeToTenPixelsInEitherDirection) {
    std::set<int32_t> stepsX, stepsY;
    std::set<std::pair<int32_t, int32_t>> drifts;
    for (int second = 0; second < 2000; ++second) {
        const SaverState state = StartOn(Screen(1024, 768), second + 0.25);
        for (int32_t step : {state.lens.stepX, state.lens.stepY}) {
            ASSERT_EQ(step % 15, 0) << step;
            ASSERT_GE(std::abs(step), 45);
            ASSERT_LE(std::abs(step), 150);
        }
        stepsX.insert(state.lens.stepX);
        stepsY.insert(state.lens.stepY);
        drifts.insert({state.orbit.driftX, state.orbit.driftY});
    }
    EXPECT_EQ(stepsX.size(), 16u);
    EXPECT_EQ(stepsY.size(), 16u);
    EXPECT_EQ(drifts.size(), 4u);
}

TEST(SaverSetUp, EveryDrawOfTheGeneratorsCycleGivesThreeToTenPixels) {
    // The generator has 2^24 states; its extreme draws lie on the edges of
    // the speed's range, where single precision would round 10.99 up to 11.
    forms::Random random;
    int32_t slowest = INT32_MAX, fastest = INT32_MIN;
    for (uint32_t draw = 0; draw < (1u << 24); ++draw) {
        const int32_t speed = DrawLensSpeed(random, 15.0f, 96);
        slowest = std::min(slowest, speed);
        fastest = std::max(fastest, speed);
    }
    EXPECT_EQ(slowest, 3 * 15);
    EXPECT_EQ(fastest, 10 * 15);
}

}  // namespace
}  // namespace zoomorb::saver
