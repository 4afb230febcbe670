// Checks the pictures against what the rest of the program assumes about
// them: the saver cuts its window out of the glass by the exact key colour
// and places its lens view, bounce limits and region by the glass's pixel
// ranges at the display's DPI, so a drawing that drifts from them breaks the
// saver.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "pictures/preview_picture.h"
#include "pictures/glass/glass_geometry.h"
#include "pictures/glass/glass_picture.h"

namespace {

namespace glass = zoomorb::glass;

using Bytes = std::vector<uint8_t>;

Bytes ReadResource(const std::string& name) {
    std::ifstream in(std::string(ZOOMORB_SOURCE_DIR) + "/src/resources/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Read16(const Bytes& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
uint32_t Read32(const Bytes& b, size_t at) { return Read16(b, at) | Read16(b, at + 2) << 16; }

struct Pixel {
    uint8_t r, g, b;
    bool IsKey() const { return r == 255 && g == 0 && b == 0; }
    bool IsWhite() const { return r == 255 && g == 255 && b == 255; }
};

struct Bitmap {
    int width = 0, height = 0, bitsPerPixel = 0;
    std::vector<Pixel> pixels;  // top row first
    const Pixel& At(int x, int y) const { return pixels.at(static_cast<size_t>(y) * width + x); }
};

// Reads an uncompressed bottom-up 24-bit BMP; other kinds keep no pixels.
Bitmap ReadBmp(const std::string& name) {
    Bytes file = ReadResource(name);
    Bitmap bmp;
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return bmp;
    bmp.width = static_cast<int32_t>(Read32(file, 18));
    bmp.height = static_cast<int32_t>(Read32(file, 22));
    bmp.bitsPerPixel = static_cast<int>(Read16(file, 28));
    if (bmp.bitsPerPixel != 24 || Read32(file, 30) != 0 || bmp.width <= 0 || bmp.height <= 0) return bmp;
    const size_t stride = (static_cast<size_t>(bmp.width) * 3 + 3) & ~size_t{3};
    const size_t offset = Read32(file, 10);
    for (int y = 0; y < bmp.height; ++y) {
        size_t row = offset + static_cast<size_t>(bmp.height - 1 - y) * stride;
        for (int x = 0; x < bmp.width; ++x) {
            size_t at = row + static_cast<size_t>(x) * 3;
            bmp.pixels.push_back({file.at(at + 2), file.at(at + 1), file.at(at)});
        }
    }
    return bmp;
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    void Add(int x, int y) {
        left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x), bottom = std::max(bottom, y);
    }
    bool operator==(const Box& o) const { return left == o.left && top == o.top && right == o.right && bottom == o.bottom; }
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "x " << box.left << ".." << box.right << ", y " << box.top << ".." << box.bottom;
}

// The glass as the saver draws it for a display's DPI; at 96 DPI it is
// lens.bmp (the generator check proves the two are the same bytes).
class LensBitmap : public ::testing::TestWithParam<int32_t> {
protected:
    void SetUp() override {
        layout_ = glass::LayoutAtDpi(GetParam());
        lens_ = BitmapOf(zoomorb::pictures::DrawLensBitmap(GetParam()));
    }
    const Bitmap& Lens() const { return lens_; }
    const glass::Layout& Layout() const { return layout_; }
    double Scale() const { return GetParam() / 96.0; }

private:
    static Bitmap BitmapOf(const zoomorb::pictures::Image& image) {
        Bitmap bmp{image.Width(), image.Height(), 24, {}};
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x) bmp.pixels.push_back({image.At(x, y).r, image.At(x, y).g, image.At(x, y).b});
        return bmp;
    }
    glass::Layout layout_{};
    Bitmap lens_;
};

INSTANTIATE_TEST_SUITE_P(Dpi, LensBitmap, ::testing::Values(96, 120, 144, 192, 288));

TEST_P(LensBitmap, GlassLiesExactlyInTheRangesTheSaverAssumes) {
    ASSERT_EQ(Lens().width, Layout().pictureWidth);
    ASSERT_EQ(Lens().height, Layout().pictureHeight);
    Box circle, handle;
    for (int y = 0; y < Lens().height; ++y)
        for (int x = 0; x < Lens().width; ++x)
            if (!Lens().At(x, y).IsKey()) (y < Layout().handle.y.first ? circle : handle).Add(x, y);
    const auto boxOf = [](const glass::Area& area) { return Box{area.x.first, area.y.first, area.x.last, area.y.last}; };
    EXPECT_EQ(circle, boxOf(Layout().circle));
    EXPECT_EQ(handle, boxOf(Layout().handle));
}

TEST_P(LensBitmap, InteriorIsWhiteWhereTheLensViewGoes) {
    // The ellipse inscribed in the interior's pixels, tested at pixel centres.
    const glass::Span xs = Layout().interior.x, ys = Layout().interior.y;
    const double cx = (xs.first + xs.last) / 2.0, cy = (ys.first + ys.last) / 2.0;
    const double rx = (xs.last - xs.first + 1) / 2.0, ry = (ys.last - ys.first + 1) / 2.0;
    int whiteInside = 0, inside = 0;
    for (int y = ys.first; y <= ys.last; ++y) {
        for (int x = xs.first; x <= xs.last; ++x) {
            double dx = (x - cx) / rx, dy = (y - cy) / ry;
            if (dx * dx + dy * dy > 1) continue;
            ++inside;
            if (Lens().At(x, y).IsWhite()) ++whiteInside;
        }
    }
    EXPECT_GT(inside, 18000 * Scale() * Scale());  // about pi x 77.5 x 75 at 96 DPI
    EXPECT_EQ(whiteInside, inside);
}

TEST_P(LensBitmap, OutlineNeverFadesTowardsTheKeyColour) {
    // Only the exact key is cut away, so a reddish fringe pixel would stay on
    // screen as a red halo around the glass.
    int edgePixels = 0;
    for (int y = 0; y < Lens().height; ++y) {
        for (int x = 0; x < Lens().width; ++x) {
            const Pixel& p = Lens().At(x, y);
            if (p.IsKey()) continue;
            bool touchesKey = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (x + dx >= 0 && y + dy >= 0 && x + dx < Lens().width && y + dy < Lens().height &&
                        Lens().At(x + dx, y + dy).IsKey())
                        touchesKey = true;
            if (!touchesKey) continue;
            ++edgePixels;
            EXPECT_TRUE(p.g >= 40 || p.b >= 40) << "pixel " << x << "," << y << " is nearly red";
        }
    }
    EXPECT_GT(edgePixels, 400 * Scale());
}

TEST_P(LensBitmap, KeyColourRunsGiveOneClosedOutline) {
    // Every row of the glass is one run: the handle joins the rim without a gap.
    for (int y = 0; y < Lens().height; ++y) {
        int rowRuns = 0;
        for (int x = 0; x < Lens().width; ++x)
            if (!Lens().At(x, y).IsKey() && (x == 0 || Lens().At(x - 1, y).IsKey())) ++rowRuns;
        const bool onGlass = y >= Layout().circle.y.first && y <= Layout().handle.y.last;
        EXPECT_EQ(rowRuns, onGlass ? 1 : 0) << "row " << y;
    }
}

TEST(Pictures, TheSceneOfThePreviewIsTheSameAtTwiceTheDpi) {
    // Drawn for 192 DPI and shrunk back by averaging 2 x 2 pixels, the preview
    // is the 96-DPI picture but for the finer anti-aliasing of its edges.
    const auto design = zoomorb::pictures::DrawPreviewPicture(96);
    const auto twice = zoomorb::pictures::DrawPreviewPicture(192);
    ASSERT_EQ(twice.Width(), 2 * design.Width());
    ASSERT_EQ(twice.Height(), 2 * design.Height());
    double difference = 0;
    for (int y = 0; y < design.Height(); ++y) {
        for (int x = 0; x < design.Width(); ++x) {
            for (const auto channel : {&zoomorb::pictures::Rgb::r, &zoomorb::pictures::Rgb::g, &zoomorb::pictures::Rgb::b}) {
                const double shrunk = (twice.At(2 * x, 2 * y).*channel + twice.At(2 * x + 1, 2 * y).*channel +
                                       twice.At(2 * x, 2 * y + 1).*channel + twice.At(2 * x + 1, 2 * y + 1).*channel) /
                                      4.0;
                difference += std::fabs(shrunk - design.At(x, y).*channel);
            }
        }
    }
    EXPECT_LT(difference / (design.Width() * design.Height() * 3), 1.0);
}

TEST(Pictures, PreviewAndDialogPicturesHaveTheirFormSizes) {
    Bitmap preview = ReadBmp("preview.bmp"), dialog = ReadBmp("dialog_picture.bmp");
    EXPECT_EQ(preview.width, 179);
    EXPECT_EQ(preview.height, 200);
    EXPECT_EQ(preview.pixels.size(), 179u * 200u);
    EXPECT_EQ(dialog.width, 120);
    EXPECT_EQ(dialog.height, 128);
    EXPECT_EQ(dialog.pixels.size(), 120u * 128u);
}

TEST(Pictures, IconHoldsMaskedTrueColourImagesOf16And32) {
    Bytes icon = ReadResource("zoomorb.ico");
    ASSERT_GE(icon.size(), 6u + 2 * 16u);
    EXPECT_EQ(Read16(icon, 2), 1u);  // icon, not cursor
    ASSERT_EQ(Read16(icon, 4), 2u);
    for (int i = 0; i < 2; ++i) {
        const size_t entry = 6 + 16 * static_cast<size_t>(i);
        const uint32_t size = i == 0 ? 16 : 32;
        EXPECT_EQ(icon.at(entry), size);
        EXPECT_EQ(icon.at(entry + 1), size);
        const uint32_t bytes = Read32(icon, entry + 8), at = Read32(icon, entry + 12);
        ASSERT_LE(size_t{at} + bytes, icon.size());
        EXPECT_EQ(Read32(icon, at + 8), 2 * size) << "colour rows and AND mask";
        EXPECT_EQ(Read16(icon, at + 14), 24u);
        const uint32_t colourRows = size * size * 3, maskRows = size * 4;
        EXPECT_EQ(bytes, 40 + colourRows + maskRows);
    }
}

TEST(Pictures, HandCursorPointsWithItsFingertip) {
    Bytes cursor = ReadResource("hand.cur");
    ASSERT_GE(cursor.size(), 22u + 40u);
    EXPECT_EQ(Read16(cursor, 2), 2u);  // cursor
    EXPECT_EQ(Read16(cursor, 4), 1u);
    EXPECT_EQ(cursor[6], 32);
    EXPECT_EQ(cursor[7], 32);
    EXPECT_EQ(Read16(cursor, 10), 12u);
    EXPECT_EQ(Read16(cursor, 12), 1u);
    const uint32_t at = Read32(cursor, 18);
    EXPECT_EQ(Read16(cursor, at + 14), 4u);  // 16 colours
    // The hot spot must sit on the drawn hand, not on a transparent pixel:
    // AND mask bit 0 at (12, 1), rows stored bottom-up, 4 bytes each.
    const size_t mask = at + 40 + 16 * 4 + 32 * 16;
    const size_t row = mask + static_cast<size_t>(31 - 1) * 4;
    EXPECT_EQ(cursor.at(row + 12 / 8) & (0x80 >> (12 % 8)), 0);
}

}  // namespace
