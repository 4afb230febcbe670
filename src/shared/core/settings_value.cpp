#include "settings_value.h"

#include "forms/core/numbers.h"
#include "forms/core/runtime_error.h"

namespace zoomorb {

int32_t MagnificationFromText(std::string_view valueText) {
    if (valueText.empty()) return kDefaultMagnification;
    try {
        const int32_t value = forms::ToInt32(forms::ParseNumber(valueText));
        return value > 0 ? value : kDefaultMagnification;
    } catch (const forms::RuntimeError&) {
        return kDefaultMagnification;
    }
}

bool IsDialogMagnification(std::string_view valueText) {
    try {
        const double value = forms::ParseNumber(valueText);
        return value == forms::RoundHalfEven(value) && value >= kMinimumMagnification &&
               value <= kMaximumMagnification;
    } catch (const forms::RuntimeError&) {
        return false;
    }
}

std::string MagnificationToText(int32_t magnification) { return forms::Str(magnification); }

}  // namespace zoomorb
