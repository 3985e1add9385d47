#include "instance_mutex.h"

HANDLE instanceMutex = nullptr;

int acquireInstanceMutex(const char* name) {
    instanceMutex = CreateMutexA(nullptr, TRUE, name);
    // The handle to another instance's mutex stays open for the few steps until exit.
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    if (instanceMutex == nullptr) return 0;
    return 1;
}

void releaseInstanceMutex() {
    if (instanceMutex == nullptr) return;
    ReleaseMutex(instanceMutex);
    CloseHandle(instanceMutex);
    instanceMutex = nullptr;
}
