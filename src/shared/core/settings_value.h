#pragma once
// The magnification: its default and the range the settings dialog offers,
// and the form the settings file stores it in: percent, decimal text.

#include <cstdint>
#include <string>
#include <string_view>

namespace zoomorb {

constexpr int32_t kDefaultMagnification = 200;
// Never 0, which the view divides by. The dialog steps by tens from the
// minimum, landing exactly on the default and on the maximum.
constexpr int32_t kMinimumMagnification = 10;
constexpr int32_t kMaximumMagnification = 500;

// The magnification a stored value text stands for. Empty text, text that is
// not a number, and values of 0 or below give the default: the view divides
// by the magnification and a negative one would mirror it. Large values are
// kept as they are (the view copes with them), even beyond the dialog's range.
int32_t MagnificationFromText(std::string_view valueText);

// Whether a stored value text is one the settings dialog could have saved:
// a whole number from the minimum to the maximum in plain digits, with at
// most the one blank the dialog puts before it ("1e2", "+100", "100.0" and
// "0100" are not).
bool IsDialogMagnification(std::string_view valueText);

// The value text the settings dialog writes: a blank before the number.
std::string MagnificationToText(int32_t magnification);

}  // namespace zoomorb
