// One open registry key, and the few reads discovery and the read-back need. Value types
// are not examined.
#pragma once

#include <windows.h>

// Registry key names are at most 255 characters.
constexpr DWORD kKeyNameSize = 256;

class RegKey {
public:
    RegKey() : root(nullptr), key(nullptr) {}

    // Opens the path under root for reading.
    bool open(const char* path);
    // Closes the key; false when it was not open or could not be closed.
    bool close();
    // The name of subkey `index`; false after the last one.
    bool subKeyName(DWORD index, char (&name)[kKeyNameSize]);
    // Reads a value's bytes whole: *size is the buffer's size on entry and the data's
    // size on return. False when missing, or when it did not fit (*size is then what
    // it needs and the buffer is not to be trusted).
    bool readBytes(const char* name, char* buffer, DWORD* size);

    HKEY root;  // set by the user before open; never closed here
    HKEY key;   // owned while open
};

// A value's whole data with two terminators added, so that a text stored without its
// terminator, or a multi-string without its last, still ends: data() as a text is the
// first string.
class RegistryValue {
public:
    RegistryValue() = default;
    ~RegistryValue() { delete[] allocated_; }
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

    // Reads the value of the open key; false, with data() null, when it is missing, still
    // growing after two more tries, or when memory is short.
    bool read(RegKey& key, const char* name);
    const char* data() const { return data_; }
    DWORD size() const { return size_; }  // the value's bytes; 0 when not read

private:
    char small_[512];
    char* allocated_ = nullptr;  // new[], for data larger than small_
    const char* data_ = nullptr;
    DWORD size_ = 0;
};
