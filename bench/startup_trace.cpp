// The traced build's marks: the time of each since the process was created, written at
// the first paint to the file named by TESSALY_STARTUP_TRACE, a line "step microseconds"
// each (integers: the tool links no floating-point formatting).
#include <windows.h>

#include <cstring>

#include "app/startup_trace.h"

namespace {

struct Mark {
    const char* step;
    unsigned long us;
};
Mark marks[16];
int markCount = 0;
bool traceWritten = false;

unsigned long usSinceCreation() {
    FILETIME creation, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exited, &kernel, &user)) return 0;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER from, to;
    from.LowPart = creation.dwLowDateTime;
    from.HighPart = creation.dwHighDateTime;
    to.LowPart = now.dwLowDateTime;
    to.HighPart = now.dwHighDateTime;
    return static_cast<unsigned long>((to.QuadPart - from.QuadPart) / 10);
}

}  // namespace

void startupMark(const char* step) {
    if (traceWritten || markCount == 16) return;
    marks[markCount++] = {step, usSinceCreation()};
    if (std::strcmp(step, "first paint") != 0) return;
    traceWritten = true;
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TESSALY_STARTUP_TRACE", path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    for (int i = 0; i < markCount; ++i) {
        char line[96];
        const int size = wsprintfA(line, "%.60s\t%lu\n", marks[i].step, marks[i].us);
        DWORD written = 0;
        WriteFile(file, line, size, &written, nullptr);
    }
    CloseHandle(file);
}
