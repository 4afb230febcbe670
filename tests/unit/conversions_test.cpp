#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>
#include <utility>

#include "forms/core/numbers.h"
#include "forms/core/pixel_rect.h"
#include "forms/core/runtime_error.h"
#include "forms/core/units.h"

using forms::ErrorNumber;
using forms::RuntimeError;

namespace {

ErrorNumber ErrorOf(void (*statement)()) {
    try {
        statement();
    } catch (const RuntimeError& error) {
        return error.Number();
    }
    ADD_FAILURE() << "no run-time error";
    return ErrorNumber::InvalidProcedureCall;
}

// Whether a length of type `From` can be given where device pixels are
// wanted, and a rectangle of `Area` where one of pixels is.
template <typename From, typename = void>
struct TakenAsPixels : std::false_type {};
template <typename From>
struct TakenAsPixels<From, std::void_t<decltype(forms::PixelsToTwips(std::declval<From>(), 96))>>
    : std::true_type {};
template <typename Area, typename = void>
struct TakenAsPixelRect : std::false_type {};
template <typename Area>
struct TakenAsPixelRect<Area, std::void_t<decltype(forms::Intersection(std::declval<Area>(), forms::PixelRect{}))>>
    : std::true_type {};

// A length in one unit is never taken for a length in another, nor a bare
// number for either: the line that tries does not compile.
static_assert(TakenAsPixels<forms::Pixels>::value);
static_assert(!TakenAsPixels<forms::Twips>::value);
static_assert(!TakenAsPixels<forms::DesignPixels>::value);
static_assert(!TakenAsPixels<int32_t>::value);
static_assert(!std::is_convertible_v<forms::Twips, forms::Pixels>);
static_assert(!std::is_convertible_v<int32_t, forms::Twips>);
static_assert(TakenAsPixelRect<forms::PixelRect>::value);
static_assert(!TakenAsPixelRect<forms::TwipsArea>::value);

}  // namespace

TEST(Conversions, RealToIntegerRoundsHalvesToEven) {
    EXPECT_EQ(forms::ToInt32(0.5), 0);
    EXPECT_EQ(forms::ToInt32(1.5), 2);
    EXPECT_EQ(forms::ToInt32(2.5), 2);
    EXPECT_EQ(forms::ToInt32(-0.5), 0);
    EXPECT_EQ(forms::ToInt32(-1.5), -2);
    EXPECT_EQ(forms::ToInt32(75.5), 76);
    EXPECT_EQ(forms::ToInt32(324.5), 324);
    EXPECT_EQ(forms::ToInt32(325.5), 326);
    EXPECT_EQ(forms::ToInt16(22.5), 22);
    EXPECT_EQ(forms::ToInt16(23.5), 24);
    EXPECT_EQ(forms::ToInt32(150.6), 151);
}

TEST(Conversions, OverflowBeyondTheIntegerRange) {
    EXPECT_EQ(forms::ToInt16(32767.4), 32767);
    EXPECT_EQ(forms::ToInt16(-32768.5), -32768);  // ties to the even neighbour, which fits
    EXPECT_EQ(ErrorOf([] { forms::ToInt16(32767.5); }), ErrorNumber::Overflow);
    EXPECT_EQ(ErrorOf([] { forms::ToInt16(-32769); }), ErrorNumber::Overflow);
    EXPECT_EQ(forms::ToInt32(2147483647.0), INT32_MAX);
    EXPECT_EQ(ErrorOf([] { forms::ToInt32(2147483647.5); }), ErrorNumber::Overflow);
    EXPECT_EQ(ErrorOf([] { forms::ToInt32(-2147483649.0); }), ErrorNumber::Overflow);
    EXPECT_EQ(ErrorOf([] { forms::ToInt32(std::numeric_limits<double>::quiet_NaN()); }), ErrorNumber::Overflow);
    EXPECT_EQ(ErrorOf([] { forms::CheckedInt16(int64_t{32768}); }), ErrorNumber::Overflow);
    EXPECT_EQ(ErrorOf([] { forms::CheckedInt32(int64_t{INT32_MAX} + 1); }), ErrorNumber::Overflow);
}

TEST(Conversions, IntegerDivisionTruncatesTowardZero) {
    EXPECT_EQ(forms::IntDiv(10980, 2), 5490);
    EXPECT_EQ(forms::IntDiv(-7, 2), -3);
    EXPECT_EQ(forms::IntDiv(7, -2), -3);
    EXPECT_EQ(ErrorOf([] { forms::IntDiv(1, 0); }), ErrorNumber::DivisionByZero);
}

TEST(Conversions, ValTakesTheLeadingNumber) {
    EXPECT_EQ(forms::Val("1234"), 1234);
    EXPECT_EQ(forms::Val("  1234"), 1234);
    EXPECT_EQ(forms::Val("12 34"), 1234);  // blanks are ignored inside the number too
    EXPECT_EQ(forms::Val("1234abc"), 1234);
    EXPECT_EQ(forms::Val("-42"), -42);
    EXPECT_EQ(forms::Val("1.5e2x"), 150);
    EXPECT_EQ(forms::Val("&HFF"), 255);
    EXPECT_EQ(forms::Val("&O17"), 15);
    EXPECT_EQ(forms::Val(""), 0);
    EXPECT_EQ(forms::Val("abc"), 0);
    EXPECT_EQ(forms::Val("-"), 0);
    EXPECT_EQ(forms::Val("1e"), 1);
}

