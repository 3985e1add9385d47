#include "strip_file_name.h"

#include <cstring>

#include "../common/profile_text.h"

int stripFileName(char* path) {
    if (path == nullptr) return 0;
    const size_t length = std::strlen(path);
    if (length < 3) return 0;
    size_t cut = 3;
    for (size_t i = 0; i < length; ++i) {
        if (isShiftJisLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < length)
            ++i;
        else if (path[i] == '\\' && i >= 3)
            cut = i + 1;
    }
    path[cut] = '\0';
    return 1;
}
