#pragma once
// One saver or settings dialog per session. The title check at start-up
// cannot see a window that another instance is still creating, so two
// instances started at the same instant would both pass it; a lock named for
// the session, taken before any window exists, lets only one of them on.

#include "forms/handles.h"

namespace zoomorb {

// Local\: per logged-on session, so each user's session has its own saver.
inline constexpr wchar_t kSessionLockName[] = L"Local\\Zoomorb.SaverOrSettings";

class SessionLock {
public:
    // Tries to take the lock; an instance that ended without giving it back
    // (a crash, a forced end) does not keep it.
    SessionLock();
    ~SessionLock();
    SessionLock(const SessionLock&) = delete;
    SessionLock& operator=(const SessionLock&) = delete;

    bool Held() const { return held_; }

private:
    forms::UniqueKernelHandle mutex_;
    bool held_ = false;
};

}  // namespace zoomorb
