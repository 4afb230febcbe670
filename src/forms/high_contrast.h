#pragma once
// Whether the user reads the screen in a high-contrast theme: then windows
// draw in the theme's colours instead of their own.

#include <windows.h>

#include <functional>

namespace forms {

bool HighContrastOn();

// The system call the setting is read through (SystemParametersInfoW's
// shape). In-process tests stand in for it, since not every system under
// test can switch the theme, and fill the structure as Windows does; an
// empty function restores the system's own.
using SystemParametersCall = std::function<BOOL(UINT action, UINT size, void* data, UINT flags)>;
void SetHighContrastHook(SystemParametersCall call);

}  // namespace forms
