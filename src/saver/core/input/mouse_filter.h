#pragma once
// Which mouse input the saver lets through to the windows beneath. The saver
// moves the cursor on its own, so a click would land wherever its circle
// happens to pass: presses, moves and wheel turns go nowhere, except over a
// dialog of ours in the foreground (the 9x password dialog, a run-time
// error's message box). Releases follow their presses: one whose press was
// kept from everyone is kept back too, since buttons act on release; one
// whose press the system saw (made before the saver started, or on our
// dialog) goes on, or the window holding the mouse would keep it and the
// button would read as held after the saver has gone.

#include <cstdint>

namespace zoomorb::saver {

enum class MouseButton : uint8_t { Left, Right, Middle, X1, X2 };
// Moves and wheel turns are Other.
enum class MouseAction : uint8_t { Other, Press, Release };

struct MouseInput {
    MouseAction action = MouseAction::Other;
    MouseButton button = MouseButton::Left;
    bool overOurDialog = false;
};

class MouseFilter {
public:
    // Whether the input goes on to its window; false swallows it.
    bool Passes(const MouseInput& input);

private:
    uint8_t swallowedPresses_ = 0;  // one bit per button
};

}  // namespace zoomorb::saver
