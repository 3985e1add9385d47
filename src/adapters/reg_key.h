// One open registry key, and the few reads adapter discovery needs. Every registry
// access of the tool goes through it. Value types are not examined.
#pragma once

#include <windows.h>

struct RegKeyInfo {
    DWORD subKeyCount;
    DWORD maxSubKeyNameLength;  // characters, terminator not counted
    DWORD valueCount;
    DWORD maxValueNameLength;
    DWORD maxValueDataSize;     // bytes
};

class RegKey {
public:
    RegKey() : root(nullptr), key(nullptr) {}

    // Opens the path under root for reading.
    bool open(const char* path);
    // Closes the key; false when it was not open or could not be closed.
    bool close();
    // The name of subkey `index`; true also when the name did not fit (ERROR_MORE_DATA),
    // and the buffer is then not to be trusted.
    bool enumSubKey(DWORD index, char* name, DWORD* nameLength);
    bool queryInfo(RegKeyInfo* info);
    // Type and data size (bytes, terminators included) of a value.
    bool queryValueInfo(const char* name, DWORD* type, DWORD* size);
    // Reads a value's bytes into the buffer. Data larger than the buffer gives the
    // fallback (cut to fit, on a character boundary), or an empty text without one;
    // returns the bytes stored less one. A missing value leaves the buffer as it was.
    int readString(const char* name, char* buffer, DWORD bufferSize, const char* fallback);
    // Reads a value's bytes whole: *size is the buffer's size on entry and the data's
    // size on return. False when missing, or when it did not fit (*size is then what
    // it needs and the buffer is not to be trusted).
    bool readBytes(const char* name, char* buffer, DWORD* size);
    // A 4-byte value's bytes as a number; the fallback when missing or larger.
    DWORD readDword(const char* name, DWORD fallback);

    HKEY root;  // set by the user before open; never closed here
    HKEY key;   // owned while open
};
