#include "saver/saver_session.h"

#include "shared/system.h"

namespace zoomorb::saver {
namespace {

constexpr UINT kScreenSaveActive = 17;  // SPI_SETSCREENSAVEACTIVE

// The key state's "pressed since the last query" bit is shared by every
// program: a key pressed before the saver started (an Escape that closed a
// dialog somewhere) would read as pressed at its first poll, and end it
// before anyone saw it. Reading every key once lets it go.
void ForgetEarlierKeyPresses() {
    for (int key = 1; key < 256; ++key) GetAsyncKeyState(key);
}

}  // namespace

SaverSession::SaverSession(bool saverMode) : saverMode_(saverMode) {
    ForgetEarlierKeyPresses();
    // While the 9x family believes a saver runs, it keeps Ctrl+Alt+Del and
    // the task-switching keys off.
    if (saverMode_) Zoomorb_B::SetSaverStopped(false);
    inputBlocker_.emplace();
    desktopDc_ = forms::WindowDc(GetDesktopWindow());
}

SaverSession::~SaverSession() { Restore(); }

bool SaverSession::EscapePressed() {
    // Only the current state counts from the key state: its other bit may
    // have been set by a press before the saver, or by the Escape that
    // cancelled the 9x password dialog.
    const bool swallowed = inputBlocker_ && inputBlocker_->TakeEscapePress();
    return swallowed || (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0;
}

bool SaverSession::CursorMayMove() const { return inputBlocker_ && inputBlocker_->CursorMayMove(); }

void SaverSession::Restore() {
    if (restored_) return;
    restored_ = true;
    // The user's input flows again first, whatever follows.
    inputBlocker_.reset();
    if (saverMode_) Zoomorb_B::SetSaverStopped(true);
    // Screen saving is left switched on for this session (the user's stored
    // choice is not written), so that the idle timer starts a saver again.
    SystemParametersInfoA(kScreenSaveActive, 1, nullptr, 0);
    desktopDc_.Reset();
}

}  // namespace zoomorb::saver
