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
#include "pictures/glass/glass_geometry.h"

namespace e2e {
namespace {

constexpr double kPi = 3.14159265358979;

struct Point2 {
    double x;
    double y;
};

// The circle through `points` that fits them best, by least squares on
// x² + y² + D x + E y + F (the algebraic fit), worked about their mean.
struct Circle {
    Point2 centre;
    double radius;
};

Circle FitCircle(const std::vector<Point2>& points) {
    Point2 mean{0, 0};
    for (const Point2& p : points) {
        mean.x += p.x / points.size();
        mean.y += p.y / points.size();
    }
    double xx = 0, xy = 0, yy = 0, xz = 0, yz = 0, z = 0;
    for (const Point2& p : points) {
        const double x = p.x - mean.x, y = p.y - mean.y, squared = x * x + y * y;
        xx += x * x;
        xy += x * y;
        yy += y * y;
        xz += x * squared;
        yz += y * squared;
        z += squared;
    }
    const double determinant = xx * yy - xy * xy;
    const double d = (-xz * yy + yz * xy) / determinant;
    const double e = (-yz * xx + xz * xy) / determinant;
    const double f = -z / points.size();
    return Circle{{mean.x - d / 2, mean.y - e / 2}, std::sqrt((d * d + e * e) / 4 - f)};
}

// An arc of kArc cursor ticks that the recording caught tick by tick (no
// step long enough to be two), away from the screen's edges (no bounce
// within it).
constexpr size_t kArc = 20;

struct ArcCheck {
    bool usable = false;
    double worstRadiusError = 0;
    double smallestStepDegrees = 360;
    double largestStepDegrees = 0;
};

// Taken back along the centre's drift, the arc's points lie on one circle:
// how far they are from `radius` about the centre that fits them best, and
// how far each tick turns about it.
ArcCheck JudgeArc(const std::vector<CursorTrail::Sample>& samples, size_t first, int radius, Point2 drift) {
    std::vector<Point2> onCircle;
    for (size_t k = 0; k < kArc; ++k) {
        const POINT& p = samples[first + k].position;
        onCircle.push_back({p.x - drift.x * k, p.y - drift.y * k});
    }
    const Circle circle = FitCircle(onCircle);
    ArcCheck check;
    check.usable = true;
    double previousAngle = 0;
    for (size_t k = 0; k < kArc; ++k) {
        const double dx = onCircle[k].x - circle.centre.x, dy = onCircle[k].y - circle.centre.y;
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

ArcCheck CheckArc(const std::vector<CursorTrail::Sample>& samples, size_t first, int radius) {
    const double margin = 2.0 * radius + kArc;
    for (size_t i = first; i < first + kArc; ++i) {
        const POINT& p = samples[i].position;
        if (p.x < margin || p.x > GetSystemMetrics(SM_CXSCREEN) - margin || p.y < margin ||
            p.y > GetSystemMetrics(SM_CYSCREEN) - margin)
            return ArcCheck{};
        const POINT& last = samples[i == first ? i : i - 1].position;
        if (std::hypot(p.x - last.x, p.y - last.y) > 10.5) return ArcCheck{};  // the recording missed a tick
    }
    // The centre drifts a pixel a tick along each axis, one of four ways:
    // the way that fits is judged.
    ArcCheck best = JudgeArc(samples, first, radius, {1, 1});
    for (const Point2 drift : {Point2{1, -1}, Point2{-1, 1}, Point2{-1, -1}}) {
        const ArcCheck other = JudgeArc(samples, first, radius, drift);
        if (other.worstRadiusError < best.worstRadiusError) best = other;
    }
    return best;
}

TEST(SaverMotion, TheCursorCirclesADriftingCentreSixDegreesATick) {
    ForgetEscapePresses();
    ProgramCopy program;
    SaverProcess process(program, "/s");
    HWND saver = process.WaitForWindow(L"Zoomorb_Main");
    ASSERT_NE(saver, nullptr);
    const int radius = GetSystemMetrics(SM_CXSCREEN) / 15;

    // The wait is for enough cursor ticks, not for a time: on a loaded host
    // the saver ticks more slowly and the recording misses more of them, so
    // whole arcs take longer to catch. The time limit only ends the wait
    // for a saver that no longer moves the cursor.
    constexpr size_t kEnoughTicks = 6000;
    CursorTrail trail;
    const auto started = std::chrono::steady_clock::now();
    auto nextLook = started;
    RECT glassPlace = WindowRectOf(saver);
    size_t glassSteps = 0;
    std::vector<ArcCheck> arcs;
    size_t nextFirst = 0;
    size_t ticks = 0;
    while (arcs.size() < 3 && ticks < kEnoughTicks && std::chrono::steady_clock::now() - started < 120s) {
        std::this_thread::sleep_for(5ms);
        const RECT place = WindowRectOf(saver);
        glassSteps += place.left != glassPlace.left || place.top != glassPlace.top;
        glassPlace = place;
        if (std::chrono::steady_clock::now() < nextLook) continue;
        nextLook = std::chrono::steady_clock::now() + 300ms;
        const auto samples = trail.Samples();
        ticks = samples.size();
        for (; nextFirst + kArc <= samples.size(); ++nextFirst) {
            const ArcCheck arc = CheckArc(samples, nextFirst, radius);
            if (!arc.usable) continue;
            arcs.push_back(arc);
            nextFirst += kArc - 1;
        }
    }
    ASSERT_TRUE(process.IsRunning());

    // The cursor ticks as often as the system allows: more than twice as
    // often as the glass steps (every 100 ms), however slowly the host runs
    // both; unloaded, some ten times as often.
    EXPECT_GT(ticks, 2 * glassSteps) << ticks << " cursor positions over " << glassSteps << " steps of the glass";
    ASSERT_GE(arcs.size(), 3u) << "too few whole arcs in " << ticks << " cursor positions";
    std::ostringstream details;
    bool allGood = true;
    for (const ArcCheck& arc : arcs) {
        allGood = allGood && arc.worstRadiusError <= 1.5 && arc.smallestStepDegrees >= 3.5 &&
                  arc.largestStepDegrees <= 8.5;
        details << "\n  radius off by up to " << arc.worstRadiusError << ", steps " << arc.smallestStepDegrees
                << " to " << arc.largestStepDegrees << " degrees";
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

    // How many ticks `delta` spans at the speed this axis keeps between
    // turns; 0 when it did not keep it (a turn, or no speed seen yet).
    int TicksAtSpeed(long delta) const {
        if (step_ == 0 || Sign(delta) != Sign(step_) || delta % step_ != 0) return 0;
        return static_cast<int>(delta / step_);
    }

    // `from` is where the glass was, `delta` how far it went, and
    // `ticksSeen` how many ticks the other axis shows passed meanwhile (0
    // when it cannot tell). Returns the number of ticks the change spans (0
    // if it fits no speed).
    int Note(long from, long delta, int ticksSeen, std::ostringstream& problems) {
        if (step_ != 0 && Sign(delta) == Sign(step_)) {
            // Between turns the speed stays as it is; the polling may have
            // missed a tick or two, or more on a busy host where the other
            // axis shows as many passed.
            const int ticks = TicksAtSpeed(delta);
            if (ticks > 0 && (ticks <= 3 || ticks == ticksSeen)) return ticks;
            problems << "\n  " << name_ << " step " << delta << " after steps of " << step_;
            return 0;
        }
        if (ticksSeen > 1) {
            // The polling missed ticks, and among them this axis turned or
            // took its first step: neither the place nor the new speed can
            // be told, and the next change shows the speed.
            turns_ += step_ != 0;
            step_ = 0;
            return ticksSeen;
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
            const long dx = now.left - last.left, dy = now.top - last.top;
            const int seenX = horizontal.TicksAtSpeed(dx), seenY = vertical.TicksAtSpeed(dy);
            const int ticksX = horizontal.Note(last.left, dx, seenY, problems);
            const int ticksY = vertical.Note(last.top, dy, seenX, problems);
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
