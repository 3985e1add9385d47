// The machine-wide mutex that keeps a second copy of the tool from running.
#pragma once

#include <windows.h>

// 1 when this process is the first instance (it now owns the mutex), else 0.
int acquireInstanceMutex(const char* name);
void releaseInstanceMutex();

extern HANDLE instanceMutex;
