#pragma once
// Fonts as a designer names them: a face, a size in points and a character
// set. They are made at the screen's DPI, so text grows with the twips-based
// layout around it.

#include <windows.h>

#include <cstdint>

#include <string>

#include "forms/handles.h"

namespace forms {

struct FontDesign {
    // No face: the system's dialog font, as the user's scheme sets it.
    std::wstring face;
    // No size: the face's own (given for the system's font only).
    float points = 0;
    BYTE charset = DEFAULT_CHARSET;
    bool underline = false;
};

// The font at a display's dots per inch, so that a point is a point there.
UniqueFont CreateDesignFont(const FontDesign& design, int32_t dotsPerInch);

}  // namespace forms
