#pragma once
// One step of the window over the monitors (every 100 ms): it moves by its
// velocity and, once the glass's circle has reached an edge it moves
// towards that borders no other monitor, turns back with a new random speed.

#include "forms/core/random.h"
#include "saver/core/motion/saver_state.h"
#include "saver/core/motion/screen_metrics.h"

namespace zoomorb::saver {

// Advances `lens`, reseeds the generator from `secondsSinceMidnight` and
// draws the new speed of each axis that bounced. The position is not
// clamped: the caller moves the window to (lens.left, lens.top) twips as it
// stands, and the reversed velocity brings it back from the next step on.
// Only a window left on no monitor by a change of the layout is put on the
// nearest one.
void StepWindow(LensMotion& lens, const ScreenMetrics& screen, forms::Random& random,
                double secondsSinceMidnight);

}  // namespace zoomorb::saver
