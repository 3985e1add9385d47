#include "switch_log.h"

#include <windows.h>

#include <new>

#include "../common/file_retry.h"
#include "../common/text_builder.h"
#include "../profiles/profile_catalog.h"
#include "arrival_rules.h"

namespace {

// 200 lines of a verdict's length; a longer log (one edited by hand) keeps its tail.
constexpr DWORD kLogReadBytes = 64 * 1024;

}  // namespace

int appendSwitchLog(const char* name, const char* text) {
    SYSTEMTIME time;
    GetLocalTime(&time);
    char stamp[sizeof "0000/00/00 00:00:00 「」 " + kProfileNameSize];
    wsprintfA(stamp, "%04u/%02u/%02u %02u:%02u:%02u 「%s」 ", time.wYear, time.wMonth, time.wDay, time.wHour,
              time.wMinute, time.wSecond, name);
    // The log is read and written again whole, its last 199 lines and the new one: small
    // enough, and a log cut short by a failed write loses no profile.
    char* old = new (std::nothrow) char[kLogReadBytes];
    if (old == nullptr) return 0;  // the log is not rewritten without what it holds
    DWORD length = 0;
    int tail = 0;
    HANDLE file = openFileSoon(kSwitchLogPath, GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (file != INVALID_HANDLE_VALUE) {
        const DWORD size = GetFileSize(file, nullptr);
        tail = size != INVALID_FILE_SIZE && size > kLogReadBytes;
        if (tail) SetFilePointer(file, static_cast<LONG>(size - kLogReadBytes), nullptr, FILE_BEGIN);
        if (!ReadFile(file, old, kLogReadBytes, &length, nullptr)) length = 0;
        CloseHandle(file);
    }
    GrowingText log;
    size_t start = lastLinesStart(old, length, kSwitchLogLines - 1);
    // A tail read from the middle of a line starts after that line.
    if (tail && start == 0)
        while (start < length && old[start++] != '\n') {}
    log.add(old + start, length - start).add(length > start && old[length - 1] != '\n' ? "\r\n" : "");
    delete[] old;
    char* whole = nullptr;
    DWORD written = 0;
    addFlattened(text, log.add(stamp));
    file = log.add("\r\n").hand(&whole)
               ? openFileSoon(kSwitchLogPath, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL)
               : INVALID_HANDLE_VALUE;
    const DWORD size = whole != nullptr ? static_cast<DWORD>(lstrlenA(whole)) : 0;
    const int done = file != INVALID_HANDLE_VALUE && WriteFile(file, whole, size, &written, nullptr) && written == size;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    delete[] whole;
    return done;
}
