#include "script_path.h"

#include <cstring>

#include "../common/profile_text.h"
#include "../common/text_builder.h"

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// The name before the first dot, blanks at its end dropped, is what Windows compares with
// its device names.
bool namesDevice(const char* part, size_t length) {
    size_t base = 0;
    while (base < length && part[base] != '.') ++base;
    while (base > 0 && part[base - 1] == ' ') --base;
    static const char* const kDevices[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (const char* device : kDevices) {
        size_t i = 0;
        while (i < base && device[i] != '\0' && lowerAscii(part[i]) == device[i]) ++i;
        if (i == base && device[i] == '\0') return true;
    }
    if (base != 4) return false;
    const char a = lowerAscii(part[0]), b = lowerAscii(part[1]), c = lowerAscii(part[2]);
    const bool port = (a == 'c' && b == 'o' && c == 'm') || (a == 'l' && b == 'p' && c == 't');
    return port && part[3] >= '1' && part[3] <= '9';
}

// "." alone names the folder itself; any other part of dots and blanks alone climbs out
// of it or is trimmed into one that does.
bool isDotsOnly(const char* part, size_t length) {
    size_t dots = 0;
    for (size_t i = 0; i < length; ++i) {
        if (part[i] == '.')
            ++dots;
        else if (part[i] != ' ')
            return false;
    }
    return !(length == 1 && dots == 1);
}

bool isAcceptablePart(const char* part, size_t length) {
    return length > 0 && !isDotsOnly(part, length) && !namesDevice(part, length);
}

}  // namespace

int isPathInWorkingFolder(const char* path, int shiftJisSystem) {
    if (path == nullptr || path[0] == '\0' || isSeparator(path[0])) return 0;
    const char* part = path;
    for (const char* p = path;; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\0' || isSeparator(*p)) {
            if (!isAcceptablePart(part, static_cast<size_t>(p - part))) return 0;
            if (c == '\0') return 1;
            part = p + 1;
            continue;
        }
        if (c < 0x20 || std::strchr(":*?\"<>|", c) != nullptr) return 0;
        if (c >= 0x80 && !shiftJisSystem) return 0;
        if (!isShiftJisLeadByte(c)) continue;
        // The second byte of a double-byte character may be '\' or '|': it is skipped. A
        // lead byte without a valid second one is converted differently by each system.
        const unsigned char second = static_cast<unsigned char>(p[1]);
        if (second < 0x40 || second == 0x7F || second > 0xFC) return 0;
        ++p;
    }
}

int composeOutsideFolderReport(const char* path, const char* lineBreak, char** out) {
    return GrowingText().add(kOutsideFolderText).add(lineBreak).add("（").add(path).add("）").hand(out);
}