TEST(Conversions, StrictParsingRejectsWhatIsNotANumber) {
    EXPECT_EQ(forms::ParseNumber(" 150 "), 150);
    EXPECT_EQ(forms::ParseNumber("150.5"), 150.5);
    EXPECT_EQ(forms::ParseNumber("-50"), -50);
    EXPECT_EQ(forms::ParseNumber("1e3"), 1000);
    EXPECT_EQ(forms::ParseNumber("150,5", ','), 150.5);
    for (const char* text : {"", "   ", "abc", "150abc", "1 50", "1e", "--1", ".", "0x10"}) {
        SCOPED_TRACE(text);
        try {
            forms::ParseNumber(text);
            ADD_FAILURE() << "accepted";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), ErrorNumber::TypeMismatch);
        }
    }
    EXPECT_EQ(ErrorOf([] { forms::ParseNumber("1e999"); }), ErrorNumber::Overflow);
}

TEST(Conversions, NumberToTextPutsABlankBeforeNonNegativeNumbers) {
    EXPECT_EQ(forms::Str(200), " 200");
    EXPECT_EQ(forms::Str(0), " 0");
    EXPECT_EQ(forms::Str(-50), "-50");
    EXPECT_EQ(forms::DecimalText(150), "150");
    EXPECT_EQ(RuntimeError(ErrorNumber::Overflow).Message(), "Run-time error '6':\n\nOverflow");
}

// Twips, design pixels and device pixels at the DPIs displays come in, one
// rounding rule throughout (nearest, halves to even, on either side of
// zero), and the per-axis form the motions use agreeing with it.
TEST(Conversions, UnitsAtEveryDpiRoundToTheNearestHalvesToEven) {
    const struct {
        int32_t dpi;
        int32_t twips;
        int32_t pixels;  // TwipsToPixels(twips)
        int32_t design;
        int32_t designPixels;  // DesignToPixels(design)
    } cases[] = {
        {96, 4380, 292, 203, 203},    {96, -525, -35, -1, -1},     {120, 6, 0, 203, 254},
        {120, 18, 2, 5, 6},           {144, 15, 2, 157, 236},      {144, 25, 2, 151, 226},
        {192, 4380, 584, 203, 406},   {192, 11, 1, 1, 2},          {288, 4380, 876, 197, 591},
        {288, 5, 1, 1, 3},            {0, 4380, 292, 203, 203},
        // Below zero (monitors left of or above the primary) as above it.
        {96, -7, 0, -1, -1},          {96, -8, -1, -3, -3},        {120, -18, -2, -5, -6},
        {144, -15, -2, -157, -236},   {144, -25, -2, -151, -226},  {192, -11, -1, -1, -2},
        {288, -4, -1, -1, -3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " DPI");
        EXPECT_EQ(forms::TwipsToPixels(forms::Twips{c.twips}, c.dpi).value, c.pixels);
        EXPECT_EQ(forms::DesignToPixels(forms::DesignPixels{c.design}, c.dpi).value, c.designPixels);
        if (c.dpi > 0) {
            const float twipsPerPixel = forms::TwipsPerPixel(c.dpi);
            const forms::Pixels pixels{c.pixels};
            EXPECT_EQ(forms::TwipsToPixelsByFactor(forms::Twips{c.twips}, twipsPerPixel).value, c.pixels);
            EXPECT_EQ(forms::PixelsToTwips(pixels, c.dpi), forms::PixelsToTwipsByFactor(pixels, twipsPerPixel));
            EXPECT_EQ(forms::TwipsToPixels(forms::PixelsToTwips(pixels, c.dpi), c.dpi), pixels);
        }
    }
    EXPECT_EQ(forms::DesignToTwips(forms::DesignPixels{203}).value, 3045);
}

// At every DPI from 96 to 480 the per-axis factor the motions keep gives
// the very pixel the DPI does for every length of twips up to 60,000 (the
// first that differs is reported), and a length that does not fit in 32 bits
// is an Overflow either way, never a wrapped number.
TEST(Conversions, ThePerAxisFactorGivesThePixelsOfItsDpi) {
    for (int32_t dpi = 96; dpi <= 480; ++dpi) {
        const float twipsPerPixel = forms::TwipsPerPixel(dpi);
        for (int32_t twips = 0; twips <= 60000; ++twips) {
            const int32_t byDpi = forms::TwipsToPixels(forms::Twips{twips}, dpi).value;
            const int32_t byFactor = forms::TwipsToPixelsByFactor(forms::Twips{twips}, twipsPerPixel).value;
            if (byDpi != byFactor) {
                ADD_FAILURE() << twips << " twips at " << dpi << " DPI: " << byDpi << " pixels, by the factor "
                              << byFactor;
                return;
            }
        }
    }
    EXPECT_EQ(ErrorOf([] { forms::PixelsToTwips(forms::Pixels{200000000}, 96); }), ErrorNumber::Overflow);
    EXPECT_EQ(ErrorOf([] { forms::PixelsToTwipsByFactor(forms::Pixels{-200000000}, 15.0f); }), ErrorNumber::Overflow);
}
