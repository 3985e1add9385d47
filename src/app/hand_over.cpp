#include "hand_over.h"

#include <cstring>

#include "../common/profile_text.h"

size_t composeHandOver(const char* folder, const char* tail, char* out, size_t outSize) {
    if (folder == nullptr || out == nullptr) return 0;
    if (tail == nullptr) tail = "";
    const size_t folderLength = std::strlen(folder);
    const size_t tailLength = std::strlen(tail);
    if (folderLength >= kHandOverFolderSize || tailLength >= kHandOverTailSize ||
        outSize < folderLength + tailLength + 2)
        return 0;
    std::memcpy(out, folder, folderLength + 1);
    std::memcpy(out + folderLength + 1, tail, tailLength);
    out[folderLength + 1 + tailLength] = '\0';
    return folderLength + tailLength + 2;
}

int readHandOver(unsigned long tag, const void* data, size_t size, HandOver* out) {
    if (tag != kHandOverTag || data == nullptr || out == nullptr || size < 2 || size > kHandOverMaxSize) return 0;
    const char* bytes = static_cast<const char*>(data);
    const void* end = std::memchr(bytes, '\0', size);
    if (end == nullptr) return 0;
    const size_t folderLength = static_cast<size_t>(static_cast<const char*>(end) - bytes);
    const char* tail = bytes + folderLength + 1;
    const size_t rest = size - folderLength - 1;
    // The tail ends with the message's last byte, its only terminator.
    if (folderLength == 0 || folderLength >= kHandOverFolderSize || rest == 0 || rest > kHandOverTailSize ||
        std::memchr(tail, '\0', rest) != tail + rest - 1)
        return 0;
    std::memcpy(out->folder, bytes, folderLength + 1);
    out->request = parseStartRequest(tail);
    return 1;
}
