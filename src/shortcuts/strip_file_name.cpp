#include "strip_file_name.h"

#include <cstring>

int stripFileName(char* path) {
    if (path == nullptr) return 0;
    const size_t length = std::strlen(path);
    if (length < 3) return 0;
    for (size_t i = length; i-- > 3;) {
        if (path[i] == '\\') {
            path[i + 1] = '\0';
            return 1;
        }
    }
    path[3] = '\0';
    return 1;
}
