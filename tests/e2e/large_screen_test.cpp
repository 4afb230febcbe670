// A saver on a 4K screen: its glass travels beyond 32767 twips (2184
// pixels), which positions kept in 16 bits could not hold.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "harness.h"

namespace e2e {
namespace {

constexpr long kSixteenBitTwipsInPixels = 32767 / 15;  // 2184

// Starts savers until one whose glass sets off to the right: the start
// speed's sign is random, and only a glass moving right from the centre
// surely passes 2184 pixels within half a minute.
std::unique_ptr<SaverProcess> StartSaverMovingRight(const ProgramCopy& program, HWND& saver, std::string& failure) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        ForgetEscapePresses();
        auto process = std::make_unique<SaverProcess>(program, "/s");
        saver = process->WaitForWindow(L"Zoomorb_Main");
        if (!saver) {
            const auto code = process->WaitForExit(0ms);
            failure = code ? "the saver ended without a window, exit code " + std::to_string(*code)
                           : std::string("the saver showed no window");
            return nullptr;
        }
        const RECT start = WindowRectOf(saver);
        RECT now = start;
        const auto deadline = std::chrono::steady_clock::now() + 3s;
        while (now.left == start.left && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(5ms);
            now = WindowRectOf(saver);
        }
        if (now.left > start.left) return process;
        PressEscape();
        process->WaitForExit(kEndsAtOnce);
    }
    return nullptr;
}

TEST(LargeScreen, TheGlassTravelsBeyondSixteenBitTwipsWithoutARunTimeError) {
    if (GetSystemMetrics(SM_CXSCREEN) < 3840) GTEST_SKIP() << "needs a screen at least 3840 pixels wide";
    ProgramCopy program;
    HWND saver = nullptr;
    std::string failure = "no saver set off to the right";
    auto process = StartSaverMovingRight(program, saver, failure);
    ASSERT_NE(process, nullptr) << failure;

    long farthest = WindowRectOf(saver).left;
    long worstJump = 0;
    RECT last = WindowRectOf(saver);
    auto lastTime = std::chrono::steady_clock::now();
    const auto deadline = lastTime + 30s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (process->WatchUntilExit(50ms)) break;
        const RECT now = WindowRectOf(saver);
        const auto nowTime = std::chrono::steady_clock::now();
        // At most 10 pixels per 100 ms tick, with room for a late poll; a
        // position that wrapped round would leap thousands of pixels.
        const long ticks = static_cast<long>((nowTime - lastTime) / 100ms) + 2;
        worstJump = std::max(worstJump, std::labs(now.left - last.left) - 10 * ticks);
        farthest = std::max(farthest, now.left);
        last = now;
        lastTime = nowTime;
    }
    ASSERT_TRUE(process->IsRunning()) << "the saver ended by itself";
    const auto& seen = process->SeenWindowTitles();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), std::wstring(L"Zoomorb")), 0) << "a run-time error was shown";
    EXPECT_GT(farthest, kSixteenBitTwipsInPixels);
    EXPECT_LE(worstJump, 0) << "the glass leapt";

    PressEscape();
    EXPECT_TRUE(process->WaitForExit(3s).has_value());
}

}  // namespace
}  // namespace e2e
