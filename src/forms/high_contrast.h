#pragma once
// Whether the user reads the screen in a high-contrast theme: then windows
// draw in the theme's colours instead of their own.

#include <functional>

namespace forms {

bool HighContrastOn();

// In-process tests stand in for the system's answer, which not every system
// under test can switch; an empty function restores it.
void SetHighContrastHook(std::function<bool()> hook);

}  // namespace forms
