#pragma once
// Small window procedures the forms share: keeping a form on top of all
// others, and the caption animations with which the settings dialog opens
// from and closes towards the mouse.

#include <windows.h>

#include <cstdint>

namespace forms {
class Form;
}

namespace Zoomorb_B {

// Where the settings dialog's caption animations start and end (screen pixels).
extern int16_t AnimOriginX;
extern int16_t AnimOriginY;

void SetTopmost(forms::Form& form, bool topmost);
void AnimateOpen(HWND window);
void AnimateClose(HWND window);

}  // namespace Zoomorb_B
