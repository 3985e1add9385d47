// Cutting a path after its directory. Portable: no windows.h.
#pragma once

// Cuts the path right behind its last backslash at the fourth byte or later; without one
// it keeps the first three bytes (a drive root such as C:\). The path is read character
// by character from its start, so the second byte 0x5C of a double-byte character (表,
// ソ, 能) is never taken for a backslash. 1 when cut; 0 for a null path or one shorter
// than three bytes.
int stripFileName(char* path);
