// Any command line gives a tail inside it and a launch mode, and "/L NAME" a name that
// fits its buffer and is never empty when whole.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/launch_mode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const char* tail = commandLineTail(line.c_str());
    if (tail < line.c_str() || tail > line.c_str() + std::strlen(line.c_str())) std::abort();
    const LaunchMode mode = launchModeFromTail(tail);
    char name[100];
    const int whole = profileNameFromTail(tail, name, sizeof name);
    if (std::strlen(name) >= sizeof name || (whole && (mode != SelectNamed || name[0] == '\0'))) std::abort();
    if (mode != Normal && mode != SelectNamed && std::strlen(tail) != 2) std::abort();
    return 0;
}
