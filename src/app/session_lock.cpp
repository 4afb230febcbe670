#include "app/session_lock.h"

namespace zoomorb {

SessionLock::SessionLock() : mutex_(CreateMutexW(nullptr, FALSE, kSessionLockName)) {
    if (!mutex_) return;
    const DWORD taken = WaitForSingleObject(mutex_.Get(), 0);
    held_ = taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED;
}

SessionLock::~SessionLock() {
    if (held_) ReleaseMutex(mutex_.Get());
}

}  // namespace zoomorb
