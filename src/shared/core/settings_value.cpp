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
    if (!valueText.empty() && valueText.front() == ' ') valueText.remove_prefix(1);
    // No more digits than the maximum has, and no leading zero: "0100" is
    // no text the dialog writes.
    if (valueText.empty() || valueText.size() > 3 || valueText.front() == '0') return false;
    int32_t value = 0;
    for (const char digit : valueText) {
        if (digit < '0' || digit > '9') return false;
        value = value * 10 + (digit - '0');
    }
    return value >= kMinimumMagnification && value <= kMaximumMagnification;
}

std::string MagnificationToText(int32_t magnification) { return forms::Str(magnification); }

}  // namespace zoomorb
