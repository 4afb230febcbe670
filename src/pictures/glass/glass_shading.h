#pragma once
// How the glass catches the light. Every drawing of the glass (the saver's
// bitmap, the preview and dialog pictures, the icon) shades its rim and handle
// with these, lit from the upper left, so they read as one object.

#include "pictures/rgb_image.h"

namespace zoomorb::pictures {

// The rim is a tube bent into a ring. across runs from -1 at its inner edge to
// +1 at its outer edge; (outwardX, outwardY) is the unit direction from the
// lens centre.
Colour RimShade(double across, double outwardX, double outwardY);

// The handle is a cylinder. across runs from -1 to +1 over its width, measured
// along (sideX, sideY), the unit direction across the handle pointing right of
// its axis; base is the material's colour.
Colour HandleShade(const Colour& base, double across, double sideX, double sideY);

inline const Colour kGripGrey{150, 152, 162};
inline const Colour kFerruleGrey{112, 114, 130};

}  // namespace zoomorb::pictures
