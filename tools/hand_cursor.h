#pragma once
// The pointing hand shown over the settings dialog's button, scroll bar and
// link: 32 x 32, 16 colours, hot spot on the tip of the index finger.

#include "picture_files.h"

namespace zoomorb::pictures {

inline constexpr int kHandHotX = 12, kHandHotY = 1;

Cursor16 DrawHandCursor();

}  // namespace zoomorb::pictures
