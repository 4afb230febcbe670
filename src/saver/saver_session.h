#pragma once
// What a running saver changes in the system, held in one place and put
// right in one place, whichever way the saver ends: Escape, a close request,
// a session end, or a run-time error. Made by start-up before the saver's
// window, it outlives the window's every handler.
//
// While it lives: the system is told a screen saver runs (when started as
// the system's saver), the user's input is kept from every other program,
// and the desktop's device context is held for the lens. Restore (or the
// destructor) gives the input back, tells the system the saver stopped,
// leaves screen saving switched on and releases the device context, in that
// order.

#include <windows.h>

#include <optional>

#include "forms/handles.h"
#include "saver/input_blocker.h"

namespace zoomorb::saver {

class SaverSession {
public:
    // `saverMode`: started by the system as its saver (mode "S"); only then
    // is the system told that a saver runs, and the 9x family's password
    // asked for.
    explicit SaverSession(bool saverMode);
    ~SaverSession();
    SaverSession(const SaverSession&) = delete;
    SaverSession& operator=(const SaverSession&) = delete;

    bool SaverMode() const { return saverMode_; }
    HDC DesktopDc() const { return desktopDc_.Get(); }

    // Whether an Escape pressed since the last call, while the saver ran,
    // asks it to end: one the hooks swallowed, or one held down now (a
    // dialog of ours has the keyboard, or the system refused the hooks).
    bool EscapePressed();
    // Whether the saver may move the cursor without dragging, painting or
    // clicking in another program.
    bool CursorMayMove() const;

    // Puts the system back as it was before the saver; once.
    void Restore();

private:
    bool saverMode_;
    bool restored_ = false;
    std::optional<InputBlocker> inputBlocker_;
    forms::WindowDc desktopDc_;
};

}  // namespace zoomorb::saver
