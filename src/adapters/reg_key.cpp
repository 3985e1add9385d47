#include "reg_key.h"

#include <new>

bool RegKey::open(const char* path) {
    if (root == nullptr || path == nullptr) return false;
    HKEY opened = nullptr;
    // Read access only: an account that may not change HKLM\SYSTEM still reads it.
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    key = opened;
    return true;
}

bool RegKey::close() {
    if (key == nullptr) return false;
    if (RegCloseKey(key) != ERROR_SUCCESS) return false;
    key = nullptr;
    return true;
}

bool RegKey::subKeyName(DWORD index, char (&name)[kKeyNameSize]) {
    if (key == nullptr) return false;
    DWORD length = kKeyNameSize;
    const LONG result = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    name[kKeyNameSize - 1] = '\0';  // never unterminated, whatever the call left
    // A name too long for any key of this tool: the walk goes on past it, with no name.
    if (result == ERROR_MORE_DATA) name[0] = '\0';
    return result == ERROR_SUCCESS || result == ERROR_MORE_DATA;
}

bool RegKey::readBytes(const char* name, char* buffer, DWORD* size) {
    if (key == nullptr || name == nullptr || buffer == nullptr || size == nullptr) return false;
    return RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), size) == ERROR_SUCCESS;
}

bool RegistryValue::read(RegKey& key, const char* name) {
    delete[] allocated_;
    allocated_ = nullptr;
    data_ = nullptr;
    size_ = 0;
    DWORD size = sizeof small_ - 2;
    char* buffer = small_;
    // A value larger than the small buffer gets one of its size; one that grows meanwhile
    // is tried twice more.
    for (int attempt = 0;; ++attempt) {
        if (key.readBytes(name, buffer, &size)) {
            buffer[size] = buffer[size + 1] = '\0';
            data_ = buffer;
            size_ = size;
            return true;
        }
        if (size <= sizeof small_ - 2 || attempt == 2) return false;  // missing, or still growing
        delete[] allocated_;
        allocated_ = buffer = new (std::nothrow) char[size + 2];
        if (buffer == nullptr) return false;
    }
}
