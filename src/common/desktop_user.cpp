#include "desktop_user.h"

#include "late_binding.h"

namespace {

// A token's user: a TOKEN_USER and the SID behind it (at most 68 bytes).
union TokenUserRecord {
    TOKEN_USER user;
    BYTE bytes[128];
};

enum TokenAnswer { Unknown, Read, Refused };

// The token user of a process into *out. Refused: the process (null: it was refused) or
// its token may not be opened.
TokenAnswer readTokenUser(HANDLE process, TokenUserRecord* out) {
    const auto openToken = late::OpenProcessToken();
    const auto query = late::GetTokenInformation();
    if (process == nullptr) return Refused;
    if (openToken == nullptr || query == nullptr) return Unknown;
    HANDLE token = nullptr;
    if (!openToken(process, TOKEN_QUERY, &token)) return GetLastError() == ERROR_ACCESS_DENIED ? Refused : Unknown;
    DWORD size = 0;
    const BOOL read = query(token, TokenUser, out->bytes, sizeof out->bytes, &size);
    CloseHandle(token);
    return read != FALSE && out->user.User.Sid != nullptr ? Read : Unknown;
}

}  // namespace

int runsAsAnotherUser() {
    const auto shellWindow = late::GetShellWindow();
    const auto equal = late::EqualSid();
    HWND shell = shellWindow != nullptr ? shellWindow() : nullptr;
    DWORD shellProcessId = 0;
    if (shell == nullptr || equal == nullptr || GetWindowThreadProcessId(shell, &shellProcessId) == 0 ||
        shellProcessId == 0 || shellProcessId == GetCurrentProcessId())
        return 0;
    TokenUserRecord own, desktop;
    if (readTokenUser(GetCurrentProcess(), &own) != Read) return 0;
    // Windows lets another account's process, even an administrator's, open neither the
    // shell's process nor its token (that would take the debug privilege): the refusal
    // itself says the shell is another user's.
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, shellProcessId);
    if (process == nullptr && GetLastError() != ERROR_ACCESS_DENIED) return 0;
    const TokenAnswer answer = readTokenUser(process, &desktop);
    if (process != nullptr) CloseHandle(process);
    return answer == Refused || (answer == Read && !equal(own.user.User.Sid, desktop.user.User.Sid));
}

void processUserName(char (&out)[kUserNameSize]) {
    DWORD size = sizeof out;
    if (!GetUserNameA(out, &size)) out[0] = '\0';
}
