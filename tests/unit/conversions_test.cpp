#include <gtest/gtest.h>

#include <cstdint>

#include "forms/core/numbers.h"
#include "forms/core/runtime_error.h"

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
