#include "desktop_user.h"

#include "late_binding.h"

namespace {

// A token's user: a TOKEN_USER and the SID behind it (at most 68 bytes).
union TokenUserRecord {
    TOKEN_USER user;
    BYTE bytes[128];
};

// The token user of a process into *out; 0 when it cannot be read.
int readTokenUser(HANDLE process, TokenUserRecord* out) {
    const auto openToken = boundSystemFunctionAs<decltype(&OpenProcessToken)>("advapi32.dll", "OpenProcessToken");
    const auto query = boundSystemFunctionAs<decltype(&GetTokenInformation)>("advapi32.dll", "GetTokenInformation");
    HANDLE token = nullptr;
    if (openToken == nullptr || query == nullptr || !openToken(process, TOKEN_QUERY, &token)) return 0;
    DWORD size = 0;
    const BOOL read = query(token, TokenUser, out->bytes, sizeof out->bytes, &size);
    CloseHandle(token);
    return read != FALSE && out->user.User.Sid != nullptr;
}

}  // namespace

int runsAsAnotherUser() {
    const auto shellWindow = boundSystemFunctionAs<decltype(&GetShellWindow)>("user32.dll", "GetShellWindow");
    const auto equal = boundSystemFunctionAs<decltype(&EqualSid)>("advapi32.dll", "EqualSid");
    HWND shell = shellWindow != nullptr ? shellWindow() : nullptr;
    DWORD shellProcessId = 0;
    if (shell == nullptr || equal == nullptr || GetWindowThreadProcessId(shell, &shellProcessId) == 0 ||
        shellProcessId == 0 || shellProcessId == GetCurrentProcessId())
        return 0;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, shellProcessId);
    if (process == nullptr) return 0;
    TokenUserRecord own, desktop;
    const int read = readTokenUser(GetCurrentProcess(), &own) && readTokenUser(process, &desktop);
    CloseHandle(process);
    return read && !equal(own.user.User.Sid, desktop.user.User.Sid);
}

void processUserName(char (&out)[kUserNameSize]) {
    DWORD size = sizeof out;
    if (!GetUserNameA(out, &size)) out[0] = '\0';
}
