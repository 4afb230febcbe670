#include "redraw_pacing.h"

namespace zoomorb::saver {

void RedrawPacing::Drew(double startMs, double endMs) { restUntilMs_ = endMs + (endMs - startMs); }

}  // namespace zoomorb::saver
