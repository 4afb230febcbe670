#pragma once
// While the saver runs, the user's clicks, wheel turns and key presses must
// do nothing to anyone: the saver moves the cursor on its own, so a click
// would land on whatever its circle happens to pass. Low-level hooks swallow
// all of it, except while a window of this program is in the foreground (the
// 9x password dialog, a run-time error's message box): then the keys, and the
// mouse over that window, go to it. A swallowed Escape is noted for the poll
// that ends the saver; one that went to our dialog shows in the key state.
// saver/core/input/mouse_filter.h says which button releases go through.
//
// The hooks run on a thread of their own: the system waits for a hook's
// answer before it delivers any input, and gives up on (or drops) a hook that
// answers late, which a hook on the saver's own thread would do whenever a
// redraw takes long.

#include <windows.h>

#include <atomic>
#include <future>
#include <thread>

#include "forms/handles.h"

namespace zoomorb::saver {

class InputBlocker {
public:
    // How a hook is put in place: the system's way, or a test's.
    using InstallHook = decltype(&SetWindowsHookExW);

    struct Blocking {
        bool keyboard = false;
        bool mouse = false;
    };

    // The hooks the system accepted are in place once the constructor
    // returns...
    explicit InputBlocker(InstallHook install = &SetWindowsHookExW);
    // ...and gone once the destructor has returned.
    ~InputBlocker();
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

    // Which input is kept from other programs. Where the system refused a
    // hook, that input flows as without the saver: keys reach the key state,
    // so Escape still ends the saver.
    Blocking Blocks() const { return blocks_; }

    // Whether a swallowed Escape was pressed since the last call.
    bool TakeEscapePress() { return escapePressed_.exchange(false); }

    // Whether the saver may move the cursor without dragging, painting or
    // clicking in another program: the mouse is blocked and no button is
    // held that the system saw pressed.
    bool CursorMayMove() const;

private:
    void RunHooks(InstallHook install, std::promise<Blocking>& ready);

    std::atomic<bool> escapePressed_{false};
    // Wakes the hooks' thread to end it: unlike a posted message, setting an
    // event cannot fail for a full queue.
    forms::UniqueKernelHandle stop_;
    Blocking blocks_;
    std::thread thread_;
};

}  // namespace zoomorb::saver
