#include "file_identity.h"

namespace {

// The identity of a file or folder: its volume and its index there; 0 when it cannot be
// opened.
int fileIdentity(const char* path, BY_HANDLE_FILE_INFORMATION* out) {
    // No access asked: the file is only looked at, even while it runs; the backup flag lets
    // a folder be opened. A path on an empty drive fails quietly instead of asking for a disk.
    const UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    SetErrorMode(errorMode);
    if (file == INVALID_HANDLE_VALUE) return 0;
    const BOOL read = GetFileInformationByHandle(file, out);
    CloseHandle(file);
    return read != FALSE;
}

}  // namespace

int isSameFile(const char* path, const char* other) {
    if (lstrcmpiA(path, other) == 0) return 1;
    BY_HANDLE_FILE_INFORMATION a, b;
    return fileIdentity(path, &a) && fileIdentity(other, &b) && (a.nFileIndexHigh != 0 || a.nFileIndexLow != 0) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}
