// The saver window as the desktop sees it: where it appears, its shape, the
// lens inside it, and what the lens shows of the desktop around the cursor,
// on displays of 96, 144 and 192 DPI: at D DPI the glass is its 96-DPI
// design scaled by D / 96.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <sstream>
#include <vector>

#include "../win/file_bytes.h"
#include "desktop_pattern.h"
#include "dialog_helpers.h"
#include "harness.h"
#include "pictures/glass/glass_geometry.h"
#include "pictures/glass/glass_picture.h"
#include "settings_files.h"

namespace e2e {
namespace {

namespace glass = zoomorb::glass;

constexpr int32_t kTestedDpis[] = {96, 144, 192};

// Where the window's top-left corner is put on loading: centred for its
// design size of 4380 x 3120 twips, before the shaping shrinks it.
POINT CentredStart(int32_t dotsPerInch) {
    const float twips = 1440.0f / static_cast<float>(dotsPerInch);
    const long screenWidth = std::lround(GetSystemMetrics(SM_CXSCREEN) * twips);
    const long screenHeight = std::lround(GetSystemMetrics(SM_CYSCREEN) * twips);
    return POINT{static_cast<LONG>(std::nearbyint(static_cast<float>((screenWidth - 4380) / 2) / twips)),
                 static_cast<LONG>(std::nearbyint(static_cast<float>((screenHeight - 3120) / 2) / twips))};
}

// True when `dx`, `dy` are `ticks` equal window steps of 3 to 10 design
// pixels each way, scaled to the DPI.
bool IsWholeSteps(long dx, long dy, int ticks, int32_t dotsPerInch) {
    if (ticks == 0) return dx == 0 && dy == 0;
    if (dx % ticks != 0 || dy % ticks != 0) return false;
    const auto isSpeed = [dotsPerInch](long step) {
        for (int32_t pixels = 3; pixels <= 10; ++pixels)
            if (std::labs(step) == glass::ScaledPixels(pixels, dotsPerInch)) return true;
        return false;
    };
    return isSpeed(dx / ticks) && isSpeed(dy / ticks);
}

// Pixels of the glass as drawn for the DPI that are not the key colour, row
// by row from the top. At 96 DPI that is the stored lens.bmp.
std::vector<std::vector<bool>> GlassPixels(int32_t dotsPerInch) {
    const zoomorb::pictures::Image image = zoomorb::pictures::DrawLensBitmap(dotsPerInch);
    std::vector<std::vector<bool>> glassPixels(static_cast<size_t>(image.Height()));
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            glassPixels[y].push_back(image.At(x, y) != zoomorb::pictures::kKeyRed);
    return glassPixels;
}

int PixelsInOneOnly(HRGN one, HRGN other, const RECT& area) {
    int differing = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            differing += (PtInRegion(one, x, y) != FALSE) != (PtInRegion(other, x, y) != FALSE);
    return differing;
}

TEST(SaverWindow, AppearsTopmostAtTheCentreCutToTheGlassScaledToTheDpiWithoutTakingTheFocus) {
    for (const int32_t dpi : kTestedDpis) {
        SCOPED_TRACE(dpi);
        const glass::Layout layout = glass::LayoutAtDpi(dpi);
        ForgetEscapePresses();
        ProgramCopy program;
        ScopedLogPixels logPixels(static_cast<DWORD>(dpi));
        SaverProcess process(program, "/s");
        HWND saver = process.WaitForWindow(L"Zoomorb_Main");
        ASSERT_NE(saver, nullptr);
        const RECT first = WindowRectOf(saver);

        // Read as soon as it shows; the window may have taken its first steps.
        const POINT start = CentredStart(dpi);
        const long dx = first.left - start.x;
        const long dy = first.top - start.y;
        EXPECT_TRUE(IsWholeSteps(dx, dy, 0, dpi) || IsWholeSteps(dx, dy, 1, dpi) || IsWholeSteps(dx, dy, 2, dpi) ||
                    IsWholeSteps(dx, dy, 3, dpi))
            << "first seen at " << first.left << "," << first.top << ", starts at " << start.x << "," << start.y;
        EXPECT_EQ(first.right - first.left, layout.pictureWidth);
        EXPECT_EQ(first.bottom - first.top, layout.pictureHeight);
        EXPECT_TRUE(GetWindowLongW(saver, GWL_EXSTYLE) & WS_EX_TOPMOST);

        HWND lens = FirstChildOf(saver);
        ASSERT_NE(lens, nullptr);
        RECT glassRect{}, lensRect{};
        for (int attempt = 0; attempt < 20; ++attempt) {  // the two reads must fall between two steps
            glassRect = WindowRectOf(saver);
            lensRect = WindowRectOf(lens);
            const RECT glassAgain = WindowRectOf(saver);
            if (EqualRect(&glassRect, &glassAgain)) break;
        }
        EXPECT_EQ(lensRect.left - glassRect.left, layout.lensLeft);
        EXPECT_EQ(lensRect.top - glassRect.top, layout.lensTop);
        EXPECT_EQ(lensRect.right - lensRect.left, layout.lensWidth);
        EXPECT_EQ(lensRect.bottom - lensRect.top, layout.lensHeight);

        HRGN lensShape = CreateRectRgn(0, 0, 0, 0);
        HRGN ellipse = CreateEllipticRgn(0, 0, layout.lensEllipseWidth, layout.lensEllipseHeight);
        ASSERT_NE(GetWindowRgn(lens, lensShape), ERROR);
        // Compared pixel by pixel: the system may store the same region in other rectangles.
        EXPECT_EQ(PixelsInOneOnly(lensShape, ellipse,
                                  RECT{-4, -4, layout.lensEllipseWidth + 4, layout.lensEllipseHeight + 4}),
                  0);
        DeleteObject(ellipse);
        DeleteObject(lensShape);

        // Exactly the glass remains: every pixel that is not the picture's pure red.
        const auto glassPixels = GlassPixels(dpi);
        const int width = layout.pictureWidth, height = layout.pictureHeight;
        ASSERT_EQ(glassPixels.size(), static_cast<size_t>(height));
        ASSERT_EQ(glassPixels[0].size(), static_cast<size_t>(width));
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(saver, shape), ERROR);
        int mismatches = 0, kept = 0;
        std::ostringstream firstMismatches;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool inShape = PtInRegion(shape, x, y) != FALSE;
                kept += inShape;
                if (inShape != glassPixels[y][x] && ++mismatches <= 5) firstMismatches << " (" << x << "," << y << ")";
            }
        }
        DeleteObject(shape);
        EXPECT_EQ(mismatches, 0) << "pixels where the shape and the glass differ:" << firstMismatches.str();
        EXPECT_GT(kept, width * height / 3);
        EXPECT_LT(kept, width * height);

