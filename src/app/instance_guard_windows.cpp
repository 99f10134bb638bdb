#include <windows.h>

#include "app/instance_guard.h"

namespace tivra {

bool InstanceGuard::acquire() {
    if (mutex_ != nullptr) return true;
    // A stale error from an earlier call must not read as "already exists".
    SetLastError(0);
    HANDLE mutex = CreateMutexA(nullptr, TRUE, INSTANCE_GUARD_NAME);
    const DWORD error = GetLastError();
    if (mutex == nullptr) return false;
    if (error != 0) {
        // Another copy owns it; our handle does not own it, so the release simply fails.
        ReleaseMutex(mutex);
        CloseHandle(mutex);
        return false;
    }
    mutex_ = mutex;
    return true;
}

void InstanceGuard::release() {
    if (mutex_ == nullptr) return;
    ReleaseMutex(static_cast<HANDLE>(mutex_));
    CloseHandle(static_cast<HANDLE>(mutex_));
    mutex_ = nullptr;
}

}  // namespace tivra
