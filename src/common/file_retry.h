// A file just written by netsh may still be held for a moment by a process that inherited
// its handle with netsh (the platform's console helper): an operation on it that fails
// because the file is in use is tried again, 25 ms apart, for up to half a second.
#pragma once

#include <windows.h>

// CreateFileA (no security attributes, no template file), tried again while the file is in
// use (ERROR_SHARING_VIOLATION). INVALID_HANDLE_VALUE when it could not be opened; at once,
// with GetLastError as that try left it, for any other failure.
HANDLE openFileSoon(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);

// DeleteFileA, tried again while the file is in use. 0 only when it was still in use after
// the last try; 1 when it was deleted, and also when the deletion failed for any other
// reason (a file already gone, among them).
int deleteFileSoon(const char* path);

// MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING), tried again while either file is in use
// (ERROR_SHARING_VIOLATION, or ERROR_ACCESS_DENIED while the one replaced is held open). 1
// when it was moved.
int replaceFileSoon(const char* from, const char* to);
