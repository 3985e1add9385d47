#include "instance_mutex.h"

HANDLE instanceMutex = nullptr;

int acquireInstanceMutex(const char* name) {
    instanceMutex = CreateMutexA(nullptr, TRUE, name);
    if (instanceMutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        // Another instance's: not kept open, so the mutex goes when that instance ends.
        CloseHandle(instanceMutex);
        instanceMutex = nullptr;
    }
    return instanceMutex != nullptr;
}

void releaseInstanceMutex() {
    if (instanceMutex == nullptr) return;
    ReleaseMutex(instanceMutex);
    CloseHandle(instanceMutex);
    instanceMutex = nullptr;
}
