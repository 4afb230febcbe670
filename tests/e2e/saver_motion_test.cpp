// The two motions of a running saver, watched from outside: the cursor
// circling a drifting centre, and the glass stepping over the screen and
// turning at its edges.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "dialog_helpers.h"
#include "harness.h"
#include "saver/core/glass_geometry.h"

namespace e2e {
namespace {

constexpr double kPi = 3.14159265358979;

struct Point2 {
    double x;
    double y;
};

Point2 MeanOf(const std::vector<CursorTrail::Sample>& samples, size_t first, size_t count) {
    Point2 mean{0, 0};
    for (size_t i = first; i < first + count; ++i) {
        mean.x += samples[i].position.x;
        mean.y += samples[i].position.y;
    }
    return Point2{mean.x / count, mean.y / count};
}

// A stretch of 120 cursor ticks, the first 60 of which make one turn, whose
// centre has drifted steadily (no bounce) and which the recording caught
// tick by tick (no step long enough to be two).
struct TurnCheck {
    bool usable = false;
    double worstRadiusError = 0;
    double smallestStepDegrees = 360;
    double largestStepDegrees = 0;
};

TurnCheck CheckTurn(const std::vector<CursorTrail::Sample>& samples, size_t first, int radius) {
    constexpr size_t kTurn = 60;
    TurnCheck check;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    for (size_t i = first + 1; i < first + 2 * kTurn; ++i) {
        const double dx = samples[i].position.x - samples[i - 1].position.x;
        const double dy = samples[i].position.y - samples[i - 1].position.y;
        if (std::hypot(dx, dy) > 10.5) return check;  // the recording missed a tick
    }
    // Over a whole turn the circle's offsets cancel: the mean is the centre
    // halfway through, and two turns apart the centre has drifted 60 ticks.
    const Point2 firstTurn = MeanOf(samples, first, kTurn);
    const Point2 secondTurn = MeanOf(samples, first + kTurn, kTurn);
    const Point2 drift{(secondTurn.x - firstTurn.x) / kTurn, (secondTurn.y - firstTurn.y) / kTurn};
    if (std::fabs(std::fabs(drift.x) - 1) > 0.1 || std::fabs(std::fabs(drift.y) - 1) > 0.1) return check;
    // Near an edge the centre may bounce within the stretch.
    const double margin = radius + 2.0 * kTurn + 10;
    for (const Point2& centre : {firstTurn, secondTurn}) {
        if (centre.x < margin || centre.x > screenWidth - margin || centre.y < margin ||
            centre.y > screenHeight - margin)
            return check;
    }
    check.usable = true;
    double previousAngle = 0;
    for (size_t k = 0; k < kTurn; ++k) {
        const double ticksFromMiddle = static_cast<double>(k) - (kTurn - 1) / 2.0;
        const Point2 centre{firstTurn.x + drift.x * ticksFromMiddle, firstTurn.y + drift.y * ticksFromMiddle};
        const double dx = samples[first + k].position.x - centre.x;
        const double dy = samples[first + k].position.y - centre.y;
        check.worstRadiusError = std::max(check.worstRadiusError, std::fabs(std::hypot(dx, dy) - radius));
        const double angle = std::atan2(dy, dx) * 180 / kPi;
        if (k > 0) {
            double step = std::fabs(angle - previousAngle);
            if (step > 180) step = 360 - step;
            check.smallestStepDegrees = std::min(check.smallestStepDegrees, step);
            check.largestStepDegrees = std::max(check.largestStepDegrees, step);
        }
        previousAngle = angle;
    }
    return check;
}

TEST(SaverMotion, TheCursorCirclesADriftingCentreSixDegreesATick) {
    ForgetEscapePresses();
    ProgramCopy program;
    SaverProcess process(program, "/s");
    ASSERT_NE(process.WaitForWindow(L"Zoomorb_Main"), nullptr);
    const int radius = GetSystemMetrics(SM_CXSCREEN) / 15;

    CursorTrail trail;
    const auto started = std::chrono::steady_clock::now();
    std::vector<TurnCheck> turns;
    size_t nextFirst = 0;
    while (turns.size() < 4 && std::chrono::steady_clock::now() - started < 12s) {
        std::this_thread::sleep_for(300ms);
        const auto samples = trail.Samples();
        for (; nextFirst + 120 <= samples.size(); nextFirst += 30) {
            const TurnCheck turn = CheckTurn(samples, nextFirst, radius);
            if (turn.usable) turns.push_back(turn);
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const size_t ticks = trail.Samples().size();
    ASSERT_TRUE(process.IsRunning());

    // The cursor tick runs as often as the system allows: far more often
    // than the view's 20 ms.
    EXPECT_GT(ticks / seconds, 40.0) << ticks << " cursor positions in " << seconds << " s";
    ASSERT_GE(turns.size(), 3u) << "too few clean turns recorded";
    std::ostringstream details;
    bool allGood = true;
    for (const TurnCheck& turn : turns) {
        allGood = allGood && turn.worstRadiusError <= 1.5 && turn.smallestStepDegrees >= 3.5 &&
                  turn.largestStepDegrees <= 8.5;
        details << "\n  radius off by up to " << turn.worstRadiusError << ", steps " << turn.smallestStepDegrees
                << " to " << turn.largestStepDegrees << " degrees";
    }
    EXPECT_TRUE(allGood) << "radius " << radius << details.str();
}

struct WindowPlace {
    std::chrono::steady_clock::time_point time;
    RECT rect;
};

int Sign(long value) { return (value > 0) - (value < 0); }

// One axis of the glass's motion as seen from outside: checks each change of
// position against the speed it had, and notes the turns.
class AxisWatch {
public:
    AxisWatch(const char* name, long farLimit, long nearLimit, int32_t dotsPerInch)
        : name_(name), farLimit_(farLimit), nearLimit_(nearLimit), dotsPerInch_(dotsPerInch) {}

    int Turns() const { return turns_; }

    // `from` is where the glass was, `delta` how far it went. Returns the
    // number of ticks the change spans (0 if it fits no speed).
    int Note(long from, long delta, std::ostringstream& problems) {
        if (step_ != 0 && Sign(delta) == Sign(step_)) {
            // Between turns the speed stays as it is; the polling may have
            // missed a tick or two.
            if (delta % step_ == 0 && delta / step_ <= 3) return static_cast<int>(delta / step_);
            problems << "\n  " << name_ << " step " << delta << " after steps of " << step_;
            return 0;
        }
        if (step_ != 0) {
            // A turn: the place it turned at must be the first beyond the
            // limit it was moving towards.
            ++turns_;
            const bool atLimit = step_ > 0 ? from > farLimit_ && from - step_ <= farLimit_
                                           : from <= nearLimit_ && from - step_ > nearLimit_;
            if (!atLimit) problems << "\n  " << name_ << " turned at " << from << " moving " << step_;
        }
        step_ = delta;
        for (int32_t pixels = 3; pixels <= 10; ++pixels)
            if (std::labs(delta) == zoomorb::glass::ScaledPixels(pixels, dotsPerInch_)) return 1;
        problems << "\n  " << name_ << " speed " << delta << " is not 3 to 10 pixels a tick, scaled to the DPI";
        return 0;
    }

private:
    const char* name_;
    long farLimit_;   // turns once beyond it, moving towards it
    long nearLimit_;  // turns once at or beyond it, moving towards it
    int32_t dotsPerInch_;
    long step_ = 0;
    int turns_ = 0;
};

TEST(SaverMotion, TheGlassStepsEveryTenthOfASecondAndTurnsAtTheEdgesAtEveryDpi) {
    // The near turning limits are fixed twips (-524 and -29), which are the
    // more pixels the more dots per inch: at 96 DPI the glass turns at -35
    // and -2 whole pixels. The far ones lie where the glass's circle, as
    // drawn for the DPI, has passed the screen's last column or row.
    const struct {
        int32_t dotsPerInch;
        long nearLeft, nearTop;
    } cases[] = {{96, -35, -2}, {144, -53, -3}, {192, -70, -4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dotsPerInch);
        const zoomorb::glass::Layout layout = zoomorb::glass::LayoutAtDpi(c.dotsPerInch);
        ForgetEscapePresses();
        ProgramCopy program;
        ScopedLogPixels logPixels(static_cast<DWORD>(c.dotsPerInch));
        SaverProcess process(program, "/s");
        HWND saver = process.WaitForWindow(L"Zoomorb_Main");
        ASSERT_NE(saver, nullptr);

        AxisWatch horizontal("horizontal", GetSystemMetrics(SM_CXSCREEN) - layout.columnsToCircleEnd, c.nearLeft,
                             c.dotsPerInch);
        AxisWatch vertical("vertical", GetSystemMetrics(SM_CYSCREEN) - layout.rowsToCircleEnd, c.nearTop,
                           c.dotsPerInch);

        std::vector<WindowPlace> places{{std::chrono::steady_clock::now(), WindowRectOf(saver)}};
        std::ostringstream problems;
        const auto started = std::chrono::steady_clock::now();
        auto lastTurn = started;
        int ticks = 0;
        while (std::chrono::steady_clock::now() - started < 30s && process.IsRunning()) {
            if (horizontal.Turns() > 0 && vertical.Turns() > 0 && std::chrono::steady_clock::now() - lastTurn > 1s)
                break;
            std::this_thread::sleep_for(2ms);
            const RECT now = WindowRectOf(saver);
            const RECT last = places.back().rect;
            if (now.left == last.left && now.top == last.top) continue;
            places.push_back({std::chrono::steady_clock::now(), now});
            if (now.right - now.left != layout.pictureWidth || now.bottom - now.top != layout.pictureHeight)
                problems << "\n  size changed to " << now.right - now.left << " x " << now.bottom - now.top;
            const int turnsBefore = horizontal.Turns() + vertical.Turns();
            const int ticksX = horizontal.Note(last.left, now.left - last.left, problems);
            const int ticksY = vertical.Note(last.top, now.top - last.top, problems);
            ticks += ticksX;
            if (ticksX != ticksY) problems << "\n  the axes moved apart: " << ticksX << " and " << ticksY << " ticks";
            if (horizontal.Turns() + vertical.Turns() != turnsBefore) lastTurn = places.back().time;
        }
        ASSERT_TRUE(process.IsRunning());
        EXPECT_TRUE(problems.str().empty()) << problems.str();
        // From the centre, even the slowest glass reaches an edge of each axis
        // within 17 s.
        EXPECT_GT(horizontal.Turns(), 0);
        EXPECT_GT(vertical.Turns(), 0);
        const double seconds = std::chrono::duration<double>(places.back().time - places.front().time).count();
        const double stepsPerSecond = ticks / seconds;
        EXPECT_GT(stepsPerSecond, 5.0);
        EXPECT_LT(stepsPerSecond, 11.0);
    }
}

}  // namespace
}  // namespace e2e
