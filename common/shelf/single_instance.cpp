// The single-instance mutex, written once so that no program reads a stale
// ERROR_ALREADY_EXISTS left by an earlier call and quits without a word.
#include "single_instance.h"

#include <windows.h>

namespace shelf {

bool AnotherInstanceHolds(const char *mutexName) {
    // CreateMutexA leaves the last error alone when it makes a new mutex.
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexA(NULL, TRUE, mutexName);
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    // This extra handle adds nothing to the holder's; don't leak one per try.
    if (mutex) CloseHandle(mutex);
    return true;
}

}  // namespace shelf
