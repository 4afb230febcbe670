#pragma once
// How often the lens may be redrawn. At a low magnification a redraw copies
// a large part of the screen and may take longer than its interval; drawn
// back to back, the redraws would leave the rest of the program (the cursor
// steps, the Escape poll) only what is left between them. So after every
// redraw the view rests at least as long as that redraw took: the lens is
// then drawn less often, and drawing never takes more than half the time.

namespace zoomorb::saver {

class RedrawPacing {
public:
    // Whether a redraw is due at `nowMs` (any steady clock in milliseconds).
    bool IsDue(double nowMs) const { return nowMs >= restUntilMs_; }
    // Notes a redraw that ran from `startMs` to `endMs`.
    void Drew(double startMs, double endMs);

private:
    double restUntilMs_ = 0;
};

}  // namespace zoomorb::saver
