// The lens below 100 %, drawn from a desktop of the test's own: a picture in
// a memory DC stands for the screen, its origin moved so that a monitor left
// of or above the primary has negative coordinates, as on the real screen.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <ios>
#include <vector>

#include "forms/core/pixel_rect.h"
#include "forms/form.h"
#include "forms/handles.h"
#include "forms/picture_box.h"
#include "saver/magnified_view.h"

namespace zoomorb::saver {
namespace {

constexpr int32_t kLensWidth = 156, kLensHeight = 151;

class LensForm : public forms::Form {
public:
    LensForm() : forms::Form(Design()), Lens(*this, forms::PictureBoxDesign{forms::TwipsRect{0, 0, 2340, 2265}}) {}
    forms::PictureBox Lens;

private:
    static forms::FormDesign Design() {
        forms::FormDesign design;
        design.border = forms::BorderStyle::None;
        design.widthTwips = 3000;
        design.heightTwips = 3000;
        return design;
    }
};

// The screen the view reads: `area` of the virtual screen, each pixel's
// colour `paint(x, y)`.
class Screen {
public:
    Screen(const forms::PixelRect& area, const std::function<COLORREF(int32_t, int32_t)>& paint)
        : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = area.Width();
        info.bmiHeader.biHeight = -area.Height();
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        auto* pixels = static_cast<RGBQUAD*>(bits);
        for (int32_t y = 0; y < area.Height(); ++y)
            for (int32_t x = 0; x < area.Width(); ++x) {
                const COLORREF colour = paint(area.left + x, area.top + y);
                pixels[static_cast<size_t>(y) * area.Width() + x] =
                    RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
            }
        selection_ = forms::SelectionScope(dc_.Get(), bitmap_.Get());
        SetWindowOrgEx(dc_.Get(), area.left, area.top, nullptr);
    }
    HDC Dc() const { return dc_.Get(); }

private:
    forms::UniqueMemoryDc dc_;
    forms::UniqueBitmap bitmap_;
    forms::SelectionScope selection_;
};

constexpr COLORREF kRed = RGB(200, 0, 0), kGreen = RGB(0, 180, 0), kBlue = RGB(0, 0, 160), kBlack = RGB(0, 0, 0);

// Red left of x = -640, green from there to 0, blue from 0 on.
COLORREF ThreeBands(int32_t x, int32_t) { return x < -640 ? kRed : x < 0 ? kGreen : kBlue; }

// One view, drawn again and again as the saver does, while the monitors
// and the desktop change under it. At 50 % the lens shows 312 x 302 desktop
// pixels around the cursor, two by two in each of its pixels.
TEST(MagnifiedView, BelowOneHundredPercentTheLensShowsTheDesktopAsItNowIs) {
    LensForm form;
    form.Show();
    MagnifiedView view(form.Lens);
    const std::vector<forms::PixelRect> primary{{0, 0, 1024, 768}};
    const std::vector<forms::PixelRect> leftAndAbove{{0, 0, 1024, 768}, {-1280, -256, 0, 768}};
    const std::vector<forms::PixelRect> twoSideBySide{{0, 0, 1024, 768}, {1024, 0, 2304, 1024}};
    // A copy of this desktop would take 1.6 GB: the lens is reduced the
    // slower way, without one.
    const std::vector<forms::PixelRect> tooLargeForACopy{{0, 0, 20000, 20000}};
    const Screen threeBands({-1280, -256, 1024, 768}, ThreeBands);
    // Two colours, left and right of x = 1024; the same at other places.
    const Screen twoHalves({0, 0, 2304, 1024}, [](int32_t x, int32_t) { return x < 1024 ? kGreen : kRed; });
    // Two colours, above and below y = 0.
    const Screen twoRows({-1280, -256, 1024, 768}, [](int32_t, int32_t y) { return y < 0 ? kRed : kBlue; });
    const Screen huge({0, 0, 2000, 2000}, [](int32_t x, int32_t) { return x < 1000 ? kBlue : kGreen; });
    const struct Step {
        const char* what;
        const std::vector<forms::PixelRect>& monitors;
        const Screen& screen;
        POINT cursor;
        // The lens's left and right halves, or its top and bottom ones.
        COLORREF first, second;
        bool topAndBottom = false;
    } steps[] = {
        {"on a monitor left of and above the primary", leftAndAbove, threeBands, {-640, -100}, kRed, kGreen},
        {"across it and the primary", leftAndAbove, threeBands, {0, 300}, kGreen, kBlue},
        // What the screen still paints where no monitor is now is not shown.
        {"after the monitor left of the primary is unplugged", primary, threeBands, {0, 300}, kBlack, kBlue},
        {"after one is plugged in right of the primary", twoSideBySide, twoHalves, {1024, 300}, kGreen, kRed},
        {"on a desktop too large for a copy", tooLargeForACopy, huge, {1000, 1000}, kBlue, kGreen},
        {"the right way up", leftAndAbove, twoRows, {-640, 1}, kRed, kBlue, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        view.SetMonitors(step.monitors);
        for (int redraw = 0; redraw < 3; ++redraw) view.Draw(step.screen.Dc(), step.cursor, 50);
        // Each step's colours meet at the cursor: in the middle of the lens,
        // on a column where the pixels of two lens pixels meet.
        int wrong = 0;
        for (int32_t y = 0; y < kLensHeight; ++y)
            for (int32_t x = 0; x < kLensWidth; ++x) {
                const bool firstHalf = step.topAndBottom ? y < kLensHeight / 2 : x < kLensWidth / 2;
                const COLORREF expected = firstHalf ? step.first : step.second;
                const COLORREF shown = GetPixel(form.Lens.hDC(), x, y);
                if (shown != expected && ++wrong <= 3)
                    ADD_FAILURE() << "lens pixel " << x << "," << y << " is " << std::hex << shown << ", expected "
                                  << expected;
            }
        EXPECT_EQ(wrong, 0);
    }
    form.Unload();
}

}  // namespace
}  // namespace zoomorb::saver
