// Any command line gives a tail inside it and a launch mode.
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
    if (mode != Normal && std::strlen(tail) != 2) std::abort();
    return 0;
}
