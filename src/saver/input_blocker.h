#pragma once
// While the saver runs, the user's clicks, wheel turns and key presses must
// do nothing to anyone: the saver moves the cursor on its own, so a click
// would land on whatever its circle happens to pass. Low-level hooks swallow
// all of it, except while a window of this program is in the foreground (the
// 9x password dialog, a run-time error's message box): then the keys, and the
// mouse over that window, go to it. A swallowed Escape is noted for the poll
// that ends the saver; one that went to our dialog shows in the key state.
//
// The hooks run on a thread of their own: the system waits for a hook's
// answer before it delivers any input, and gives up on (or drops) a hook that
// answers late, which a hook on the saver's own thread would do whenever a
// redraw takes long.

#include <windows.h>

#include <atomic>
#include <future>
#include <thread>

namespace zoomorb::saver {

class InputBlocker {
public:
    // The hooks are in place once the constructor returns...
    InputBlocker();
    // ...and gone once the destructor has returned.
    ~InputBlocker();
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

    // Whether a swallowed Escape was pressed since the last call.
    bool TakeEscapePress() { return escapePressed_.exchange(false); }

private:
    void RunHooks(std::promise<void>& ready);

    std::atomic<bool> escapePressed_{false};
    std::atomic<DWORD> threadId_{0};
    std::thread thread_;
};

}  // namespace zoomorb::saver
