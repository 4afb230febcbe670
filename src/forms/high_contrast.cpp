#include "high_contrast.h"

#include <windows.h>

namespace forms {
namespace {

std::function<bool()>& HighContrastHook() {
    static std::function<bool()> hook;
    return hook;
}

}  // namespace

bool HighContrastOn() {
    if (HighContrastHook()) return HighContrastHook()();
    HIGHCONTRASTW state{};
    state.cbSize = sizeof state;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0) &&
           (state.dwFlags & HCF_HIGHCONTRASTON);
}

void SetHighContrastHook(std::function<bool()> hook) { HighContrastHook() = std::move(hook); }

}  // namespace forms
