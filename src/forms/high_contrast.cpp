#include "high_contrast.h"

namespace forms {
namespace {

SystemParametersCall& HighContrastHook() {
    static SystemParametersCall call;
    return call;
}

}  // namespace

bool HighContrastOn() {
    HIGHCONTRASTW state{};
    state.cbSize = sizeof state;
    const bool read = HighContrastHook() ? HighContrastHook()(SPI_GETHIGHCONTRAST, sizeof state, &state, 0)
                                         : SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0);
    // Where high contrast is available but off, as it usually is, other
    // flags are set: only this one says the theme is in use.
    return read && (state.dwFlags & HCF_HIGHCONTRASTON);
}

void SetHighContrastHook(SystemParametersCall call) { HighContrastHook() = std::move(call); }

}  // namespace forms
