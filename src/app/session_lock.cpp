#include "app/session_lock.h"

namespace zoomorb {
namespace {

// Local\: per logged-on session, so each user's session has its own saver.
constexpr wchar_t kLockName[] = L"Local\\Zoomorb.SaverOrSettings";

}  // namespace

SessionLock::SessionLock() : mutex_(CreateMutexW(nullptr, FALSE, kLockName)) {
    if (!mutex_) return;
    const DWORD taken = WaitForSingleObject(mutex_.Get(), 0);
    held_ = taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED;
}

SessionLock::~SessionLock() {
    if (held_) ReleaseMutex(mutex_.Get());
}

}  // namespace zoomorb
