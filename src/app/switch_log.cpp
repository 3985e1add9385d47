#include "switch_log.h"

#include <windows.h>

#include <new>

#include "../common/file_retry.h"
#include "../common/text_builder.h"
#include "arrival_rules.h"

namespace {

// 200 lines of a verdict's length; a longer log (one edited by hand) keeps its tail.
constexpr DWORD kLogReadBytes = 128 * 1024;

// The log's last bytes, new[] with *length of them; an empty text when it is missing.
char* readLogTail(DWORD* length) {
    *length = 0;
    HANDLE file = openFileSoon(kSwitchLogPath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    char* text = new (std::nothrow) char[kLogReadBytes];
    if (file == INVALID_HANDLE_VALUE || text == nullptr) {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        return text;
    }
    const DWORD size = GetFileSize(file, nullptr);
    if (size != INVALID_FILE_SIZE && size > kLogReadBytes) SetFilePointer(file, -static_cast<LONG>(kLogReadBytes), nullptr, FILE_END);
    if (!ReadFile(file, text, kLogReadBytes, length, nullptr)) *length = 0;
    CloseHandle(file);
    return text;
}

}  // namespace

int appendSwitchLog(const char* text) {
    SYSTEMTIME time;
    GetLocalTime(&time);
    char line[1024], stamp[24];
    wsprintfA(stamp, "%04u/%02u/%02u %02u:%02u:%02u ", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
              time.wSecond);
    flattenLines(text, line, sizeof line);
    DWORD length = 0;
    char* old = readLogTail(&length);
    if (old == nullptr) return 0;
    // The new line makes one more: the old text keeps its last 199.
    const size_t start = lastLinesStart(old, length, kSwitchLogLines - 1);
    static const char kFresh[] = ".\\tessaly.log.new";
    HANDLE file = openFileSoon(kFresh, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    int written = file != INVALID_HANDLE_VALUE;
    DWORD done = 0;
    const int endsInBreak = length == 0 || old[length - 1] == '\n';
    const char* const pieces[] = {nullptr, endsInBreak ? "" : "\r\n", stamp, line, "\r\n"};
    for (const char* piece : pieces) {
        const char* data = piece != nullptr ? piece : old + start;
        const DWORD size = piece != nullptr ? lstrlenA(piece) : static_cast<DWORD>(length - start);
        written = written && WriteFile(file, data, size, &done, nullptr) && done == size;
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    delete[] old;
    written = written && replaceFileSoon(kFresh, kSwitchLogPath);
    if (!written) deleteFileSoon(kFresh);
    return written;
}
