#pragma once
// Cuts a form to the outline of its picture: every pixel of the key colour
// becomes transparent to the desktop and to the mouse.

#include <cstdint>

namespace forms {
class Form;
}

namespace Zoomorb_B {

// The key asks for "take it from the picture's bottom-left pixel"; on return
// it holds the packed key that was used (blue | green << 8 | red << 16).
constexpr uint32_t kKeyFromPicture = 1;

void ShapeFormFromPicture(forms::Form& frmThis, uint32_t& lKeyColor);

}  // namespace Zoomorb_B
