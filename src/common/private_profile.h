// Private-profile (INI) file helpers. Each takes the file path first; texts are ANSI.
#pragma once

#include <windows.h>

// Section names in file order, each terminated, then one more terminator.
DWORD readSectionNames(const char* file, char* buffer, DWORD bufferSize);

// The key's value, or the default when section or key is missing; cut at a
// character boundary to fit. Returns the number of bytes stored.
DWORD readProfileString(const char* file, const char* section, const char* key, char* out,
                        DWORD outSize, const char* defaultText);

// The key's value parsed as a decimal integer; the default when section or key is
// missing; 0 for an empty value or one without leading digits.
int readProfileInt(const char* file, const char* section, const char* key, int defaultValue);

// Non-zero on success; 0 without writing when section or key is missing.
int writeProfileString(const char* file, const char* section, const char* key, const char* value);
int writeProfileInt(const char* file, const char* section, const char* key, int value);
