#include "reg_key.h"

#include "../common/profile_text.h"

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

bool RegKey::enumSubKey(DWORD index, char* name, DWORD* nameLength) {
    if (key == nullptr || name == nullptr || nameLength == nullptr) return false;
    const LONG result = RegEnumKeyExA(key, index, name, nameLength, nullptr, nullptr, nullptr, nullptr);
    return result == ERROR_SUCCESS || result == ERROR_MORE_DATA;
}

bool RegKey::queryInfo(RegKeyInfo* info) {
    if (key == nullptr || info == nullptr) return false;
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &info->subKeyCount, &info->maxSubKeyNameLength,
                            nullptr, &info->valueCount, &info->maxValueNameLength, &info->maxValueDataSize,
                            nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegKey::queryValueInfo(const char* name, DWORD* type, DWORD* size) {
    if (key == nullptr || name == nullptr || type == nullptr || size == nullptr) return false;
    return RegQueryValueExA(key, name, nullptr, type, nullptr, size) == ERROR_SUCCESS;
}

int RegKey::readString(const char* name, char* buffer, DWORD bufferSize, const char* fallback) {
    if (key == nullptr || name == nullptr || buffer == nullptr) return 0;
    DWORD size = bufferSize;
    const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    if (result == ERROR_MORE_DATA) {
        if (bufferSize == 0) return 0;
        copyTextCut(buffer, bufferSize, fallback != nullptr ? fallback : "");
        return fallback != nullptr ? static_cast<int>(bufferSize) - 1 : 0;
    }
    return static_cast<int>(size) - 1;
}

bool RegKey::readBytes(const char* name, char* buffer, DWORD* size) {
    if (key == nullptr || name == nullptr || buffer == nullptr || size == nullptr) return false;
    return RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), size) == ERROR_SUCCESS;
}

DWORD RegKey::readDword(const char* name, DWORD fallback) {
    if (key == nullptr || name == nullptr) return fallback;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return fallback;
    return value;
}
