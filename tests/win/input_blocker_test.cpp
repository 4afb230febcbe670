// The saver's input blocker against the real hook functions: it says which
// input it keeps from other programs, and its hooks' thread ends whatever
// the system refused.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "saver/input/input_blocker.h"

namespace zoomorb::saver {
namespace {

using namespace std::chrono_literals;

HHOOK WINAPI RefuseKeyboard(int id, HOOKPROC procedure, HINSTANCE instance, DWORD thread) {
    return id == WH_KEYBOARD_LL ? nullptr : SetWindowsHookExW(id, procedure, instance, thread);
}
HHOOK WINAPI RefuseMouse(int id, HOOKPROC procedure, HINSTANCE instance, DWORD thread) {
    return id == WH_MOUSE_LL ? nullptr : SetWindowsHookExW(id, procedure, instance, thread);
}
HHOOK WINAPI RefuseBoth(int, HOOKPROC, HINSTANCE, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

// Destroys the blocker on a thread of its own, so that a shutdown that hangs
// fails the test instead of hanging it.
bool EndsWithin(std::unique_ptr<InputBlocker> blocker, std::chrono::seconds limit) {
    auto ended = std::make_shared<std::promise<void>>();
    std::future<void> done = ended->get_future();
    std::thread([blocker = std::move(blocker), ended]() mutable {
        blocker.reset();
        ended->set_value();
    }).detach();
    return done.wait_for(limit) == std::future_status::ready;
}

TEST(InputBlocker, SaysWhichInputItBlocksAndEndsWhateverTheSystemRefused) {
    const struct {
        const char* name;
        InputBlocker::InstallHook install;
        bool keyboard, mouse;
    } cases[] = {
        {"the system's hooks", &SetWindowsHookExW, true, true},
        {"no keyboard hook", &RefuseKeyboard, false, true},
        {"no mouse hook", &RefuseMouse, true, false},
        {"no hooks", &RefuseBoth, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto blocker = std::make_unique<InputBlocker>(c.install);
        EXPECT_EQ(blocker->Blocks().keyboard, c.keyboard);
        EXPECT_EQ(blocker->Blocks().mouse, c.mouse);
        // No button is held here: only an unblocked mouse keeps the cursor still.
        EXPECT_EQ(blocker->CursorMayMove(), c.mouse);
        EXPECT_TRUE(EndsWithin(std::move(blocker), 5s)) << "the hooks' thread did not end";
    }
}

}  // namespace
}  // namespace zoomorb::saver
