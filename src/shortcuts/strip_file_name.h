// Cutting a path after its directory. Portable: no windows.h.
#pragma once

// Cuts the path right behind its last backslash, looking no further forward than the
// fourth byte; without one it keeps the first three bytes (a drive root such as C:\).
// The scan goes by bytes, so a second byte 0x5C of a double-byte character counts as a
// backslash. 1 when cut; 0 for a null path or one shorter than three bytes.
int stripFileName(char* path);
