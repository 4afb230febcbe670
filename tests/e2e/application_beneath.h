#pragma once
// A user's application covering the screen beneath the saver, in the
// foreground, counting the input it gets. It holds the mouse, as during a
// drag or with a menu open, so that any mouse input let through reaches it
// wherever the saver has put the cursor (over the glass, at first).

#include <windows.h>

#include <chrono>
#include <functional>

namespace e2e {

struct Received {
    int clicks = 0;
    int releases = 0;  // buttons act on release
    int heldMoves = 0;  // moves with a button down: a drag, a paint stroke
    int wheelTurns = 0;
    int keys = 0;
    int escapes = 0;
};

class ApplicationBeneath {
public:
    ApplicationBeneath();
    ~ApplicationBeneath();
    ApplicationBeneath(const ApplicationBeneath&) = delete;
    ApplicationBeneath& operator=(const ApplicationBeneath&) = delete;

    HWND Get() const { return window_; }
    // A click, a wheel turn, a letter and Enter.
    void SendUserInput();
    Received TakeReceived();
    // Pumps this window's messages until `done` holds or `timeout` passes.
    bool WaitUntil(const std::function<bool(const Received&)>& done, std::chrono::milliseconds timeout);

private:
    HWND window_ = nullptr;
    Received received_;
};

}  // namespace e2e
