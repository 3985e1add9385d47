#include "file_retry.h"

namespace {

constexpr int kTries = 20;
constexpr DWORD kPauseMs = 25;

enum class Outcome { Done, Failed, StillInUse };

// Calls tryOnce until it succeeds, fails for a reason other than a file in use (with
// accessDeniedToo, ERROR_ACCESS_DENIED counts as in use), or has been tried kTries times.
template <typename Try>
Outcome tryWhileInUse(Try tryOnce, bool accessDeniedToo) {
    for (int tries = 0; tries < kTries; ++tries, Sleep(kPauseMs)) {
        if (tryOnce()) return Outcome::Done;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && !(accessDeniedToo && error == ERROR_ACCESS_DENIED))
            return Outcome::Failed;
    }
    return Outcome::StillInUse;
}

}  // namespace

HANDLE openFileSoon(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    HANDLE file = INVALID_HANDLE_VALUE;
    tryWhileInUse(
        [&] {
            file = CreateFileA(path, access, share, nullptr, disposition, flags, nullptr);
            return file != INVALID_HANDLE_VALUE;
        },
        false);
    return file;
}

int deleteFileSoon(const char* path) {
    return tryWhileInUse([&] { return DeleteFileA(path) != FALSE; }, false) != Outcome::StillInUse;
}

int replaceFileSoon(const char* from, const char* to) {
    return tryWhileInUse([&] { return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != FALSE; }, true) ==
           Outcome::Done;
}
