#pragma once
// Number conversions with the classic semantics: reals stored into integers
// round halves to the even neighbour and are range-checked (Overflow);
// integer division truncates toward zero; text becomes a number either
// leniently (leading number, 0 when none) or strictly (Type mismatch).

#include <cstdint>
#include <string>
#include <string_view>

namespace forms {

// Nearest integer, halves to even, as a double (no range check).
double RoundHalfEven(double value);

// Nearest integer, halves up (toward +infinity), as a double (no range
// check). Not the program's rule for stored reals: only for the sums and
// levels of pictures that were made this way and must stay as they are.
double RoundHalfUp(double value);

// numerator / denominator (denominator > 0) to the nearest whole number in
// exact integer arithmetic: halves to even, the rule of every stored real;
// and halves up, where a picture's arithmetic was made that way.
constexpr int64_t DivideRoundedHalfEven(int64_t numerator, int64_t denominator) {
    int64_t whole = numerator / denominator;
    int64_t rest = numerator % denominator;
    if (rest < 0) {
        rest += denominator;
        --whole;
    }
    const bool up = 2 * rest > denominator || (2 * rest == denominator && whole % 2 != 0);
    return up ? whole + 1 : whole;
}
constexpr int64_t DivideRoundedHalfUp(int64_t numerator, int64_t denominator) {
    const int64_t twice = 2 * numerator + denominator;
    const int64_t whole = twice / (2 * denominator);
    return twice % (2 * denominator) < 0 ? whole - 1 : whole;
}

// Real to 16-bit / 32-bit integer: halves to even, Overflow outside the range
// (and for NaN or infinity).
int16_t ToInt16(double value);
int32_t ToInt32(double value);

// Integer arithmetic with overflow detection, for 16- and 32-bit variables.
int16_t CheckedInt16(int64_t value);
int32_t CheckedInt32(int64_t value);

// Integer division (`\`): truncates toward zero; Division by zero for 0.
int64_t IntDiv(int64_t numerator, int64_t denominator);

// Lenient reading: blanks, tabs and line breaks are skipped, then the longest
// prefix that forms a decimal number (sign, digits, one decimal point, an
// exponent with E or D) is taken; &H and &O prefixes read hexadecimal and octal.
// Text that does not begin with a number gives 0.
double Val(std::string_view text);

// Strict reading: the whole text, surrounding blanks allowed, must be one
// decimal number written with `decimalSeparator`; otherwise Type mismatch.
double ParseNumber(std::string_view text, char decimalSeparator = '.');

// Number to text: a blank before numbers of 0 and above, a minus sign before
// negative ones ("Str"); and the plain decimal text without the blank.
std::string Str(int64_t value);
std::string DecimalText(int64_t value);

}  // namespace forms
