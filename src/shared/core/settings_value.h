#pragma once
// The magnification as the settings file stores it: percent, decimal text.

#include <cstdint>
#include <string>
#include <string_view>

namespace zoomorb {

constexpr int32_t kDefaultMagnification = 200;

// The magnification a stored value text stands for. Empty text, text that is
// not a number, and values of 0 or below give the default: the view divides
// by the magnification and a negative one would mirror it. Large values are
// kept as they are; the view copes with them.
int32_t MagnificationFromText(std::string_view valueText);

// The value text the settings dialog writes: a blank before the number.
std::string MagnificationToText(int32_t magnification);

}  // namespace zoomorb
