// Takes "KeldoranAppMutex" by waiting for it and ends without releasing it,
// which leaves the mutex abandoned for the processes that still have it open.
#include "resources/ProductConstants.h"

#include <windows.h>

int main()
{
    HANDLE lock = CreateMutexA(nullptr, FALSE, keld::kInstanceMutexName);
    if (!lock)
        return 2;
    DWORD wait = WaitForSingleObject(lock, 5000);
    return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED ? 0 : 1;
}
