#include "launch_mode.h"

#include <cstring>

#include "../resources/resource.h"

static bool isBlankOrTab(char c) { return c == ' ' || c == '\t'; }

const char* commandLineTail(const char* commandLine) {
    if (commandLine == nullptr) return "";
    const char* p = commandLine;
    while (isBlankOrTab(*p)) ++p;
    if (*p == '"') {
        // A quoted program name may hold blanks; it ends at the closing quote or a tab.
        ++p;
        while (*p != '\0' && *p != '"' && *p != '\t') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && !isBlankOrTab(*p)) ++p;
    }
    while (isBlankOrTab(*p)) ++p;
    return p;
}

LaunchMode launchModeFromTail(const char* tail) {
    if (tail == nullptr) return Normal;
    if (std::strcmp(tail, "/S") == 0) return Save;
    if (std::strcmp(tail, "/L") == 0) return Select;
    if (std::strcmp(tail, "/T") == 0) return TcpIp;
    return Normal;
}

int launchModeCommand(LaunchMode mode) {
    switch (mode) {
    case Select: return IDM_SELECT_PROFILE;
    case Save: return IDM_SAVE_PROFILE;
    case TcpIp: return IDM_TCPIP_SETTINGS;
    default: return 0;
    }
}
