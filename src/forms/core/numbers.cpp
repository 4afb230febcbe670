#include "numbers.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "runtime_error.h"

namespace forms {
namespace {

// What a number may be written among: blanks, and line ends as well.
bool IsSpaceOrLineEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

template <typename Int>
Int RangeChecked(double value) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    const double rounded = RoundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        Raise(ErrorNumber::Overflow);
    }
    return static_cast<Int>(rounded);
}

double ReadRadix(std::string_view digits, int radix) {
    double value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else break;
        if (d >= radix) break;
        value = value * radix + d;
    }
    return value;
}

}  // namespace

double RoundHalfEven(double value) {
    // nearbyint rounds in the current mode, which this program never leaves:
    // to nearest, ties to even, which is what every stored real needs.
    return std::nearbyint(value);
}

double RoundHalfUp(double value) {
    const double down = std::floor(value);
    return value - down >= 0.5 ? down + 1 : down;
}

int16_t ToInt16(double value) { return RangeChecked<int16_t>(value); }
int32_t ToInt32(double value) { return RangeChecked<int32_t>(value); }

int16_t CheckedInt16(int64_t value) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        Raise(ErrorNumber::Overflow);
    return static_cast<int16_t>(value);
}

int32_t CheckedInt32(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        Raise(ErrorNumber::Overflow);
    return static_cast<int32_t>(value);
}

int64_t IntDiv(int64_t numerator, int64_t denominator) {
    if (denominator == 0) Raise(ErrorNumber::DivisionByZero);
    return numerator / denominator;
}

double Val(std::string_view text) {
    // Blanks are ignored anywhere in the number, so squeeze them out first.
    std::string squeezed;
    squeezed.reserve(text.size());
    for (char c : text)
        if (!IsSpaceOrLineEnd(c)) squeezed += c;

    if (squeezed.size() >= 2 && squeezed[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(squeezed[1])));
        if (kind == 'H') return ReadRadix(std::string_view(squeezed).substr(2), 16);
        if (kind == 'O') return ReadRadix(std::string_view(squeezed).substr(2), 8);
    }

    std::string number;
    size_t i = 0;
    if (i < squeezed.size() && (squeezed[i] == '+' || squeezed[i] == '-')) number += squeezed[i++];
    bool anyDigit = false, seenPoint = false;
    for (; i < squeezed.size(); ++i) {
        const char c = squeezed[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            number += c;
            anyDigit = true;
        } else if (c == '.' && !seenPoint) {
            number += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0;
    if (i < squeezed.size() && (squeezed[i] == 'E' || squeezed[i] == 'e' || squeezed[i] == 'D' || squeezed[i] == 'd')) {
        std::string exponent = "e";
        size_t j = i + 1;
        if (j < squeezed.size() && (squeezed[j] == '+' || squeezed[j] == '-')) exponent += squeezed[j++];
        const size_t digitsStart = j;
        while (j < squeezed.size() && std::isdigit(static_cast<unsigned char>(squeezed[j]))) exponent += squeezed[j++];
        if (j > digitsStart) number += exponent;
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    return value;
}

double ParseNumber(std::string_view text, char decimalSeparator) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsSpaceOrLineEnd(text[begin])) ++begin;
    while (end > begin && IsSpaceOrLineEnd(text[end - 1])) --end;
    const std::string_view body = text.substr(begin, end - begin);

    std::string number;
    size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) number += body[i++];
    size_t digits = 0;
    bool seenSeparator = false;
    for (; i < body.size(); ++i) {
        const char c = body[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            number += c;
            ++digits;
        } else if (c == decimalSeparator && !seenSeparator) {
            number += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (digits == 0) Raise(ErrorNumber::TypeMismatch);
    if (i < body.size() && (body[i] == 'E' || body[i] == 'e')) {
        number += 'e';
        ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) number += body[i++];
        size_t exponentDigits = 0;
        while (i < body.size() && std::isdigit(static_cast<unsigned char>(body[i]))) {
            number += body[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) Raise(ErrorNumber::TypeMismatch);
    }
    if (i != body.size()) Raise(ErrorNumber::TypeMismatch);
    errno = 0;
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    return value;
}

std::string DecimalText(int64_t value) { return std::to_string(value); }

std::string Str(int64_t value) { return value >= 0 ? " " + std::to_string(value) : std::to_string(value); }

}  // namespace forms