        // Still not the foreground window a while later.
        for (int check = 0; check < 5; ++check) {
            EXPECT_NE(GetForegroundWindow(), saver);
            PumpMessagesFor(100ms);
        }
        EXPECT_TRUE(process.IsRunning());
    }
}

bool Intersect(const RECT& a, const RECT& b) {
    RECT both;
    return IntersectRect(&both, &a, &b) != FALSE;
}

struct LensReading {
    bool judged = false;
    double consistentShare = 0;
    long spanX = 0;  // how many desktop columns and rows the lens shows
    long spanY = 0;
    long sourceX = 0;
    long sourceY = 0;
    bool matchesCursor = false;
};

// Reads one screen copy of the lens. The pattern under the saver tells which
// desktop pixel each lens pixel shows; they must form the `sourceWidth` x
// `sourceHeight` area, stretched over the lens, that lies around a position
// the cursor had just before. Readings whose possible source areas touch
// the glass itself, or leave the screen, are not judged: there the lens
// shows the saver or whatever lies outside the desktop.
LensReading ReadLens(HWND saver, HWND lens, const CursorTrail& trail, int sourceWidth, int sourceHeight) {
    LensReading reading;
    const auto before = std::chrono::steady_clock::now();
    const RECT glassBefore = WindowRectOf(saver);
    const RECT lensRect = WindowRectOf(lens);
    const int lensWidth = lensRect.right - lensRect.left;
    const int lensHeight = lensRect.bottom - lensRect.top;
    const ScreenImage image(lensRect);
    const RECT glassAfter = WindowRectOf(saver);
    if (!EqualRect(&glassBefore, &glassAfter)) return reading;

    // The view was drawn from where the cursor was a little earlier.
    const auto candidates = trail.SamplesBetween(before - 400ms, std::chrono::steady_clock::now());
    if (candidates.empty()) return reading;
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT glass = glassBefore;
    InflateRect(&glass, 2, 2);
    for (const auto& sample : candidates) {
        const RECT source{sample.position.x - sourceWidth, sample.position.y - sourceHeight,
                          sample.position.x + sourceWidth, sample.position.y + sourceHeight};
        if (Intersect(source, glass) || source.left < 0 || source.top < 0 || source.right > screen.right ||
            source.bottom > screen.bottom)
            return reading;
    }
    reading.judged = true;

    // Offsets of each shown pixel from where a plain stretch of the area
    // starting at (0, 0) would put it: all the same, up to a pixel.
    HRGN inside = CreateEllipticRgn(1, 1, lensWidth, lensHeight + 1);
    std::vector<double> offsetsX, offsetsY;
    std::vector<POINT> shown;
    for (int v = 0; v < image.Height(); ++v) {
        for (int u = 0; u < image.Width(); ++u) {
            if (!PtInRegion(inside, u, v)) continue;
            const POINT desktop = DecodePatternColour(image.Red(u, v), image.Green(u, v), image.Blue(u, v));
            shown.push_back(desktop);
            offsetsX.push_back(desktop.x - (u + 0.5) * sourceWidth / lensWidth + 0.5);
            offsetsY.push_back(desktop.y - (v + 0.5) * sourceHeight / lensHeight + 0.5);
        }
    }
    DeleteObject(inside);
    if (offsetsX.empty()) return reading;
    auto median = [](std::vector<double> values) {
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    };
    const double medianX = median(offsetsX);
    const double medianY = median(offsetsY);
    size_t consistent = 0;
    RECT area{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (size_t i = 0; i < offsetsX.size(); ++i) {
        if (std::fabs(offsetsX[i] - medianX) > 1.0 || std::fabs(offsetsY[i] - medianY) > 1.0) continue;
        ++consistent;
        area.left = std::min(area.left, shown[i].x);
        area.top = std::min(area.top, shown[i].y);
        area.right = std::max(area.right, shown[i].x + 1);
        area.bottom = std::max(area.bottom, shown[i].y + 1);
    }
    reading.spanX = area.right - area.left;
    reading.spanY = area.bottom - area.top;
    reading.consistentShare = static_cast<double>(consistent) / static_cast<double>(offsetsX.size());
    reading.sourceX = std::lround(medianX);
    reading.sourceY = std::lround(medianY);
    for (const auto& sample : candidates) {
        const long expectedX = std::lround(std::nearbyint(sample.position.x - sourceWidth / 2.0));
        const long expectedY = std::lround(std::nearbyint(sample.position.y - sourceHeight / 2.0));
        if (std::labs(expectedX - reading.sourceX) <= 1 && std::labs(expectedY - reading.sourceY) <= 1)
            reading.matchesCursor = true;
    }
    return reading;
}

void ExpectTheLensMagnifiesAroundTheCursor(const ProgramCopy& program, int sourceWidth, int sourceHeight) {
    DesktopPattern pattern;
    RunningSaver running(program);
    ASSERT_NE(running.lens, nullptr) << "no glass with a lens";
    CursorTrail trail;
    std::this_thread::sleep_for(500ms);

    // Read until enough readings show the right area: under load, Wine now
    // and then shows a frame that is older than the cursor samples, or the
    // screen is read while the lens is half redrawn, which says nothing about
    // the lens. A wrong magnification or a view away from the cursor gives
    // no good reading at all.
    constexpr size_t kGoodReadings = 8;
    size_t judged = 0, good = 0;
    std::ostringstream details;
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (good < kGoodReadings && std::chrono::steady_clock::now() < deadline && running.process.IsRunning()) {
        const LensReading reading = ReadLens(running.glass, running.lens, trail, sourceWidth, sourceHeight);
        std::this_thread::sleep_for(60ms);
        if (!reading.judged) continue;
        ++judged;
        const bool ok = reading.consistentShare >= 0.95 && reading.matchesCursor && reading.spanX == sourceWidth &&
                        reading.spanY == sourceHeight;
        good += ok;
        if (!ok && judged - good <= 5)
            details << "\n  source " << reading.spanX << " x " << reading.spanY << " at " << reading.sourceX << ","
                    << reading.sourceY << ", " << reading.consistentShare * 100 << "% of the lens in place"
                    << (reading.matchesCursor ? "" : ", not around a cursor position");
    }
    EXPECT_GE(good, kGoodReadings) << "of " << judged << " readings judged; the first wrong ones:" << details.str();
    EXPECT_TRUE(running.process.IsRunning());
}

TEST(SaverWindow, TheLensShowsTheDesktopAroundTheCursorTwiceAsLarge) {
    ProgramCopy program;
    ExpectTheLensMagnifiesAroundTheCursor(program, 78, 76);
}

TEST(SaverWindow, TheLensMagnifiesAsTheSettingsSayPerUserFirst) {
    ProgramCopy program;
    program.WriteFile(L"Zoomorb.ini", "[Section]\r\n\x94\x7B\x97\xA6=150\r\n");
    test_files::SetAsideFile userSettings(PerUserSettingsPath());
    WritePerUserSettings("[Section]\r\n\x94\x7B\x97\xA6=300\r\n");
    ExpectTheLensMagnifiesAroundTheCursor(program, 52, 50);
}

TEST(SaverWindow, TheLensMagnifiesAsTheSettingsFileSaysAtEveryDpi) {
    // Magnification is per physical pixel: at 300 % the lens shows a third
    // of its own size in each direction, however large the DPI makes it.
    // The file comes in each encoding the program reads.
    const struct {
        DWORD dotsPerInch;
        int sourceWidth, sourceHeight;
        std::string settings;
    } cases[] = {{96, 52, 50, "[Section]\r\n\x94\x7B\x97\xA6=300\r\n"},
                 {144, 78, 75, Utf16File(L"[Section]\r\n倍率=300\r\n")},
                 {192, 104, 101, Utf8File(L"[Section]\r\n倍率=300\r\n")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dotsPerInch);
        ProgramCopy program;
        program.WriteFile(L"Zoomorb.ini", c.settings);
        ScopedLogPixels logPixels(c.dotsPerInch);
        ExpectTheLensMagnifiesAroundTheCursor(program, c.sourceWidth, c.sourceHeight);
    }
}

// Below 100 % the source is larger than the lens, and at 10 % larger than
// the screen; wherever it reaches past the screen's edge, only that part of
// the lens may be black. The middle of the lens shows the desktop around the
// cursor, which is always on the screen: never black, and a desktop of
// one-pixel dots, reduced, is an even grey there.
TEST(SaverWindow, TheLensShowsTheDesktopAtLowMagnificationsAveragedWhereItShrinks) {
    const struct {
        int magnification;
        DesktopFill fill;
    } cases[] = {{10, DesktopFill::White}, {30, DesktopFill::White}, {100, DesktopFill::White},
                 {10, DesktopFill::Checkerboard}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.magnification << " %"
                                        << (c.fill == DesktopFill::White ? ", white" : ", checkerboard"));
        ProgramCopy program;
        program.WriteFile(L"Zoomorb.ini", "[Section]\r\n\x94\x7B\x97\xA6=" + std::to_string(c.magnification) + "\r\n");
        DesktopPattern desktop(c.fill);
        RunningSaver running(program);
        ASSERT_NE(running.lens, nullptr) << "no glass with a lens";
        std::this_thread::sleep_for(300ms);

        // Sampled until enough samples could be judged: the cursor's circle
        // starts where the glass does, and they part at their own pace.
        int judged = 0, black = 0, uneven = 0;
        std::ostringstream firstFaults;
        // Below 100 % the lens shows a copy of the desktop that may be up to
        // half a second old, so it may show the glass where it was then; and
        // a redraw shows where the cursor was when it began, which on a busy
        // host may lie a few of these samples back.
        using Clock = std::chrono::steady_clock;
        std::deque<std::pair<Clock::time_point, RECT>> recentGlass;
        std::deque<std::pair<Clock::time_point, POINT>> recentCursor;
        const auto remember = [](auto& recent, Clock::time_point now, auto seen, std::chrono::milliseconds keep) {
            recent.emplace_back(now, seen);
            while (now - recent.front().first > keep) recent.pop_front();
        };
        for (const auto end = Clock::now() + 30s;
             judged < 25 && Clock::now() < end && running.process.IsRunning(); std::this_thread::sleep_for(50ms)) {
            // The middle of the lens shows 4 lens pixels each way around
            // where the cursor was at the last redraw (it moves some way
            // before this sample). Samples where that spot may reach past
            // the screen's edge, or show the glass itself, are not judged.
            POINT cursor{};
            GetCursorPos(&cursor);
            remember(recentCursor, Clock::now(), cursor, 300ms);
            remember(recentGlass, Clock::now(), WindowRectOf(running.glass), 700ms);
            const RECT lensRect = WindowRectOf(running.lens);
            const POINT middle{(lensRect.left + lensRect.right) / 2, (lensRect.top + lensRect.bottom) / 2};
            const ScreenImage image(RECT{middle.x - 4, middle.y - 4, middle.x + 4, middle.y + 4});
            GetCursorPos(&cursor);
            remember(recentCursor, Clock::now(), cursor, 300ms);

            const int reach = 4 * 100 / c.magnification + 48;
            RECT wellInside{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
            InflateRect(&wellInside, -reach, -reach);
            const bool judgeable = std::all_of(recentCursor.begin(), recentCursor.end(), [&](const auto& at) {
                return PtInRect(&wellInside, at.second) &&
                       std::none_of(recentGlass.begin(), recentGlass.end(), [&](const auto& glass) {
                           RECT around = glass.second;
                           InflateRect(&around, reach, reach);
                           return PtInRect(&around, at.second) != FALSE;
                       });
            });
            if (!judgeable) continue;
            ++judged;
            int blackPixels = 0, unevenPixels = 0;
            for (int y = 0; y < image.Height(); ++y)
                for (int x = 0; x < image.Width(); ++x) {
                    const int red = image.Red(x, y), green = image.Green(x, y), blue = image.Blue(x, y);
                    blackPixels += red < 16 && green < 16 && blue < 16;
                    unevenPixels += std::abs(red - 128) > 16 || std::abs(green - 128) > 16 || std::abs(blue - 128) > 16;
                }
            const bool isBlack = blackPixels == image.Width() * image.Height();
            const bool isUneven = c.fill == DesktopFill::Checkerboard && unevenPixels > 0;
            black += isBlack;
            uneven += isUneven;
            if ((isBlack || isUneven) && black + uneven <= 3)
                firstFaults << "\n  at cursor " << cursor.x << "," << cursor.y << ": " << blackPixels << " black, "
                            << unevenPixels << " off grey of 64";
        }
        EXPECT_GE(judged, 10) << "the glass kept lying near the spot the lens shows";
        EXPECT_EQ(black, 0) << "of " << judged << " samples" << firstFaults.str();
        EXPECT_EQ(uneven, 0) << "of " << judged << " samples" << firstFaults.str();
        EXPECT_TRUE(running.process.IsRunning());
    }
}

}  // namespace
}  // namespace e2e
