#include "start_request.h"

#include <cstring>

#include "../common/profile_text.h"
#include "../common/task_outcome.h"

const char* commandLineTail(const char* commandLine) {
    if (commandLine == nullptr) return "";
    const char* p = commandLine;
    while (isSpaceOrTab(*p)) ++p;
    if (*p == '"') {
        // A quoted program name may hold blanks; it ends at the closing quote or a tab.
        ++p;
        while (*p != '\0' && *p != '"' && *p != '\t') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && !isSpaceOrTab(*p)) ++p;
    }
    while (isSpaceOrTab(*p)) ++p;
    return p;
}

LaunchMode launchModeFromTail(const char* tail) {
    if (tail == nullptr) return Normal;
    if (std::strcmp(tail, "/S") == 0) return Save;
    if (std::strcmp(tail, "/L") == 0) return Select;
    if (std::strcmp(tail, "/T") == 0) return TcpIp;
    if (std::strcmp(tail, "/R") == 0) return Resident;
    if (tail[0] == '/' && tail[1] == 'L' && isSpaceOrTab(tail[2])) {
        const char* name = tail + 2;
        while (isSpaceOrTab(*name)) ++name;
        // "/L /S" is two switches, which start the visible tool; a name may start with
        // "/" only in double quotes.
        if (*name != '\0' && *name != '/') return SelectNamed;
    }
    return Normal;
}

namespace {

// The NAME of a SelectNamed tail into out, as StartRequest says; 1 when it is whole.
int profileNameFromTail(const char* tail, char* out, size_t outSize) {
    const char* name = tail + 2;
    while (isSpaceOrTab(*name)) ++name;
    size_t length = std::strlen(name);
    while (length > 0 && isSpaceOrTab(name[length - 1])) --length;
    int whole = 1;
    if (name[0] == '"') {
        const char* close = std::strchr(name + 1, '"');
        whole = close != nullptr && close + 1 == name + length;
        if (close != nullptr) {
            ++name;
            length = static_cast<size_t>(close - name);
        }
    }
    // The displayed name, cut where the buffer ends; a cut name never names a profile.
    const size_t kept = characterBoundaryLength(name, length < outSize ? length : outSize - 1);
    std::memcpy(out, name, kept);
    out[kept] = '\0';
    return whole && kept == length && length > 0;
}

}  // namespace

StartRequest parseStartRequest(const char* tail) {
    StartRequest request;
    request.mode = launchModeFromTail(tail);
    request.profileName[0] = '\0';
    request.nameIsWhole = request.mode == SelectNamed &&
                          profileNameFromTail(tail, request.profileName, sizeof request.profileName);
    return request;
}

int exitCodeBeforeTask(LaunchMode mode) {
    if (!isOneTaskMode(mode)) return kTaskDone;
    return mode == SelectNamed ? kTaskRefused : kTaskNotDone;
}
